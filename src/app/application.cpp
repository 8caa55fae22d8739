#include "app/application.h"
#include "app/handover.h"
#include "app/startup.h"
#include "app/texts.h"
#include "app/widgets/gradientbar.h"
#include "app/windows/mainwindow.h"
#include "app/windows/quicklookup.h"
#include "app/windows/splashwindow.h"
#include "app/windows/windows.h"
#include "core/error.h"
#include "platform/messages.h"
#include "platform/webprofile.h"
#include "readers/feature.h"
#include "search/feature.h"
#include "services/feature.h"
#include "speech/feature.h"
#include "store/stores.h"

#include <QApplication>
#include <QFont>
#include <QLoggingCategory>
#include <QScreen>

#include <unistd.h>

namespace mc::app {
namespace {

Q_LOGGING_CATEGORY(lcApp, "mc.app")

void installFontSubstitutes()
{
    QFont::insertSubstitutions(
        QStringLiteral("宋体"),
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")});
    QFont::insertSubstitutions(
        QStringLiteral("黑体"),
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK SC")});
}

void centre(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->frameGeometry().center() + window->pos());
}

} // namespace

Application::Application() = default;
Application::~Application()
{
    BusyIndicator::setCurrent(nullptr);
}

bool Application::start()
{
    // No application display name: Qt would append it to every window title ("Confirm — …"), and
    // each window's title must be exactly its own caption.
    installFontSubstitutes();
    m_windows = std::make_unique<Windows>();
    BusyIndicator::setCurrent(m_windows->splash);
    search::install(m_windows->main->searchControls(), m_windows->radicalPicker);
    speech::install(m_windows->main->speechControls(), m_windows->speechPrompt, m_windows->strokeViewer);

    SplashWindow *splash = m_windows->splash;
    splash->showNow();
    DatasetMap datasets;
    for (const store::StoreInfo &info : store::stores())
        datasets.insert(info.datasetName, m_windows->main->dataset(info.datasetName));
    try {
        m_dataFolder = openStores(datasets, [this, splash](int value) {
            splash->bar()->setPosition(value);
            if (m_observer)
                m_observer(value);
        });
    } catch (const Error &e) {
        Messages::current().applicationError(errorReportText(e.text()));
        return false;
    }
    // Only now: a failed start must neither load pages nor write lsjt.dat (a running copy's
    // file among them), nor stack a box of its own over the start-up report.
    services::install(m_dataFolder);
    readers::install(m_windows->main->readerControls(m_windows->result));
    splash->hideNow();
    centre(m_windows->main);
    m_windows->main->show();
    return true;
}

int run(int &argc, char **argv)
{
    // Answered before the window system is touched: --help, --version and a hand-over to the
    // running copy work without a display, and a second start opens no store.
    QCoreApplication::setApplicationName(QStringLiteral("mingchuan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MC_VERSION));
    StartRequest request;
    std::unique_ptr<InstanceServer> instance;
    {
        const QCoreApplication plain(argc, argv);
        request = parseCommandLine(QCoreApplication::arguments());
        bool handedOver = false;
        instance = handOverOrClaim(instanceFolder(), request.text, &handedOver);
        if (handedOver)
            return 0;
    }
    // Chromium's sandbox cannot run as root; the embedded views need it off there.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    web::registerSchemes();
    QApplication qapp(argc, argv);
    Application application;
    if (!application.start())
        return 1;
    QuickLookup quick(application.windows().main, lookup::UserData::defaultFolder(), application.dataFolder());
    if (instance) {
        instance->setReceiver([&application, &quick](const QString &text) {
            qCDebug(lcApp) << "taking over a later start's text:" << text;
            if (text.isEmpty()) {
                application.windows().main->raise();
                application.windows().main->activateWindow();
            } else {
                quick.lookUp(text);
            }
        });
    }
    if (!request.text.isEmpty())
        quick.lookUp(request.text);
    return QApplication::exec();
}

} // namespace mc::app
