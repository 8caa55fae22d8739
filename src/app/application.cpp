#include "app/application.h"
#include "app/handover.h"
#include "app/startup.h"
#include "app/texts.h"
#include "app/widgets/gradientbar.h"
#include "app/widgets/onscreen.h"
#include "app/windows/mainwindow.h"
#include "app/windows/quicklookup.h"
#include "app/windows/splashwindow.h"
#include "app/windows/windows.h"
#include "core/error.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/webprofile.h"
#include "readers/feature.h"
#include "search/feature.h"
#include "services/feature.h"
#include "speech/feature.h"
#include "store/stores.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <unistd.h>

namespace mc::app {
namespace {

Q_LOGGING_CATEGORY(lcApp, "mc.app", QtInfoMsg)

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
    if (!qApp->findChild<OnScreenKeeper *>(QString(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new OnScreenKeeper(qApp));
    // The splash first, drawn before anything else is built: the main window's web views and
    // pages take most of start-up.
    m_windows = std::make_unique<Windows>();
    SplashWindow *splash = m_windows->splash;
    BusyIndicator::setCurrent(splash);
    splash->showNow();
    m_windows->buildMain();
    Windows *windows = m_windows.get();
    m_sectionSearch
        = search::install(m_windows->main->searchControls(), [windows] { return windows->radicalPicker(); });
    m_entrySpeech = speech::install(
        m_windows->main->speechControls(), [windows] { return windows->speechPrompt(); },
        [windows] { return windows->strokeViewer(); });

    try {
        m_dataFolder = openStores(m_windows->main->datasets(), [this, splash](int value) {
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
    readers::ReaderControls readers = m_windows->main->readerControls();
    readers.result = [windows] {
        ResultWindow *result = windows->result();
        return std::pair<QWidget *, web::HtmlView *>(result, result->view());
    };
    readers::install(readers);
    splash->hideNow();
    centre(m_windows->main);
    m_windows->main->show();
    return true;
}

void loadQtTranslations(QTranslator &translator)
{
    if (translator.isEmpty()
        && !translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(&translator);
}

int run(int &argc, char **argv)
{
    // Answered before the window system is touched: --help, --version and a hand-over to the
    // running copy work without a display, and a second start opens no store.
    QCoreApplication::setApplicationName(QStringLiteral("mingchuan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MC_VERSION));
    StartRequest request;
    QTranslator qtTexts;
    std::unique_ptr<InstanceServer> instance;
    {
        const QCoreApplication plain(argc, argv);
        loadQtTranslations(qtTexts);
        request = parseCommandLine(QCoreApplication::arguments());
        if (!request.error.isEmpty()) {
            std::fprintf(stderr, "mingchuan：%s\n用法见 mingchuan --help。\n", qPrintable(request.error));
            return 2;
        }
        bool handedOver = false;
        if (!request.sheet)
            instance = handOverOrClaim(instanceFolder(), request.text, &handedOver);
        if (handedOver)
            return 0;
    }
    if (request.sheet)
        return runSheet(argc, argv, *request.sheet);
    paths::setUpSettings();
    // Chromium's sandbox cannot run as root; the embedded views need it off there.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    web::setUpEngine();
    web::registerSchemes();
    QApplication qapp(argc, argv);
    loadQtTranslations(qtTexts);
    Application application;
    if (!application.start())
        return 1;
    web::restoreEnvironment(); // the main window's views exist: the engine has read its settings
    QuickLookup quick(application, lookup::UserData::defaultFolder());
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
