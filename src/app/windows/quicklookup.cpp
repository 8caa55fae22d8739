#include "app/windows/quicklookup.h"
#include "app/application.h"
#include "app/learn/learnhooks.h"
#include "app/widgets/historypanel.h"
#include "app/widgets/selectionpopup.h"
#include "app/windows/mainwindow.h"
#include "app/windows/quicklookupwindow.h"
#include "app/windows/windows.h"
#include "lookup/scriptchoice.h"
#include "lookup/texts.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>

namespace mc::app {
namespace {

// Reads the fields of an entry the quick lookup shows.
speech::FieldReader reader(const QList<QPair<QString, QString>> &fields)
{
    return [&fields](const QString &column) {
        for (const auto &[name, value] : fields) {
            if (name == column)
                return value;
        }
        return QString();
    };
}

} // namespace

QuickLookup::QuickLookup(Application &application, const QString &userFolder)
    : m_main(application.windows().main),
      m_search(application.sectionSearch()),
      m_speech(application.entrySpeech()),
      m_userFolder(userFolder),
      m_dataFolder(application.dataFolder()),
      m_selection(m_dataFolder),
      m_watcher(std::make_unique<lookup::SelectionWatcher>(m_selection, QApplication::clipboard())),
      m_popup(std::make_unique<SelectionPopup>())
{
    QMenu *menu = m_main->menuBar()->addMenu(lookup::texts::kMenu + QStringLiteral("(&Q)"));
    menu->setObjectName(QStringLiteral("mnuLookup"));
    QAction *open = menu->addAction(lookup::texts::kMenuItem);
    open->setObjectName(QStringLiteral("mniQuickLookup"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    open->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(open, &QAction::triggered, m_main, [this] { lookUp(window()->box()->text()); });
    QAction *history = menu->addAction(lookup::texts::kHistoryItem);
    history->setObjectName(QStringLiteral("mniHistory"));
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    QObject::connect(history, &QAction::triggered, m_main, [this] { showHistory(); });
    addSheetItem(menu, m_main, m_dataFolder, [this] { return m_window ? m_window->box()->text() : QString(); });
    menu->addSeparator();
    menu->addAction(m_watcher->action());
    menu->addAction(m_watcher->clipboardAction());
    menu->addAction(lookup::ScriptChoice::instance().createAction(menu));
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
        QObject::connect(m_history, &HistoryPanel::sheetRequested, m_history,
                         [this](const QString &text) { openSheetDialog(m_history, m_dataFolder, text); });
    }
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
    return m_history;
}

QuickLookupWindow *QuickLookup::window()
{
    if (!m_window) {
        using Fields = QList<QPair<QString, QString>>;
        QuickLookupActions actions{
            [this](store::StoreId store, const QString &head) { openInSection(store, head); },
            [this](store::StoreId store, const Fields &fields) { m_speech.readAloud(store, reader(fields)); },
            [this](store::StoreId store, const Fields &fields) { m_speech.copy(store, reader(fields)); },
        };
        m_window = new QuickLookupWindow(std::move(actions), &userData(), m_dataFolder, m_main);
        QObject::connect(m_window, &QuickLookupWindow::historyRequested, m_window, [this] { showHistory(); });
    }
    return m_window;
}

void QuickLookup::lookUp(const QString &text)
{
    window()->lookUp(text);
}

void QuickLookup::openInSection(store::StoreId store, const QString &headword)
{
    m_main->showSection(store);
    m_search.open(store, headword);
    m_main->raise();
    m_main->activateWindow();
}

} // namespace mc::app
