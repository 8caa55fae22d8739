#pragma once
#include "lookup/userdata.h"

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace mc::app {

// The last lookups and the word book (生词本), each entry with a star that puts it into the word
// book or takes it out, and "导出…" writing the word book as CSV for flash cards.
class HistoryPanel final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryPanel(lookup::UserData &data, QWidget *parent = nullptr);

    // Writes the word book to path; a failure shows the default error report.
    bool exportTo(const QString &path);
    // The word book's headwords joined, newest first: the text a practice sheet is made of.
    QString wordBookText() const;

signals:
    // An entry double-clicked or chosen with Enter, to be shown again.
    void entryActivated(const mc::lookup::Entry &entry);
    // "生成字帖…" pressed: the word book's headwords, newest first, for a practice sheet.
    void sheetRequested(const QString &text);

private:
    void fill(QTreeWidget *list, const QList<lookup::Entry> &entries);
    void onItemClicked(QTreeWidgetItem *item, int column);
    void onExportClicked();

    lookup::UserData &m_data;
    QTreeWidget *m_history;
    QTreeWidget *m_favourites;
};

} // namespace mc::app
