#include "platform/shell.h"
#include "platform/error.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <csignal>

namespace mc {
namespace {
Shell *g_shell = nullptr;

DesktopShell &desktopShell()
{
    static DesktopShell instance;
    return instance;
}
} // namespace

Shell &Shell::current()
{
    return g_shell ? *g_shell : desktopShell();
}

void Shell::setCurrent(Shell *shell)
{
    g_shell = shell;
}

void DesktopShell::open(const QString &target, QWidget *)
{
    const QFileInfo info(target);
    if (info.isFile() && info.isExecutable()) {
        // A program opens by running it, as the desktop's default action would.
        QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
        return;
    }
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl(target);
    QDesktopServices::openUrl(url);
}

void DesktopShell::runAndWait(const QString &file, const std::function<bool()> &stop)
{
    const QFileInfo info(file);
    if (!info.exists())
        throw Error(QStringLiteral("找不到文件 %1。").arg(file));
    // Started detached: when the wait stops because the program closes, the started file goes on
    // by itself. A file that can run itself is started directly, anything else by its opener.
    const QString program = info.isExecutable() ? info.absoluteFilePath() : QStringLiteral("xdg-open");
    const QStringList arguments = info.isExecutable() ? QStringList() : QStringList{info.absoluteFilePath()};
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, info.absolutePath(), &pid) || pid <= 0)
        throw Error(QStringLiteral("无法运行 %1。").arg(file));
    while (::kill(pid_t(pid), 0) == 0 || errno == EPERM) {
        if (stop && stop())
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        QThread::msleep(100);
    }
}

RecordingShell::RecordingShell() : m_previous(g_shell)
{
    Shell::setCurrent(this);
}

RecordingShell::~RecordingShell()
{
    Shell::setCurrent(m_previous);
}

} // namespace mc
