#pragma once
#include "lookup/selectionlookup.h"
#include "search/feature.h"
#include "speech/feature.h"
#include "store/stores.h"

#include <QString>
#include <memory>

namespace mc::app {

class Application;
class HistoryPanel;
class MainWindow;
class QuickLookupWindow;
class SelectionPopup;

// Adds the quick lookup to the started program's main window: the menu "查询" with "快速查询"
// (Ctrl+K on every page), "查询记录和生词本", "生成字帖…", the checkable "划词查询" with its
// clipboard switch, and the reader's script choice. The windows and the user's data are made on
// first use; the user data lives in userFolder, search.db beside the stores start-up found.
// Entries reach their sections through the application's section search, read-aloud and copy.
// Gives the command line and a second start their opener.
class QuickLookup final {
public:
    explicit QuickLookup(Application &application, const QString &userFolder = lookup::UserData::defaultFolder());
    ~QuickLookup();
    void lookUp(const QString &text);
    QuickLookupWindow *window();
    // History and word book, shared by the window, the history panel and selection lookup.
    lookup::UserData &userData();
    // The history and word book in a window of their own, made on first use.
    HistoryPanel *showHistory();
    lookup::SelectionWatcher *selectionWatcher() const { return m_watcher.get(); }
    SelectionPopup *selectionPopup() const { return m_popup.get(); }

    // Shows the entry's section page with that entry current, found by the section's own search,
    // and brings the main window up.
    void openInSection(store::StoreId store, const QString &headword);

private:
    MainWindow *m_main;
    search::SectionSearch m_search;
    speech::EntrySpeech m_speech;
    QString m_userFolder;
    QString m_dataFolder;
    std::unique_ptr<lookup::UserData> m_userData;
    QuickLookupWindow *m_window = nullptr;
    HistoryPanel *m_history = nullptr;
    lookup::SelectionLookup m_selection;
    std::unique_ptr<lookup::SelectionWatcher> m_watcher;
    std::unique_ptr<SelectionPopup> m_popup;
};

} // namespace mc::app
