#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace mc::store {

// The six stores by what they hold; the dataset names below are how the connection settings and
// the start-up order name them.
enum class StoreId { Characters, Xiehouyu, Sayings, English, Idioms, Words };

// The six dictionary stores: file, dataset, table, base query, and the columns a dataset holds
// for every row (what its list shows and sorts by).
struct StoreInfo {
    StoreId id;
    QString datasetName; // "ADOQuery2"
    QString file;        // "data/xhb.db", relative to the working directory
    QString table;
    QString baseQuery;
    QString password;
    QStringList keyColumns;
    QString title;       // the section's name, as its button shows it
    QStringList columns; // every column the program reads from the table
};

// In the order the connection settings are given.
const QList<StoreInfo> &stores();
const StoreInfo &storeFor(const QString &datasetName);
// The report for a dataset name the program does not know.
QString unknownDatasetText(const QString &datasetName);
const StoreInfo &storeInfo(StoreId id);
// The store's file in another data folder than the working directory's "data" (the offline
// services are given theirs).
QString storePath(StoreId id, const QString &dataDir);

// The order in which start-up opens the datasets, with the progress reached after each.
struct OpenStep {
    QString datasetName;
    int progress;
};
const QList<OpenStep> &openingOrder();

} // namespace mc::store
