#include "core/error.h"
#include "platform/guard.h"
#include "speech/readaloud.h"
#include "speech/speechprompt.h"
#include "speech/texts.h"
#include "support/doubles.h"
#include "tst_speech_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>

using namespace mc;
using namespace Qt::StringLiterals;
using Call = RecordingVoice::Call;

namespace {

const QString kZh = QStringLiteral("<LANG LANGID=\"804\">");
const QString kEn = QStringLiteral("<LANG LANGID=\"409\">");

// What one press must send: volume, rate, then the text asynchronously.
QList<Call> press(const QString &markup)
{
    return {{QStringLiteral("Volume"), QStringLiteral("100"), 0},
            {QStringLiteral("Rate"), QStringLiteral("-5"), 0},
            {QStringLiteral("Speak"), markup, Voice::SpeakAsync}};
}

QString describe(const QList<Call> &calls)
{
    QStringList parts;
    for (const Call &c : calls)
        parts.append(QStringLiteral("%1(%2,%3)").arg(c.operation, c.text).arg(c.flags));
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestSpeech final : public QObject {
    Q_OBJECT
private slots:
    void markup_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("character") << u"永"_s << false << kZh + u"永"_s;
        QTest::newRow("trailing full stop") << u"学而不思则罔."_s << false << kZh + u"学而不思则罔。"_s;
        QTest::newRow("abbreviation, English") << u"e.g."_s << true << kEn + u"e。g。"_s;
        QTest::newRow("line breaks kept") << u"1.一\r\n2.二"_s << false << kZh + u"1。一\r\n2。二"_s;
        QTest::newRow("markup not escaped") << u"a<b&c"_s << false << kZh + u"a<b&c"_s;
        QTest::newRow("empty: tag alone") << QString() << false << kZh;
    }
    void markup()
    {
        QFETCH(QString, field);
        QFETCH(bool, english);
        QFETCH(QString, expected);
        QCOMPARE(speech::speechMarkup(field, english ? speech::Language::English : speech::Language::Chinese),
                 expected);
        QCOMPARE(kZh.size(), 19);
    }

    void requestLanguage_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("Chinese") << kZh + u"永"_s << int(SpeechLanguage::Chinese) << u"永"_s;
        QTest::newRow("English") << kEn + u"apple"_s << int(SpeechLanguage::English) << u"apple"_s;
        QTest::newRow("tag alone") << kEn << int(SpeechLanguage::English) << QString();
        QTest::newRow("no tag") << u"永"_s << int(SpeechLanguage::Default) << u"永"_s;
        QTest::newRow("tag later in the text") << u"永"_s + kEn << int(SpeechLanguage::Default) << u"永"_s + kEn;
    }
    void requestLanguage()
    {
        QFETCH(QString, markup);
        QFETCH(int, language);
        QFETCH(QString, text);
        const SpeechRequest request = parseSpeechRequest(markup);
        QCOMPARE(int(request.language), language);
        QCOMPARE(request.text, text);
    }

