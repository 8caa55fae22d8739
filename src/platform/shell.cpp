#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <utility>

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

Shell *Shell::setCurrent(Shell *shell)
{
    return std::exchange(g_shell, shell);
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

bool DesktopShell::runAndWait(const QString &file, const std::function<bool()> &stop)
{
    const QFileInfo info(file);
    if (!info.exists()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("找不到文件 %1").arg(info.absoluteFilePath())));
        return false;
    }
    // Started detached: when the wait stops because the program closes, the started file goes on
    // by itself. A file that can run itself is started directly, anything else by its opener.
    const QString program = info.isExecutable() ? info.absoluteFilePath() : QStringLiteral("xdg-open");
    const QStringList arguments = info.isExecutable() ? QStringList() : QStringList{info.absoluteFilePath()};
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, info.absolutePath(), &pid) || pid <= 0) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("无法运行 %1").arg(info.absoluteFilePath())));
        return false;
    }
    while (::kill(pid_t(pid), 0) == 0 || errno == EPERM) {
        if (stop && stop())
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        QThread::msleep(100);
    }
    return true;
}

} // namespace mc
