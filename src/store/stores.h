#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mc::store {

// The six stores by what they hold: the one key by which every part of the program names a
// dictionary. Sections, quick lookup groups, bar buttons and datasets are all found by it.
enum class StoreId { Characters, Xiehouyu, Sayings, English, Idioms, Words };

// The six dictionary stores: file, dataset, table, base query, and the columns a dataset holds
// for every row (what its list shows and sorts by).
struct StoreInfo {
    StoreId id;
    QString key;         // "characters": how the user's own files name the store; never changes
    QString datasetName; // "ADOQuery2": the object name of the store's dataset, a label only
    QString file;        // "data/xhb.db", relative to the working directory
    QString table;
    QString baseQuery;
    QString password;
    QStringList keyColumns; // the headword's column first
    QString title;          // the section's name, as its button shows it
    QStringList columns;    // every column the program reads from the table

    // The column an entry is known by: the character, word, idiom, first half, English word or
    // saying.
    const QString &headColumn() const { return keyColumns.constFirst(); }
};

// In the order the connection settings are given.
const QList<StoreInfo> &stores();
const StoreInfo &storeInfo(StoreId id);
// The store a file of ours names by its key; nothing for a key no store has.
std::optional<StoreId> storeWithKey(const QString &key);
// The store's file in another data folder than the working directory's "data" (the offline
// services are given theirs).
QString storePath(StoreId id, const QString &dataDir);

// The order in which start-up opens the datasets, with the progress reached after each.
struct OpenStep {
    StoreId store;
    int progress;
};
const QList<OpenStep> &openingOrder();

} // namespace mc::store
