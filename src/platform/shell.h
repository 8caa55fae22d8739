#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace mc {

// Stands in for the desktop shell: opening documents and addresses, starting a file and
// waiting for it. Tests install a recorder.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens an address, mailto link or document with its default action; the result is ignored.
    virtual void open(const QString &target, QWidget *owner) = 0;
    // Starts a file with its type's default action and waits in 100 ms steps, processing events,
    // until it ends or stop() says so. Returns false, at once, when the file is missing or cannot
    // be started; the shell speaks of that in its own words (on standard error), never in a box.
    virtual bool runAndWait(const QString &file, const std::function<bool()> &stop) = 0;

    static Shell &current();
    // Not owned; nullptr restores the desktop one. Returns the one installed before, nullptr for
    // the desktop one.
    static Shell *setCurrent(Shell *shell);
};

class DesktopShell final : public Shell {
public:
    void open(const QString &target, QWidget *owner) override;
    bool runAndWait(const QString &file, const std::function<bool()> &stop) override;
};

} // namespace mc
