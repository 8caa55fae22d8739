#pragma once
#include <QObject>
#include <QString>

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

} // namespace mc
