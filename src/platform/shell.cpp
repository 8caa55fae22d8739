#include "platform/shell.h"
#include "platform/error.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QUrl>

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
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                                               : QUrl(target);
    QDesktopServices::openUrl(url);
}

void DesktopShell::runAndWait(const QString &file, const std::function<bool()> &stop)
{
    const QFileInfo info(file);
    if (!info.exists())
        throw Error(QStringLiteral("找不到文件 %1").arg(file));
    // A file that can run itself is started directly; anything else goes to its default opener.
    QProcess process;
    if (info.isExecutable())
        process.start(info.absoluteFilePath(), {});
    else
        process.start(QStringLiteral("xdg-open"), {info.absoluteFilePath()});
    if (!process.waitForStarted(5000))
        throw Error(QStringLiteral("无法运行 %1：%2").arg(file, process.errorString()));
    while (process.state() != QProcess::NotRunning) {
        if (stop && stop())
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        process.waitForFinished(100);
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
