#include "app/windows/mainwindow.h"
#include "app/pages/characterpage.h"
#include "app/pages/classicspage.h"
#include "app/pages/englishpage.h"
#include "app/pages/idiompage.h"
#include "app/pages/sayingspage.h"
#include "app/pages/welcomepage.h"
#include "app/pages/wordpage.h"
#include "app/pages/xiehouyupage.h"
#include "app/servicecommands.h"
#include "app/texts.h"
#include "app/widgets/topbar.h"
#include "app/widgets/wheelfilter.h"
#include "app/windows/licencedialog.h"
#include "mc/config.h"
#include "platform/guard.h"
#include "platform/htmlview.h"
#include "platform/messages.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QKeySequence>
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

    // The designed client area is 794 × 614 below the menu bar; smaller, the placed controls
    // (search buttons, "退出软件") would be cut off.
    central->setMinimumSize(794, 614);
    resize(794, 614 + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

store::Dataset *MainWindow::dataset(const QString &name) const
{
    return findChild<store::Dataset *>(name, Qt::FindDirectChildrenOnly);
}

namespace {

// Access keys the way Chinese menus carry them: the letter in brackets after the text.
QString withAccessKey(const QString &text, char key)
{
    return text + QStringLiteral("(&") + QLatin1Char(key) + QLatin1Char(')');
}

} // namespace

void MainWindow::buildMenus()
{
    QMenu *speech = menuBar()->addMenu(withAccessKey(texts::kSpeechMenu, 'S'));
    speech->setObjectName(QStringLiteral("mnuSpeech"));
    speech->addAction(withAccessKey(texts::kLoadSpeechEngine, 'L'))->setObjectName(QStringLiteral("mniLoadSpeechEngine"));

    QMenu *database = menuBar()->addMenu(withAccessKey(texts::kDatabaseMenu, 'D'));
    database->setObjectName(QStringLiteral("mnuDatabase"));
    QAction *note = database->addAction(withAccessKey(texts::kExtensionNote, 'E'));
    note->setObjectName(QStringLiteral("mniExtensionNote"));
    connect(note, &QAction::triggered, this, [] { guarded(service::showExtensionNote); });
    database->addSeparator();
    QAction *site = database->addAction(withAccessKey(texts::kVisitSite, 'W'));
    site->setObjectName(QStringLiteral("mniVisitSite"));
    connect(site, &QAction::triggered, this, [this] { guarded([this] { service::visitSite(this); }); });
    QAction *contact = database->addAction(withAccessKey(texts::kContactAuthor, 'C'));
    contact->setObjectName(QStringLiteral("mniContactAuthor"));
    connect(contact, &QAction::triggered, this, [this] { guarded([this] { service::contactAuthor(this); }); });
    database->addSeparator();
    QAction *licences = database->addAction(withAccessKey(texts::kLicences, 'I'));
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
    struct Section {
        const char *button;
        const char *page;
        const char *firstBox; // where the focus goes when the section is opened from the keyboard
    };
    // In bar order, which Ctrl+1 … Ctrl+7 follow.
    const Section sections[] = {
        {"fltbtn4", "FlatPanel4", "edit2"},   {"fltbtn6", "FlatPanel1", "Edit4"},
        {"fltbtn7", "FlatPanel7", "Edit1"},   {"fltbtn8", "FlatPanel8", "Edit6"},
        {"fltbtn12", "FlatPanel2", "Edit8"},  {"fltbtn9", "FlatPanel12", "FlatListBoxExt1"},
        {"fltbtn5", "FlatPanel14", "Edit10"},
    };
    auto button = [this](const char *name) { return findChild<QAbstractButton *>(QString::fromLatin1(name)); };
    int number = 0;
    for (const Section &section : sections) {
        QAbstractButton *sectionButton = button(section.button);
        QWidget *page = findChild<QWidget *>(QString::fromLatin1(section.page));
        QWidget *firstBox = page->findChild<QWidget *>(QString::fromLatin1(section.firstBox));
        connect(sectionButton, &QAbstractButton::clicked, this, [this, page] { showPage(page); });
        addSectionShortcut(sectionButton, ++number, [firstBox] {
            // As a tab into it would: a keyword box selects its placeholder, so typing replaces it.
            firstBox->setFocus(Qt::ShortcutFocusReason);
        });
    }
    addSectionShortcut(button("FlatButton1"), ++number, [] {});
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

void MainWindow::addSectionShortcut(QAbstractButton *button, int number, const std::function<void()> &thenFocus)
{
    auto *action = new QAction(button);
    action->setObjectName(button->objectName() + QStringLiteral("Key"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number)));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    button->setToolTip(QStringLiteral("%1（%2）").arg(button->text(),
                                                      action->shortcut().toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, [button, thenFocus] {
        button->click();
        thenFocus();
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
