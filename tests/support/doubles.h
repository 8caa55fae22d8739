#pragma once
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/voice.h"

#include <QList>
#include <QString>
#include <QStringList>

// Stand-ins that tests install in place of the message boxes, the desktop shell and the speech
// engine. Each installs itself while it lives and puts back what was there before.
namespace mc {

// Records what would be shown; answers confirmations from a script (default: No).
class RecordingMessages final : public Messages {
public:
    struct Shown {
        Kind kind;
        QString text;
    };

    RecordingMessages();
    ~RecordingMessages() override;

    void information(const QString &text) override { m_shown.append({Kind::Information, text}); }
    void plain(const QString &text) override { m_shown.append({Kind::Plain, text}); }
    bool confirm(const QString &text) override;
    void error(const QString &text) override { m_shown.append({Kind::Error, text}); }
    void applicationError(const QString &text) override { m_shown.append({Kind::ApplicationError, text}); }

    void answerNext(bool yes) { m_answers.append(yes); }
    const QList<Shown> &shown() const { return m_shown; }
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.constLast().text; }
    Kind lastKind() const { return m_shown.constLast().kind; }
    void clear()
    {
        m_shown.clear();
        m_answers.clear();
    }

private:
    QList<Shown> m_shown;
    QList<bool> m_answers;
    Messages *m_previous;
};

class RecordingShell final : public Shell {
public:
    RecordingShell();
    ~RecordingShell() override;
    void open(const QString &target, QWidget *) override { m_opened.append(target); }
    bool runAndWait(const QString &file, const std::function<bool()> &) override
    {
        m_ran.append(file);
        return true;
    }
    const QStringList &opened() const { return m_opened; }
    const QStringList &ran() const { return m_ran; }

private:
    QStringList m_opened;
    QStringList m_ran;
    Shell *m_previous;
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
