#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class QThread;
class QTimer;

namespace mc {

// The text-to-speech voice as the read-aloud commands use it: volume and rate are set before
// every request, and a request is queued behind whatever is still being spoken.
class Voice : public QObject {
    Q_OBJECT
public:
    static constexpr int SpeakAsync = 1;

    using QObject::QObject;
    // Each call may connect the voice first; a failure throws mc::Error.
    virtual void setVolume(int volume) = 0; // 0 to 100
    virtual void setRate(int rate) = 0;     // -10 to 10, 0 is the engine's normal speed
    // Returns at once with the request's stream number; never purges earlier requests.
    virtual int speak(const QString &text, int flags) = 0;

    // A voice installed here (by tests) is used instead of the one a caller would create.
    static Voice *installed();
    static void install(Voice *voice); // not owned; nullptr removes it

signals:
    // A failure that became known after the call that caused it had returned.
    void failed(const QString &text);
};

enum class SpeechLanguage { Default, Chinese, English };

// A request split into the language its leading <LANG LANGID="..."> tag names and the text after it.
struct SpeechRequest {
    SpeechLanguage language = SpeechLanguage::Default;
    QString text;
};
SpeechRequest parseSpeechRequest(const QString &markup);

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

// Records the calls it gets; tests install it in place of the engine voice.
class RecordingVoice final : public Voice {
    Q_OBJECT
public:
    struct Call {
        QString operation; // "Volume", "Rate" or "Speak"
        QString text;      // the value, or the text spoken
        int flags = 0;
    };

    RecordingVoice();
    ~RecordingVoice() override;

    void setVolume(int volume) override;
    void setRate(int rate) override;
    int speak(const QString &text, int flags) override;

    // The next n connections fail with text, as an absent engine would.
    void failNextConnections(int n, const QString &text);
    int connectAttempts() const { return m_attempts; }
    const QList<Call> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    void connectOnFirstUse();

    QList<Call> m_calls;
    bool m_connected = false;
    int m_attempts = 0;
    int m_failures = 0;
    QString m_failureText;
    Voice *m_previous;
};

} // namespace mc
