#pragma once
#include "lookup/userdata.h"
#include "store/stores.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <memory>

namespace mc::store {
class StoreFile;
}

namespace mc::lookup {

// Reads one entry's fields from its store (read-only, never locking it), for the detail pane.
class EntryReader final {
public:
    explicit EntryReader(const QString &dataDir = QStringLiteral("data"));
    ~EntryReader();
    // Column name and value of every column, in the table's order. Throws mc::Error.
    QList<QPair<QString, QString>> fields(store::StoreId store, qint64 rowId);

private:
    QString m_dataDir;
    QMap<store::StoreId, std::shared_ptr<store::StoreFile>> m_files;
};

// The entry as history and the word book keep it, from the fields fields() read: the head, the
// pinyin where the store has one, and the entry's main text (explanation, second half, source).
Entry entryOf(store::StoreId store, const QList<QPair<QString, QString>> &fields);

} // namespace mc::lookup
