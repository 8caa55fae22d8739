#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace mc::store {

class StoreFile;

// One query over one store, kept whole in memory once opened (a static cursor) with a current
// row. Only the columns a list shows or sorts by are held for every row; the other fields are
// read when a row becomes current.
class Dataset final : public QObject {
    Q_OBJECT
public:
    // Fields are read up to this many characters, more than any field of the stores holds: a
    // damaged store's field of megabytes costs start-up and the views no more than that.
    static constexpr int kHeldLength = 10000;

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
    // A held column's value in any row, for lists.
    QString keyValue(int row, const QString &column) const;
    bool isKeyColumn(const QString &column) const { return keyIndex(column) >= 0; }

    // "name ASC", "strokes ASC", "name DESC": reorders the loaded rows, ties keep their order;
    // the first row becomes current. Throws when closed or for an unknown column.
    void setSort(const QString &sort);

    QString table() const { return m_table; }
    QString storePath() const;

signals:
    void reset();          // opened, closed or reordered: every row may have changed
    void currentChanged(); // the current row (or its values) changed

private:
    struct Row {
        qint64 rowid;
        QList<QVariant> keys;
    };

    int keyIndex(const QString &column) const;
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
    QStringList m_keyColumns; // held columns present in the table, table spelling
    QList<Row> m_rows;
    int m_current = -1;
    QStringList m_currentColumns;
    QStringList m_currentValues;
};

} // namespace mc::store