    void failingVoiceReportsAndReconnects()
    {
        RecordingMessages messages;
        RecordingVoice voice;
        voice.failNextConnections(1, QStringLiteral("无法加载语音朗读引擎。"));
        QVERIFY(!guarded([&] { speech::readAloud(voice, u"永"_s, speech::Language::Chinese); }));
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.lastKind(), Messages::Kind::Error);
        QCOMPARE(messages.lastText(), QStringLiteral("无法加载语音朗读引擎。"));
        QVERIFY(voice.calls().isEmpty());
        QVERIFY(guarded([&] { speech::readAloud(voice, u"永"_s, speech::Language::Chinese); }));
        QCOMPARE(voice.connectAttempts(), 2);
        QCOMPARE(describe(voice.calls()), describe(press(kZh + u"永"_s)));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("character") << u"PDJButton22"_s << u"ADOQuery2"_s << u"name"_s << u"永"_s << kZh + u"永"_s;
        QTest::newRow("headword") << u"PDJButton13"_s << u"ADOQuery5"_s << u"word"_s << u"学习"_s << kZh + u"学习"_s;
        QTest::newRow("whole explanation, line breaks")
            << u"PDJButton26"_s << u"ADOQuery5"_s << u"word"_s << u"学习"_s
            << kZh + u"1。从阅读、听讲、研究和实践中获得知识或技能。\r\n2。效法。"_s;
        QTest::newRow("idiom") << u"PDJButton29"_s << u"ADOQuery1"_s << u"name"_s << u"爱不释手"_s
                               << kZh + u"爱不释手"_s;
        QTest::newRow("xiehouyu halves joined")
            << u"PDJButton28"_s << u"ADOQuery3"_s << u"name"_s << u"阿斗当皇帝"_s << kZh + u"阿斗当皇帝无能"_s;
        QTest::newRow("English word") << u"PDJButton23"_s << u"ADOQuery7"_s << u"单词"_s << u"apple"_s
                                      << kEn + u"apple"_s;
        QTest::newRow("saying and person, full stop") << u"PDJButton36"_s << u"ADOQuery4"_s << u"derivation"_s
                                                      << u"孔子"_s << kZh + u"敏而好学，不耻下问。孔子"_s;
    }
    void buttons()
    {
        QFETCH(QString, button);
        QFETCH(QString, dataset);
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, spoken);
        RecordingVoice voice;
        test::RunningProgram program;
        QVERIFY(program.started());
        QVERIFY2(program.select(dataset, column, value), qPrintable(value));
        auto *pressed = program.find<QAbstractButton>(button);
        QVERIFY(pressed);
        pressed->click();
        pressed->click(); // a second press queues behind the first
        QCOMPARE(describe(voice.calls()), describe(press(spoken) + press(spoken)));
        QVERIFY(program.messages.shown().isEmpty());

        // No row: the tag alone, and no message.
        voice.clear();
        program.empty(dataset, column);
        pressed->click();
        QCOMPARE(describe(voice.calls()), describe(press(spoken.left(19))));
        QVERIFY(program.messages.shown().isEmpty());
    }

    void engineFailureAtAButtonOffersThePrompt()
    {
        RecordingVoice voice;
        voice.failNextConnections(1, QStringLiteral("语音引擎没有响应"));
        test::RunningProgram program;
        auto *button = program.find<QAbstractButton>(QStringLiteral("PDJButton22"));
        button->click();
        QCOMPARE(program.messages.shown().size(), 1);
        QCOMPARE(program.messages.lastKind(), Messages::Kind::Error);
        auto *prompt = qobject_cast<speech::SpeechPrompt *>(program.windows().speechPrompt());
        QVERIFY(prompt);
        QCOMPARE(prompt->isVisible(), !prompt->dontShowAgain());
        button->click();
        QCOMPARE(voice.connectAttempts(), 2);
        QCOMPARE(voice.calls().size(), 3);
    }

    void loadEngineCommandAsksThenRuns()
    {
        RecordingShell shell;
        test::RunningProgram program;
        auto *action = program.find<QAction>(QStringLiteral("mniLoadSpeechEngine"));
        QVERIFY(action);
        program.messages.answerNext(false);
        action->trigger();
        QCOMPARE(program.messages.shown().size(), 1);
        QCOMPARE(program.messages.lastKind(), Messages::Kind::Confirmation);
        QCOMPARE(program.messages.lastText(), QStringLiteral("如果你听不到读音，\r\n\r\n你可以尝试加载语音引擎。"));
        QVERIFY(shell.ran().isEmpty());
        program.messages.answerNext(true);
        action->trigger();
        QCOMPARE(shell.ran(), QStringList{QStringLiteral("TTS5.msi")});
    }

    // The installer is looked for in the working directory and waited for until it ends; when
    // it is missing, nothing of ours is shown beyond the question.
    void installerRunsFromTheWorkingDirectory_data()
    {
        QTest::addColumn<QByteArray>("installer"); // empty: no TTS5.msi
        QTest::addColumn<bool>("ran");
        QTest::newRow("present") << QByteArray("#!/bin/sh\nsleep 0.3\necho ran > ran.txt\n") << true;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void installerRunsFromTheWorkingDirectory()
    {
        QFETCH(QByteArray, installer);
        QFETCH(bool, ran);
        const test::WorkingFolder dir(test::WorkingFolder::NoStores);
        if (!installer.isEmpty()) {
            QFile script(dir.filePath(QStringLiteral("TTS5.msi")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(installer);
            script.close();
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        RecordingMessages messages;
        messages.answerNext(true);
        const bool ok = guarded(speech::loadSpeechEngine);
        QVERIFY(ok);
        QCOMPARE(messages.shown().size(), 1); // the question only
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("ran.txt"))), ran);
    }

    // Our installer says what it found; where it cannot look, it says so rather than "installed".
    void installerSaysWhatItFound_data()
    {
        QTest::addColumn<QByteArray>("dpkgQuery"); // script standing in for dpkg-query; empty: none
        QTest::addColumn<QString>("says");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no package tool") << QByteArray() << u"无法检查语音引擎是否已经安装"_s << 2;
        QTest::newRow("all installed") << QByteArray("#!/bin/sh\nprintf 'install ok installed'\n")
                                       << u"语音引擎已经安装"_s << 0;
        QTest::newRow("none installed, no means to install")
            << QByteArray("#!/bin/sh\nexit 1\n") << u"语音引擎尚未安装。请以管理员身份运行"_s << 1;
    }
    void installerSaysWhatItFound()
    {
        QFETCH(QByteArray, dpkgQuery);
        QFETCH(QString, says);
        QFETCH(int, exitCode);
        // A search path of our own: grep, an ordinary user's id, and the stand-in package tool.
        QTemporaryDir bin;
        const auto tool = [&](const QString &name, const QByteArray &body) {
            QFile file(bin.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(body);
            file.close();
            file.setPermissions(file.permissions() | QFile::ExeOwner);
        };
        tool(u"id"_s, "#!/bin/sh\necho 1000\n");
        QVERIFY(QFile::link(QStandardPaths::findExecutable(u"grep"_s), bin.filePath(u"grep"_s)));
        if (!dpkgQuery.isEmpty())
            tool(u"dpkg-query"_s, dpkgQuery);
        QProcess script;
        QProcessEnvironment env;
        env.insert(u"PATH"_s, bin.path());
        script.setProcessEnvironment(env);
        script.start(u"/bin/sh"_s, {QStringLiteral(MC_SOURCE_DIR "/resources/TTS5.msi")});
        QVERIFY(script.waitForFinished(20000));
        const QString output = QString::fromUtf8(script.readAllStandardOutput());
        QVERIFY2(output.startsWith(says), qPrintable(output));
        QCOMPARE(script.exitCode(), exitCode);
    }

    void waitEndsWhenTheProgramIsAskedToClose()
    {
        const test::WorkingFolder dir(test::WorkingFolder::NoStores);
        QFile script(dir.filePath(QStringLiteral("TTS5.msi")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho $$ > pid\nexec sleep 30\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QVERIFY(!speech::quitRequested());
        QTimer::singleShot(300, qApp, [] {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        });
        RecordingMessages messages;
        messages.answerNext(true);
        guarded(speech::loadSpeechEngine);
        // The installer may go on by itself; this one would hold the test runner's output open.
        QFile pid(dir.filePath(QStringLiteral("pid")));
        const int installer = pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toInt() : 0;
        if (installer > 1)
            ::kill(installer, SIGTERM);
        QVERIFY(speech::quitRequested());
        QVERIFY(messages.shown().size() == 1); // the question only
    }
};

MC_PROGRAM_TEST_MAIN(TestSpeech)
#include "tst_speech.moc"
