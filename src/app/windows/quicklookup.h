#pragma once
#include "lookup/groups.h"

#include <QString>

namespace mc::app {

class MainWindow;
class QuickLookupWindow;

// Adds the quick lookup to the main window: the menu "查询" → "快速查询" and Ctrl+K on every page.
// The window is made on first use. Returns the opener the command line and a second start use.
class QuickLookup final {
public:
    explicit QuickLookup(MainWindow *main);
    void lookUp(const QString &text);
    QuickLookupWindow *window();

    // Shows the entry's section page with that entry current, through the section's own search.
    static void openInSection(MainWindow *main, lookup::Group group, const QString &head);

private:
    MainWindow *m_main;
    QuickLookupWindow *m_window = nullptr;
};

} // namespace mc::app
