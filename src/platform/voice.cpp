#include "platform/voice.h"

#include <QRegularExpression>

namespace mc {
namespace {

Voice *g_installed = nullptr;

} // namespace

Voice *Voice::installed()
{
    return g_installed;
}

void Voice::install(Voice *voice)
{
    g_installed = voice;
}

SpeechRequest parseSpeechRequest(const QString &markup)
{
    static const QRegularExpression tag(QStringLiteral("^<LANG\\s+LANGID\\s*=\\s*\"([0-9A-Fa-f]+)\"\\s*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = tag.match(markup);
    if (!match.hasMatch())
        return {SpeechLanguage::Default, markup};
    // The primary language is the low ten bits of the identifier (0x804 and 0x404 are both Chinese).
    const int primary = match.captured(1).toInt(nullptr, 16) & 0x3ff;
    SpeechLanguage language = SpeechLanguage::Default;
    if (primary == 0x04)
        language = SpeechLanguage::Chinese;
    else if (primary == 0x09)
        language = SpeechLanguage::English;
    return {language, markup.mid(match.capturedLength())};
}

} // namespace mc
