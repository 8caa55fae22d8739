// The voice over the real speech-dispatcher, with its audio sent to libao's null driver so the
// test needs no sound device.
#include "core/error.h"
#include "platform/speechdvoice.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextToSpeech>
#include <QTimer>

using namespace mc;
using namespace Qt::StringLiterals;

namespace {
const QString kZh = u"<LANG LANGID=\"804\">"_s;
const QString kEn = u"<LANG LANGID=\"409\">"_s;
constexpr int kGenerousMs = 120000; // the first connection lists every voice of every language

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}
} // namespace

class TestSpeechEngine final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        // A speech-dispatcher of our own, configured for silence, spawned on first use.
        QVERIFY(QDir(m_home.path()).mkpath(u".config/speech-dispatcher"_s));
        QVERIFY(QDir(m_home.path()).mkpath(u"run"_s));
        QFile::setPermissions(m_home.filePath(u"run"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(
            writeFile(m_home.filePath(u".config/speech-dispatcher/speechd.conf"_s), "AudioOutputMethod \"libao\"\n"));
        QVERIFY(writeFile(m_home.filePath(u".libao"_s), "default_driver=null\n"));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(u".config"_s)));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home.filePath(u"run"_s)));
    }

    void missingEngineFailsAtEveryPressUntilOneIsThere()
    {
        SpeechdVoice voice(u"no-such-engine"_s);
        QVERIFY_THROWS_EXCEPTION(Error, voice.setVolume(100));
        QCOMPARE(voice.connection(), SpeechdVoice::Connection::None);
        QVERIFY_THROWS_EXCEPTION(Error, voice.setVolume(100));
        QCOMPARE(voice.connectAttempts(), 2);
    }

    void chineseAndEnglishAreSpokenInTurn()
    {
        if (QStandardPaths::findExecutable(u"speech-dispatcher"_s).isEmpty()
            || !QTextToSpeech::availableEngines().contains(u"speechd"_s))
            QSKIP("speech-dispatcher or Qt's speechd plugin is not installed: scripts/install-deps installs both");

        SpeechdVoice voice;
        QSignalSpy spoken(&voice, &SpeechdVoice::spoken);
        QSignalSpy failed(&voice, &Voice::failed);
        // The caller's thread keeps running while the engine connects and speaks.
        int beats = 0;
        QList<int> beatsAtSpoken;
        QTimer heartbeat;
        connect(&heartbeat, &QTimer::timeout, this, [&beats] { ++beats; });
        connect(&voice, &SpeechdVoice::spoken, this, [&] { beatsAtSpoken.append(beats); });
        heartbeat.start(20);

        voice.setVolume(100);
        voice.setRate(-5);
        const int first = voice.speak(kZh + u"永远"_s, Voice::SpeakAsync);
        voice.setVolume(100);
        voice.setRate(-5);
        const int second = voice.speak(kEn + u"apple"_s, Voice::SpeakAsync);

        QTRY_VERIFY_WITH_TIMEOUT(spoken.size() == 2 || !failed.isEmpty(), kGenerousMs);
        QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).value(0).toString()));
        QCOMPARE(spoken.at(0).at(0).toInt(), first);
        QCOMPARE(spoken.at(0).at(1).toString(), SpeechdVoice::chineseVoiceName());
        QCOMPARE(spoken.at(1).at(0).toInt(), second);
        QVERIFY2(spoken.at(1).at(1).toString().startsWith(u"English"_s), qPrintable(spoken.at(1).at(1).toString()));
        QCOMPARE(voice.connection(), SpeechdVoice::Connection::Connected);
        QCOMPARE(voice.connectAttempts(), 1);
        QVERIFY(beatsAtSpoken.first() > 0);
    }
};

QTEST_GUILESS_MAIN(TestSpeechEngine)
#include "tst_speech_engine.moc"
