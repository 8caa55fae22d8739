#include "lookup/entryreader.h"
#include "store/storefile.h"


namespace mc::lookup {

EntryReader::EntryReader(const QString &dataDir) : m_dataDir(dataDir) {}
EntryReader::~EntryReader() = default;

QList<QPair<QString, QString>> EntryReader::fields(Group group, qint64 rowId)
{
    const store::StoreInfo &info = store::storeInfo(groupInfo(group).store);
    std::shared_ptr<store::StoreFile> &file = m_files[int(group)];
    if (!file) {
        file = std::make_shared<store::StoreFile>(store::storePath(groupInfo(group).store, m_dataDir), false,
                                                  QStringList{info.table});
    }
    store::Statement row(*file,
                         QStringLiteral("SELECT * FROM \"%1\" WHERE rowid = ?").arg(info.table), {rowId});
    QList<QPair<QString, QString>> out;
    if (row.next()) {
        for (int i = 0; i < row.columnCount(); ++i)
            out.append({row.columnName(i), row.text(i)});
    }
    return out;
}

} // namespace mc::lookup
