#include "support/doubles.h"

#include "core/error.h"

namespace mc {

RecordingMessages::RecordingMessages() : m_previous(Messages::setCurrent(this))
{}

RecordingMessages::~RecordingMessages()
{
    Messages::setCurrent(m_previous);
}

bool RecordingMessages::confirm(const QString &text)
{
    m_shown.append({Kind::Confirmation, text});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

RecordingShell::RecordingShell() : m_previous(Shell::setCurrent(this))
{}

RecordingShell::~RecordingShell()
{
    Shell::setCurrent(m_previous);
}

RecordingVoice::RecordingVoice() : m_previous(Voice::installed())
{
    Voice::install(this);
}

RecordingVoice::~RecordingVoice()
{
    Voice::install(m_previous);
}

void RecordingVoice::connectOnFirstUse()
{
    if (m_connected)
        return;
    ++m_attempts;
    if (m_failures > 0) {
        --m_failures;
        throw Error(m_failureText);
    }
    m_connected = true;
}

void RecordingVoice::setVolume(int volume)
{
    connectOnFirstUse();
    m_calls.append({QStringLiteral("Volume"), QString::number(volume), 0});
}

void RecordingVoice::setRate(int rate)
{
    connectOnFirstUse();
    m_calls.append({QStringLiteral("Rate"), QString::number(rate), 0});
}

int RecordingVoice::speak(const QString &text, int flags)
{
    connectOnFirstUse();
    m_calls.append({QStringLiteral("Speak"), text, flags});
    return static_cast<int>(m_calls.size());
}

void RecordingVoice::failNextConnections(int n, const QString &text)
{
    m_failures = n;
    m_failureText = text;
    m_connected = false;
}
} // namespace mc
