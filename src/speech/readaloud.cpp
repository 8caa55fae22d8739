#include "speech/readaloud.h"
#include "core/error.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/speechdvoice.h"
#include "speech/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSpeech, "mc.speech")

namespace mc::speech {
namespace {
constexpr int kVolume = 100;
constexpr int kRate = -5;
} // namespace

const QList<ReadAloudCommand> &readAloudCommands()
{
    using R = Reading;
    using S = store::StoreId;
    static const QList<ReadAloudCommand> commands = {
        {R::Character, S::Characters, {QStringLiteral("name")}, Language::Chinese},
        {R::Word, S::Words, {QStringLiteral("word")}, Language::Chinese},
        {R::WordExplanation, S::Words, {QStringLiteral("content")}, Language::Chinese},
        {R::Idiom, S::Idioms, {QStringLiteral("name")}, Language::Chinese},
        {R::Xiehouyu, S::Xiehouyu, {QStringLiteral("name"), QStringLiteral("end1")}, Language::Chinese},
        {R::English, S::English, {QStringLiteral("单词")}, Language::English},
        {R::Saying, S::Sayings, {QStringLiteral("name"), QStringLiteral("derivation")}, Language::Chinese},
    };
    return commands;
}

QString speechMarkup(const QString &fieldText, Language language)
{
    QString text = fieldText;
    text.replace(QLatin1Char('.'), QChar(0x3002));
    return (language == Language::English ? texts::kEnglishTag : texts::kChineseTag) + text;
}

void readAloud(Voice &voice, const QString &fieldText, Language language)
{
    const QString markup = speechMarkup(fieldText, language);
    voice.setVolume(kVolume);
    voice.setRate(kRate);
    voice.speak(markup, Voice::SpeakAsync);
}

QString joinedFields(const store::Dataset &dataset, const QStringList &columns)
{
    QString text;
    for (const QString &column : columns)
        text += dataset.value(column);
    return text;
}

ReadAloud::ReadAloud(const QMap<Reading, QAbstractButton *> &buttons,
                     const QMap<store::StoreId, store::Dataset *> &datasets, QObject *parent)
    : QObject(parent)
{
    for (const ReadAloudCommand &command : readAloudCommands()) {
        QAbstractButton *button = buttons.value(command.reading);
        const store::Dataset *dataset = datasets.value(command.store);
        if (!button || !dataset) {
            qCWarning(lcSpeech) << "read-aloud button or dataset missing:" << int(command.reading);
            continue;
        }
        connect(button, &QAbstractButton::clicked, this, [this, command, dataset] { press(command, dataset); });
    }
}

Voice &ReadAloud::voice()
{
    if (Voice *installed = Voice::installed())
        return *installed;
    if (!m_engine) {
        m_engine = new SpeechdVoice(QStringLiteral("speechd"), this);
        // Failures that show up after the press returned still reach the default error report.
        connect(m_engine, &Voice::failed, this, [this](const QString &text) {
            Messages::current().error(errorReportText(text));
            emit speechFailed();
        });
    }
    return *m_engine;
}

void ReadAloud::press(const ReadAloudCommand &command, const store::Dataset *dataset)
{
    speak(joinedFields(*dataset, command.columns), command.language);
}

void ReadAloud::speak(const QString &fieldText, Language language)
{
    const bool ok = guarded([&] { readAloud(voice(), fieldText, language); });
    if (!ok)
        emit speechFailed();
}

} // namespace mc::speech
