#include "lookup/entryreader.h"
#include "store/storefile.h"

namespace mc::lookup {

EntryReader::EntryReader(const QString &dataDir) : m_dataDir(dataDir)
{}
EntryReader::~EntryReader() = default;

QList<QPair<QString, QString>> EntryReader::fields(store::StoreId store, qint64 rowId)
{
    const store::StoreInfo &info = store::storeInfo(store);
    std::shared_ptr<store::StoreFile> &file = m_files[store];
    if (!file)
        file = std::make_shared<store::StoreFile>(store::storePath(store, m_dataDir), false, QStringList{info.table});
    store::Statement row(*file, QStringLiteral("SELECT * FROM \"%1\" WHERE rowid = ?").arg(info.table), {rowId});
    QList<QPair<QString, QString>> out;
    if (row.next()) {
        for (int i = 0; i < row.columnCount(); ++i)
            out.append({row.columnName(i), row.text(i)});
    }
    return out;
}

Entry entryOf(store::StoreId store, const QList<QPair<QString, QString>> &fields)
{
    // The first of these a store has is what its entry says.
    static const QStringList textColumns
        = {QStringLiteral("content"), QStringLiteral("end1"), QStringLiteral("解释"), QStringLiteral("derivation")};
    const QString &headColumn = store::storeInfo(store).headColumn();
    Entry entry{store, {}, {}, {}};
    QString text;
    int textRank = int(textColumns.size());
    for (const auto &[column, value] : fields) {
        if (column == headColumn)
            entry.key = value;
        else if (column == QLatin1String("spell"))
            entry.pinyin = value;
        else if (const int rank = int(textColumns.indexOf(column)); rank >= 0 && rank < textRank) {
            text = value;
            textRank = rank;
        }
    }
    entry.explanation = shortExplanation(text);
    return entry;
}

} // namespace mc::lookup
