#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace mc::store {

class StoreFile;

// One query over one store, with a current row. Once opened it keeps the result's row identifiers
// in list order (a static cursor over a read-only store); the columns a list shows are read a page
// of rows at a time as the list asks for them, the other fields when a row becomes current.
class Dataset final : public QObject {
    Q_OBJECT
public:
    // Fields are read up to this many characters, more than any field of the stores holds: a
    // damaged store's field of megabytes costs start-up and the views no more than that.
    static constexpr int kHeldLength = 10000;

    // Rows read together for a list, and how many such pages are kept: a list scrolled to and fro
    // over a few screens reads nothing again.
    static constexpr int kPageRows = 128;
    static constexpr int kKeptPages = 16;

    explicit Dataset(const QString &objectName, QObject *parent = nullptr);
    ~Dataset() override;

    void setConnectionText(const QString &text); // closes the dataset and its store
    QString connectionText() const { return m_connectionText; }

    // Columns held for every row (list columns and sort keys); must be set before open. A table
    // without one of them cannot be opened.
    void setKeyColumns(const QStringList &columns);

    // The one table this dataset's store may be read through and every column the program reads
    // from it: checked when the store is first reached, before any row is read.
    void setStoreTable(const QString &table, const QStringList &columns);

    // What the user calls this list ("明川字典"), for messages.
    void setTitle(const QString &title) { m_title = title; }

    void clearQuery();                     // closes the dataset, empties the query text
    void appendQuery(const QString &line); // closes the dataset
    QString queryText() const { return m_query.join(QLatin1Char('\n')); }

    // Runs the query; the dataset is then open on its first row. Throws mc::Error; on failure
    // the dataset stays closed.
    void open();
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const;                     // throws when closed
    int currentRow() const { return m_current; } // -1 when closed or empty
    void setCurrentRow(int row);

    // The current row's value as its view shows it; empty without a current row.
    QString value(const QString &column) const;
    // A held column's value in any row, for lists. Read from the store with the rows around it;
    // empty when the store cannot be read.
    QString keyValue(int row, const QString &column) const;
    bool isKeyColumn(const QString &column) const { return keyIndex(column) >= 0; }
    // The first row whose held column shows exactly value, -1 for none.
    int findRow(const QString &column, const QString &value) const;

    // "name ASC", "strokes ASC", "name DESC": reorders the result's rows without a new result,
    // ties keep their order; the first row becomes current. Throws when closed or for an unknown
    // column.
    void setSort(const QString &sort);

    QString table() const { return m_table; }
    QString storePath() const;

signals:
    void reset();          // opened, closed or reordered: every row may have changed
    void currentChanged(); // the current row (or its values) changed

private:
    using HeldRow = QList<QVariant>;

    int keyIndex(const QString &column) const;
    QString fromWhere() const; // " FROM <table> [WHERE ...]" of the open result
    const HeldRow &heldRow(int row) const;
    QList<HeldRow> readPage(int page) const;
    void forgetPages();
    void ensureStore();
    void loadCurrent();
    void requireOpen() const;

    QString m_connectionText;
    QStringList m_wantedKeys;
    QString m_storeTable;
    QStringList m_requiredColumns;
    QString m_title;
    QStringList m_query;
    std::unique_ptr<StoreFile> m_store;

    bool m_open = false;
    QString m_table;
    QString m_where;
    QVariantList m_params;
    QStringList m_keyColumns; // held columns present in the table, table spelling
    QList<qint64> m_rows;     // row identifiers in list order
    mutable QHash<int, QList<HeldRow>> m_pages;
    mutable QList<int> m_recentPages; // least recently read first
    int m_current = -1;
    QStringList m_currentColumns;
    QStringList m_currentValues;
};

} // namespace mc::store
