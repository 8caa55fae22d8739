#pragma once
#include "platform/voice.h"

#include <memory>

class QThread;
class QTimer;

namespace mc {

class SpeechWorker;
struct ConnectResult;

// The voice over Qt TextToSpeech. The engine lives in a thread of its own, so a slow or hung
// speech service never holds up the caller: connecting is waited for only briefly, and a
// connection that finishes later (or fails later) is reported through failed().
class SpeechdVoice final : public Voice {
    Q_OBJECT
public:
    enum class Connection { None, Connecting, Connected };

    explicit SpeechdVoice(const QString &engine = QStringLiteral("speechd"), QObject *parent = nullptr);
    ~SpeechdVoice() override;

    void setVolume(int volume) override;
    void setRate(int rate) override;
    int speak(const QString &text, int flags) override;

    void setEngine(const QString &engine) { m_engineName = engine; } // used from the next connection on
    Connection connection() const { return m_connection; }
    int connectAttempts() const { return m_attempts; }

    static const QString &chineseVoiceName(); // "Chinese (Mandarin, latin as Pinyin)"

signals:
    // A request has been spoken (or had nothing to speak) and the engine is ready again.
    void spoken(int stream, const QString &voiceName);

private:
    void ensureConnected();
    void onConnectFinished(bool ok, const QString &error);
    void abandonWorker();

    QString m_engineName;
    Connection m_connection = Connection::None;
    int m_attempts = 0;
    int m_volume = 100;
    int m_rate = 0;
    int m_lastStream = 0;
    bool m_hasChinese = false;
    bool m_hasEnglish = false;
    QThread *m_thread = nullptr;
    SpeechWorker *m_worker = nullptr;
    std::shared_ptr<ConnectResult> m_pending;
    QTimer *m_deadline = nullptr;
};

} // namespace mc
