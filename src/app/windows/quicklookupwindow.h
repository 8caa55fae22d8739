#pragma once
#include "lookup/lookupindex.h"

#include <QWidget>
#include <functional>

class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace mc::lookup {
class LookupService;
class EntryReader;
}

namespace mc::app {

// What the window does with an entry beyond showing it; supplied by whoever opens the window.
struct QuickLookupActions {
    std::function<void(lookup::Group, const QString &head)> open; // in its section page
    std::function<void(lookup::Group, const QList<QPair<QString, QString>> &fields)> readAloud;
    std::function<void(lookup::Group, const QList<QPair<QString, QString>> &fields)> copy;
};

// The quick lookup window (QuickLookup): one box, hits grouped by section on the left, the
// chosen entry on the right. Searches run on the lookup service's thread as the user types.
class QuickLookupWindow final : public QWidget {
    Q_OBJECT
public:
    QuickLookupWindow(QuickLookupActions actions, const QString &dataDir = QStringLiteral("data"),
                      QWidget *parent = nullptr);
    ~QuickLookupWindow() override;

    // Shows the window with the text in its box, searched.
    void lookUp(const QString &text);
    QLineEdit *box() const { return m_box; }
    QTreeWidget *list() const { return m_list; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showResults(const QString &text, const QList<lookup::GroupResult> &results);
    void showGroup(const lookup::GroupResult &result);
    void fillGroup(QTreeWidgetItem *header, const lookup::GroupResult &result);
    void showEntry(QTreeWidgetItem *item);
    void activate(QTreeWidgetItem *item);
    QTreeWidgetItem *firstHit() const;

    QuickLookupActions m_actions;
    lookup::LookupService *m_service;
    std::unique_ptr<lookup::EntryReader> m_reader;
    QLineEdit *m_box;
    QTreeWidget *m_list;
    QTextBrowser *m_entry;
    QList<QPair<QString, QString>> m_fields;
    int m_group = -1;
};

} // namespace mc::app
