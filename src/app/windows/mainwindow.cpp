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
#include "app/windows/resultwindow.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "speech/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

namespace mc::app {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(texts::kMainCaption);
    for (const store::StoreInfo &info : store::stores())
        m_datasets.insert(info.id, new store::Dataset(info.datasetName, this));

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
    m_loadSpeechEngine = speech->addAction(withAccessKey(speech::texts::kLoadSpeechEngine, 'L'));
    m_loadSpeechEngine->setObjectName(QStringLiteral("mniLoadSpeechEngine"));

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
    using store::StoreId;
    // Every page fills the same cell of the page area; only one is visible at a time.
    auto *grid = new QGridLayout(pageArea);
    grid->setContentsMargins(16, 0, 16, 16);
    auto *welcome = new WelcomePage(pageArea);
    m_character = new CharacterPage(dataset(StoreId::Characters), pageArea);
    m_idiom = new IdiomPage(dataset(StoreId::Idioms), pageArea);
    m_xiehouyu = new XiehouyuPage(dataset(StoreId::Xiehouyu), pageArea);
    m_english = new EnglishPage(dataset(StoreId::English), pageArea);
    m_sayings = new SayingsPage(dataset(StoreId::Sayings), pageArea);
    m_classics = new ClassicsPage(pageArea);
    m_word = new WordPage(dataset(StoreId::Words), pageArea);
    m_pages = {welcome, m_character, m_idiom, m_xiehouyu, m_english, m_sayings, m_classics, m_word};
    m_sections = {{StoreId::Characters, m_character}, {StoreId::Idioms, m_idiom},    {StoreId::Xiehouyu, m_xiehouyu},
                  {StoreId::English, m_english},      {StoreId::Sayings, m_sayings}, {StoreId::Words, m_word}};
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

void MainWindow::showSection(store::StoreId id)
{
    showPage(m_sections.value(id));
}

namespace {

void bringUp(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::wireBar()
{
    // Ctrl+1 … Ctrl+7 follow the bar's order; a section opened from the keyboard has the focus in
    // its keyword box, the classics reader in its title list.
    const TopBar::Buttons &bar = m_topBar->buttons();
    int number = 0;
    for (const TopBar::SectionButton &section : bar.sections) {
        SectionPage *dictionary = section.store ? m_sections.value(*section.store) : nullptr;
        QWidget *page = dictionary ? static_cast<QWidget *>(dictionary) : m_classics;
        QWidget *firstBox
            = dictionary ? static_cast<QWidget *>(dictionary->controls().keyword) : m_classics->titleList();
        QAbstractButton *sectionButton = section.button;
        connect(sectionButton, &QAbstractButton::clicked, this, [this, page] { showPage(page); });
        addSectionShortcut(sectionButton, ++number, [firstBox] {
            // As a tab into it would: a keyword box selects its placeholder, so typing replaces it.
            firstBox->setFocus(Qt::ShortcutFocusReason);
        });
    }
    addSectionShortcut(bar.lexicon, ++number, [] {});
    connect(bar.exit, &QAbstractButton::clicked, this, [this] {
        guarded([this] {
            if (Messages::current().confirm(texts::kConfirmExit))
                close();
        });
    });
    connect(bar.upgrade, &QAbstractButton::clicked, this, [this] { guarded([this] { service::visitSite(this); }); });
    connect(bar.contact, &QAbstractButton::clicked, this,
            [this] { guarded([this] { service::contactAuthor(this); }); });
    connect(bar.more, &QAbstractButton::clicked, this, [this] { bringUp(m_more ? m_more() : nullptr); });
    connect(bar.lexicon, &QAbstractButton::clicked, this, [this] { bringUp(m_lexicon ? m_lexicon() : nullptr); });
}

void MainWindow::addSectionShortcut(QAbstractButton *button, int number, const std::function<void()> &thenFocus)
{
    auto *action = new QAction(button);
    action->setObjectName(button->objectName() + QStringLiteral("Key"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number)));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    button->setToolTip(
        QStringLiteral("%1（%2）").arg(button->text(), action->shortcut().toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, [button, thenFocus] {
        button->click();
        thenFocus();
    });
}

void MainWindow::setSecondaryWindows(std::function<QWidget *()> more, std::function<QWidget *()> lexicon)
{
    m_more = std::move(more);
    m_lexicon = std::move(lexicon);
}

search::SearchControls MainWindow::searchControls()
{
    using search::ModeControl;
    using search::SearchBox;
    using search::SearchButton;
    using store::StoreId;

    search::SearchControls controls;
    controls.window = this;
    controls.datasets = m_datasets;
    controls.boxes = {{SearchBox::Character, m_character->controls().keyword},
                      {SearchBox::Idiom, m_idiom->controls().keyword},
                      {SearchBox::Xiehouyu, m_xiehouyu->controls().keyword},
                      {SearchBox::English, m_english->controls().keyword},
                      {SearchBox::Saying, m_sayings->controls().keyword},
                      {SearchBox::Person, m_sayings->controls().otherKeyword},
                      {SearchBox::Word, m_word->controls().keyword}};
    controls.buttons = {{SearchButton::Character, m_character->controls().search},
                        {SearchButton::Idiom, m_idiom->controls().search},
                        {SearchButton::Xiehouyu, m_xiehouyu->controls().search},
                        {SearchButton::EnglishExact, m_english->controls().search},
                        {SearchButton::EnglishFuzzy, m_english->controls().otherSearch},
                        {SearchButton::Saying, m_sayings->controls().search},
                        {SearchButton::Person, m_sayings->controls().otherSearch},
                        {SearchButton::Word, m_word->controls().search}};
    controls.modeLists = {{ModeControl::CharacterModes, m_character->controls().modes},
                          {ModeControl::IdiomModes, m_idiom->controls().modes},
                          {ModeControl::XiehouyuModes, m_xiehouyu->controls().modes}};
    controls.direction = m_english->controls().direction;
    controls.idiomHelp = m_idiom->controls().help;
    controls.xiehouyuHelp = m_xiehouyu->controls().help;
    controls.orderButtons = {{StoreId::Characters, m_character->controls().order},
                             {StoreId::Idioms, m_idiom->controls().order},
                             {StoreId::Xiehouyu, m_xiehouyu->controls().order}};
    controls.refreshButtons = {{StoreId::Characters, m_character->controls().refresh},
                               {StoreId::Idioms, m_idiom->controls().refresh},
                               {StoreId::Xiehouyu, m_xiehouyu->controls().refresh}};
    return controls;
}

speech::SpeechControls MainWindow::speechControls()
{
    using speech::CopyText;
    using speech::Reading;

    speech::SpeechControls controls;
    controls.owner = this;
    controls.datasets = m_datasets;
    controls.readAloud = {{Reading::Character, m_character->controls().readAloud},
                          {Reading::Word, m_word->controls().readAloud},
                          {Reading::WordExplanation, m_word->controls().readExplanation},
                          {Reading::Idiom, m_idiom->controls().readAloud},
                          {Reading::Xiehouyu, m_xiehouyu->controls().readAloud},
                          {Reading::English, m_english->controls().readAloud},
                          {Reading::Saying, m_sayings->controls().readAloud}};
    controls.copy = {{CopyText::Character, m_character->controls().copy},
                     {CopyText::CharacterExplanation, m_character->controls().copyExplanation},
                     {CopyText::WordForms, m_word->controls().copy},
                     {CopyText::WordExplanation, m_word->controls().copyExplanation},
                     {CopyText::Idiom, m_idiom->controls().copy},
                     {CopyText::Xiehouyu, m_xiehouyu->controls().copy},
                     {CopyText::XiehouyuHalves, m_xiehouyu->controls().firstHalf},
                     {CopyText::XiehouyuHalves, m_xiehouyu->controls().secondHalf},
                     {CopyText::English, m_english->controls().copy},
                     {CopyText::Saying, m_sayings->controls().copy}};
    controls.loadEngine = m_loadSpeechEngine;
    controls.strokeOrder = m_character->controls().strokeOrder;
    return controls;
}

readers::ReaderControls MainWindow::readerControls() const
{
    readers::ReaderControls controls;
    controls.reader = m_classics->readerView();
    controls.loader = m_classics->loaderView();
    controls.titles = m_classics->titleList();
    controls.pictureTitles = m_classics->pictureTitleList();
    controls.onlineLookup = m_topBar->buttons().onlineLookup;
    return controls;
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
