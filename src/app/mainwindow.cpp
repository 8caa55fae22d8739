#include "app/mainwindow.h"
#include "app/characterpage.h"
#include "app/classicspage.h"
#include "app/englishpage.h"
#include "app/idiompage.h"
#include "app/licencedialog.h"
#include "app/sayingspage.h"
#include "app/servicecommands.h"
#include "app/texts.h"
#include "app/topbar.h"
#include "app/welcomepage.h"
#include "app/wheelfilter.h"
#include "app/wordpage.h"
#include "app/xiehouyupage.h"
#include "mc/config.h"
#include "platform/guard.h"
#include "platform/htmlview.h"
#include "platform/messages.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace mc::app {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(texts::kMainCaption);
    for (const store::StoreInfo &info : store::stores())
        new store::Dataset(info.datasetName, this);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("clientArea"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_topBar = new TopBar(central);
    layout->addWidget(m_topBar);
    auto *pageArea = new QWidget(central);
    pageArea->setObjectName(QStringLiteral("pageArea"));
    layout->addWidget(pageArea, 1);
    setCentralWidget(central);

    buildMenus();
    buildPages(pageArea);
    wireBar();
    qApp->installEventFilter(new GridWheelFilter(this));

    // The designed client area is 794 × 614 below the menu bar.
    resize(794, 614 + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

store::Dataset *MainWindow::dataset(const QString &name) const
{
    return findChild<store::Dataset *>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::buildMenus()
{
    QMenu *speech = menuBar()->addMenu(texts::kSpeechMenu);
    speech->setObjectName(QStringLiteral("mnuSpeech"));
    speech->addAction(texts::kLoadSpeechEngine)->setObjectName(QStringLiteral("mniLoadSpeechEngine"));

    QMenu *database = menuBar()->addMenu(texts::kDatabaseMenu);
    database->setObjectName(QStringLiteral("mnuDatabase"));
    QAction *note = database->addAction(texts::kExtensionNote);
    note->setObjectName(QStringLiteral("mniExtensionNote"));
    connect(note, &QAction::triggered, this, [] { guarded(service::showExtensionNote); });
    database->addSeparator();
    QAction *site = database->addAction(texts::kVisitSite);
    site->setObjectName(QStringLiteral("mniVisitSite"));
    connect(site, &QAction::triggered, this, [this] { guarded([this] { service::visitSite(this); }); });
    QAction *contact = database->addAction(texts::kContactAuthor);
    contact->setObjectName(QStringLiteral("mniContactAuthor"));
    connect(contact, &QAction::triggered, this, [this] { guarded([this] { service::contactAuthor(this); }); });
    database->addSeparator();
    QAction *licences = database->addAction(texts::kLicences);
    licences->setObjectName(QStringLiteral("mniLicences"));
    connect(licences, &QAction::triggered, this, [this] { guarded([this] { showLicences(); }); });
}

void MainWindow::buildPages(QWidget *pageArea)
{
    // Every page fills the same cell of the page area; only one is visible at a time.
    auto *grid = new QGridLayout(pageArea);
    grid->setContentsMargins(16, 0, 16, 16);
    m_pages = {
        new WelcomePage(pageArea),
        new CharacterPage(dataset(QStringLiteral("ADOQuery2")), pageArea),
        new IdiomPage(dataset(QStringLiteral("ADOQuery1")), pageArea),
        new XiehouyuPage(dataset(QStringLiteral("ADOQuery3")), pageArea),
        new EnglishPage(dataset(QStringLiteral("ADOQuery7")), pageArea),
        new SayingsPage(dataset(QStringLiteral("ADOQuery4")), pageArea),
        new ClassicsPage(pageArea),
        new WordPage(dataset(QStringLiteral("ADOQuery5")), pageArea),
    };
    for (QWidget *page : std::as_const(m_pages))
        grid->addWidget(page, 0, 0);
    showPage(m_pages.constFirst());
}

void MainWindow::showPage(QWidget *page)
{
    page->setVisible(true);
    for (QWidget *other : std::as_const(m_pages)) {
        if (other != page)
            other->setVisible(false);
    }
}

void MainWindow::wireBar()
{
    const QList<std::pair<const char *, QString>> sections = {
        {"fltbtn4", QStringLiteral("FlatPanel4")}, {"fltbtn6", QStringLiteral("FlatPanel1")},
        {"fltbtn7", QStringLiteral("FlatPanel7")}, {"fltbtn8", QStringLiteral("FlatPanel8")},
        {"fltbtn12", QStringLiteral("FlatPanel2")}, {"fltbtn9", QStringLiteral("FlatPanel12")},
        {"fltbtn5", QStringLiteral("FlatPanel14")},
    };
    for (const auto &[buttonName, pageName] : sections) {
        auto *button = findChild<QAbstractButton *>(QString::fromLatin1(buttonName));
        QWidget *page = findChild<QWidget *>(pageName);
        connect(button, &QAbstractButton::clicked, this, [this, page] { showPage(page); });
    }
    auto button = [this](const char *name) { return findChild<QAbstractButton *>(QString::fromLatin1(name)); };
    connect(button("fltbtn13"), &QAbstractButton::clicked, this, [this] {
        guarded([this] {
            if (Messages::current().confirm(texts::kConfirmExit))
                close();
        });
    });
    connect(button("fltbtn14"), &QAbstractButton::clicked, this, [this] { guarded([this] { service::visitSite(this); }); });
    connect(button("fltbtn23"), &QAbstractButton::clicked, this,
            [this] { guarded([this] { service::contactAuthor(this); }); });
    connect(button("fltbtn22"), &QAbstractButton::clicked, this, [this] {
        if (!m_more)
            return;
        m_more->show();
        m_more->raise();
        m_more->activateWindow();
    });
    connect(button("FlatButton1"), &QAbstractButton::clicked, this, [this] {
        if (!m_lexicon)
            return;
        m_lexicon->show();
        m_lexicon->raise();
        m_lexicon->activateWindow();
    });
}

void MainWindow::setSecondaryWindows(QWidget *more, QWidget *lexicon)
{
    m_more = more;
    m_lexicon = lexicon;
}

void MainWindow::startLoading()
{
    // Both views only start loading; their completion is handled by the reader.
    auto *reader = findChild<web::HtmlView *>(QStringLiteral("WebBrowser2"));
    auto *loader = findChild<web::HtmlView *>(QStringLiteral("WebBrowser1"));
    const QString opening = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data/xhm.db"));
    guarded([&] { reader->navigate(opening); });
    guarded([&] { loader->navigate(QStringLiteral(MC_HISTORY_URL)); });
}

void MainWindow::showLicences()
{
    LicenceDialog dialog(this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever secondary window is still open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace mc::app
