#pragma once
#include "lookup/quicklookupindex.h"

#include <QWidget>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace mc::lookup {
class QuickLookupService;
class EntryReader;
class UserData;
struct Entry;
} // namespace mc::lookup

namespace mc::app {

class HandwritingPad;

// What the window does with an entry beyond showing it; supplied by whoever opens the window.
struct QuickLookupActions {
    std::function<void(store::StoreId, const QString &head)> open; // in its section page
    std::function<void(store::StoreId, const QList<QPair<QString, QString>> &fields)> readAloud;
    std::function<void(store::StoreId, const QList<QPair<QString, QString>> &fields)> copy;
};

// The quick lookup window (QuickLookup): one box, hits grouped by section on the left, the
// chosen entry on the right. Searches run on the lookup service's thread as the user types.
// With user data, every entry the user chooses or opens goes into its history, and a star on the
// entry puts it into the word book; "手写" shows a handwriting pad under the box.
class QuickLookupWindow final : public QWidget {
    Q_OBJECT
public:
    QuickLookupWindow(QuickLookupActions actions, lookup::UserData *userData = nullptr,
                      const QString &dataDir = QStringLiteral("data"), QWidget *parent = nullptr);
    ~QuickLookupWindow() override;

    // Shows the window with the text in its box, searched.
    void lookUp(const QString &text);
    // Looks the entry's key up and shows that entry among the hits.
    void lookUpEntry(const lookup::Entry &entry);
    QLineEdit *box() const { return m_box; }
    // The line under the box that says the index cannot be read; hidden while it can.
    QLabel *problem() const { return m_problem; }
    QTreeWidget *list() const { return m_list; }
    QToolButton *star() const { return m_star; }
    QToolButton *handwritingButton() const { return m_handwriting; }
    // Made when first shown.
    HandwritingPad *handwritingPad() const { return m_pad; }

signals:
    // Ctrl+H: the history and word book are wanted.
    void historyRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showResults(const QString &text, const QList<lookup::GroupResult> &results);
    void showGroup(const lookup::GroupResult &result);
    void fillGroup(QTreeWidgetItem *header, const lookup::GroupResult &result);
    void showEntry(QTreeWidgetItem *item);
    void activate(QTreeWidgetItem *item);
    QTreeWidgetItem *bestHit(const QList<lookup::GroupResult> &results) const;
    QTreeWidgetItem *firstHit() const;
    void showHandwriting(bool on);
    void remember();
    void updateStar();

    QuickLookupActions m_actions;
    lookup::QuickLookupService *m_service;
    std::unique_ptr<lookup::EntryReader> m_reader;
    QLineEdit *m_box;
    QLabel *m_problem;
    QTreeWidget *m_list;
    QTextBrowser *m_entry;
    QToolButton *m_star;
    QToolButton *m_handwriting;
    HandwritingPad *m_pad = nullptr;
    int m_padGrowth = 0;
    lookup::UserData *m_userData;
    QString m_dataDir;
    QList<QPair<QString, QString>> m_fields;
    std::optional<store::StoreId> m_store; // the entry's, while one is shown
    // Set while the window itself picks the current hit: that is no lookup of the user's.
    bool m_picking = false;
    // The entry shown is in the history already: it goes there once however it was chosen.
    bool m_remembered = false;
    // The entry lookUpEntry() wants current once its key's hits are in.
    std::optional<std::pair<store::StoreId, QString>> m_wanted;
};

} // namespace mc::app
