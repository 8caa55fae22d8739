#include "app/windows/quicklookup.h"
#include "app/learn/learnhooks.h"
#include "app/widgets/historypanel.h"
#include "app/widgets/selectionpopup.h"
#include "app/windows/mainwindow.h"
#include "app/windows/quicklookupwindow.h"
#include "lookup/texts.h"
#include "search/searchtable.h"
#include "speech/copy.h"
#include "speech/readaloud.h"
#include "store/dataset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>

namespace mc::app {
namespace {

using Fields = QList<QPair<QString, QString>>;

store::StoreId storeOf(lookup::Group group)
{
    return lookup::groupInfo(group).store;
}

QString field(const Fields &fields, const QString &column)
{
    for (const auto &[name, value] : fields) {
        if (name == column)
            return value;
    }
    return {};
}

// The section's first read-aloud button reads what the quick lookup reads, the same way.
void readAloud(MainWindow *main, lookup::Group group, const Fields &fields)
{
    auto *speech = main->findChild<speech::ReadAloud *>();
    for (const speech::ReadAloudCommand &command : speech::readAloudCommands()) {
        if (command.store != storeOf(group) || !speech)
            continue;
        QString text;
        for (const QString &column : command.columns)
            text += field(fields, column);
        speech::readAloud(speech->voice(), text, command.language);
        return;
    }
}

void copy(lookup::Group group, const Fields &fields)
{
    for (const speech::CopyCommand &command : speech::copyCommands()) {
        if (command.store != storeOf(group))
            continue;
        speech::setClipboardText(QApplication::clipboard(),
                                 command.compose([&fields](const QString &column) { return field(fields, column); }));
        return;
    }
}

} // namespace

QuickLookup::QuickLookup(MainWindow *main, const QString &userFolder, const QString &dataFolder)
    : m_main(main),
      m_userFolder(userFolder),
      m_dataFolder(dataFolder),
      m_selection(dataFolder),
      m_watcher(std::make_unique<lookup::SelectionWatcher>(m_selection, QApplication::clipboard())),
      m_popup(std::make_unique<SelectionPopup>())
{
    QMenu *menu = main->menuBar()->addMenu(lookup::texts::kMenu);
    menu->setObjectName(QStringLiteral("mnuLookup"));
    QAction *open = menu->addAction(lookup::texts::kMenuItem);
    open->setObjectName(QStringLiteral("mniQuickLookup"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    open->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(open, &QAction::triggered, main, [this] { lookUp(window()->box()->text()); });
    QAction *history = menu->addAction(lookup::texts::kHistoryItem);
    history->setObjectName(QStringLiteral("mniHistory"));
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    QObject::connect(history, &QAction::triggered, main, [this] { showHistory(); });
    addSheetItem(menu, main, m_dataFolder, [this] { return m_window ? m_window->box()->text() : QString(); });
    menu->addSeparator();
    menu->addAction(m_watcher->action());
    m_popup->follow(m_watcher.get());
    QObject::connect(m_watcher.get(), &lookup::SelectionWatcher::found, m_watcher.get(),
                     [this](const lookup::Entry &entry) { userData().addLookup(entry); });
}

// The windows go first: they use the user data.
QuickLookup::~QuickLookup()
{
    delete m_history;
    delete m_window;
}

lookup::UserData &QuickLookup::userData()
{
    if (!m_userData) {
        m_userData = std::make_unique<lookup::UserData>();
        m_userData->open(m_userFolder);
    }
    return *m_userData;
}

HistoryPanel *QuickLookup::showHistory()
{
    if (!m_history) {
        m_history = new HistoryPanel(userData(), m_main);
        m_history->setWindowFlag(Qt::Window);
        m_history->setWindowTitle(lookup::texts::kHistoryItem);
        m_history->resize(560, 520);
        QObject::connect(m_history, &HistoryPanel::entryActivated, m_history,
                         [this](const lookup::Entry &entry) { window()->lookUpEntry(entry); });
    }
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
    return m_history;
}

QuickLookupWindow *QuickLookup::window()
{
    if (!m_window) {
        MainWindow *main = m_main;
        QuickLookupActions actions{
            [main](lookup::Group g, const QString &head) { openInSection(main, g, head); },
            [main](lookup::Group g, const Fields &f) { readAloud(main, g, f); },
            [](lookup::Group g, const Fields &f) { copy(g, f); },
        };
        m_window = new QuickLookupWindow(std::move(actions), &userData(), m_dataFolder, main);
        QObject::connect(m_window, &QuickLookupWindow::historyRequested, m_window, [this] { showHistory(); });
    }
    return m_window;
}

void QuickLookup::lookUp(const QString &text)
{
    window()->lookUp(text);
}

void QuickLookup::openInSection(MainWindow *main, lookup::Group group, const QString &head)
{
    // The section's first search of its first mode: by character, by name, by word, either half.
    const auto section = search::Section(int(group));
    const search::SearchEntry *entry = nullptr;
    for (const search::SearchEntry &e : search::searches()) {
        if (e.section == section && e.mode == 0) {
            entry = &e;
            break;
        }
    }
    const search::SearchControls controls = main->searchControls();
    QAbstractButton *bar = main->sectionButton(storeOf(group));
    QLineEdit *box = entry ? controls.boxes.value(entry->box) : nullptr;
    QAbstractButton *button = entry ? controls.buttons.value(entry->button) : nullptr;
    if (!bar || !box || !button)
        return;
    bar->click();
    if (QComboBox *combo = controls.modeLists.value(entry->modeControl))
        combo->setCurrentIndex(entry->mode);
    else if (QAbstractButton *direction = controls.direction; entry->modeControl == search::ModeControl::Direction
             && direction && direction->text() != search::directions().value(entry->mode))
        direction->click();
    box->setText(head);
    button->click();
    store::Dataset *dataset = main->dataset(storeOf(group));
    const QString column = lookup::groupInfo(group).headColumn;
    if (dataset && dataset->isOpen() && dataset->isKeyColumn(column)) {
        for (int row = 0; row < dataset->recordCount(); ++row) {
            if (dataset->keyValue(row, column) == head) {
                dataset->setCurrentRow(row);
                break;
            }
        }
    }
    main->raise();
    main->activateWindow();
}

} // namespace mc::app
