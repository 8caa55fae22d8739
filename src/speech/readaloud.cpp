#include "speech/readaloud.h"
#include "core/error.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/speechdvoice.h"
#include "speech/texts.h"
#include "store/dataset.h"

#include <QAbstractButton>
#include <QLoggingCategory>
#include <QWidget>

Q_LOGGING_CATEGORY(lcSpeech, "mc.speech")

namespace mc::speech {
namespace {
constexpr int kVolume = 100;
constexpr int kRate = -5;
} // namespace

const QList<ReadAloudCommand> &readAloudCommands()
{
    static const QList<ReadAloudCommand> commands = {
        {QStringLiteral("PDJButton22"), QStringLiteral("ADOQuery2"), {QStringLiteral("name")}, Language::Chinese},
        {QStringLiteral("PDJButton13"), QStringLiteral("ADOQuery5"), {QStringLiteral("word")}, Language::Chinese},
        {QStringLiteral("PDJButton26"), QStringLiteral("ADOQuery5"), {QStringLiteral("content")}, Language::Chinese},
        {QStringLiteral("PDJButton29"), QStringLiteral("ADOQuery1"), {QStringLiteral("name")}, Language::Chinese},
        {QStringLiteral("PDJButton28"), QStringLiteral("ADOQuery3"), {QStringLiteral("name"), QStringLiteral("end1")},
         Language::Chinese},
        {QStringLiteral("PDJButton23"), QStringLiteral("ADOQuery7"), {QStringLiteral("单词")}, Language::English},
        {QStringLiteral("PDJButton36"), QStringLiteral("ADOQuery4"),
         {QStringLiteral("name"), QStringLiteral("derivation")}, Language::Chinese},
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

ReadAloud::ReadAloud(QWidget *mainWindow) : QObject(mainWindow)
{
    for (const ReadAloudCommand &command : readAloudCommands()) {
        auto *button = mainWindow->findChild<QAbstractButton *>(command.button);
        const auto *dataset = mainWindow->findChild<store::Dataset *>(command.dataset);
        if (!button || !dataset) {
            qCWarning(lcSpeech) << "read-aloud button or dataset missing:" << command.button << command.dataset;
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
    const bool ok = guarded([&] { readAloud(voice(), joinedFields(*dataset, command.columns), command.language); });
    if (!ok)
        emit speechFailed();
}

} // namespace mc::speech
