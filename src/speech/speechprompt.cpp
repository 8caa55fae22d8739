#include "speech/speechprompt.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textcodec.h"
#include "speech/texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>

namespace mc::speech {
namespace {

// Sees the quit request that closing the main window sends to the application.
class QuitWatcher final : public QObject {
public:
    QuitWatcher() : QObject(QCoreApplication::instance())
    {
        QCoreApplication::instance()->installEventFilter(this);
        if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            connect(gui, &QGuiApplication::lastWindowClosed, this, [this] { m_requested = true; });
    }
    bool requested() const { return m_requested; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance())
            m_requested = true;
        return false;
    }

private:
    bool m_requested = false;
};

} // namespace

bool quitRequested()
{
    static QuitWatcher *watcher = QCoreApplication::instance() ? new QuitWatcher : nullptr;
    return watcher ? watcher->requested() : true;
}

void loadSpeechEngine()
{
    quitRequested(); // start watching before the wait
    if (!Messages::current().confirm(texts::kLoadEngineQuestion))
        return;
    // A bare file name: resolved against the working directory, like the stores; a working
    // directory without it (an installed copy's) falls back to the program's own.
    const QString installer
        = QFileInfo::exists(texts::kInstallerFile) || !QFileInfo::exists(SpeechPrompt::installerPath())
        ? texts::kInstallerFile
        : SpeechPrompt::installerPath();
    Shell::current().runAndWait(installer, [] { return quitRequested(); });
}

SpeechPrompt::SpeechPrompt(QWidget *parent) : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(texts::kPromptCaption);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto *text = new QLabel(texts::kPromptText, this);
    auto *install = new QPushButton(texts::kPromptInstall, this);
    install->setObjectName(QStringLiteral("PDJButton1"));
    m_dontShow = new QCheckBox(texts::kPromptDontShow, this);
    m_dontShow->setObjectName(QStringLiteral("CheckBox1"));
    m_dontShow->setChecked(true);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(install);
    layout->addWidget(m_dontShow);

    // Opened, not waited for: the window stays as it is while the installer runs.
    connect(install, &QPushButton::clicked, this, [this] { Shell::current().open(installerPath(), this); });
}

QString SpeechPrompt::settingsPath()
{
    return QDir(paths::writeFolder(paths::Written::Setting)).filePath(texts::kPromptSettingsFile);
}

QString SpeechPrompt::installerPath()
{
    // An installed copy keeps it in its shared folder.
    for (const QString &path : {paths::programFolder(), paths::sharedFolder()}) {
        const QDir folder(path);
        const QStringList found = folder.entryList({texts::kPromptInstallerFile}, QDir::Files, QDir::Name);
        if (!found.isEmpty())
            return folder.filePath(found.constFirst());
    }
    return QDir(paths::programFolder()).filePath(texts::kPromptInstallerFile);
}

bool SpeechPrompt::dontShowAgain() const
{
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    return settings.value(texts::kPromptSettingsKey).toString() == QLatin1String("1");
}

void SpeechPrompt::offer()
{
    if (dontShowAgain())
        return;
    show();
    raise();
    activateWindow();
}

void SpeechPrompt::closeEvent(QCloseEvent *event)
{
    // Written whole or not at all (QSettings would fail silently and leave a lock file beside it).
    const QString value = m_dontShow->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    const QStringList key = texts::kPromptSettingsKey.split(QLatin1Char('/'));
    guarded([&] {
        textcodec::writeLines(settingsPath(),
                              {QLatin1Char('[') + key.at(0) + QLatin1Char(']'), key.at(1) + QLatin1Char('=') + value});
    });
    QWidget::closeEvent(event);
}

} // namespace mc::speech
