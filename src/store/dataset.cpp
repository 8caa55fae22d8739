#include "store/dataset.h"
#include "core/error.h"
#include "store/connection.h"
#include "store/dialect.h"
#include "store/storefile.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>

namespace mc::store {
namespace {

Error missingColumn(const QString &file, const QString &table, const QString &column)
{
    return Error(QStringLiteral("数据库文件 %1 中的表 %2 缺少列 %3。").arg(file, table, column));
}

// Names compare as the store compares them: without letter case.
QStringList::const_iterator findName(const QStringList &names, const QString &name)
{
    return std::find_if(names.cbegin(), names.cend(),
                        [&name](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
}

QString displayText(const QVariant &v)
{
    if (v.typeId() == QMetaType::LongLong)
        return QString::number(v.toLongLong());
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

bool isNumber(const QVariant &v)
{
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
}

// A column as the dataset reads it: text past Dataset::kHeldLength characters is left in the store.
QString heldColumn(const QString &column)
{
    const QString name = quoteName(column);
    return QStringLiteral("CASE WHEN typeof(%1) = 'text' THEN substr(%1, 1, %2) ELSE %1 END")
        .arg(name)
        .arg(Dataset::kHeldLength);
}

} // namespace

Dataset::Dataset(const QString &objectName, QObject *parent) : QObject(parent)
{
    setObjectName(objectName);
}

Dataset::~Dataset() = default;

void Dataset::setConnectionText(const QString &text)
{
    close();
    m_store.reset();
    m_connectionText = text;
}

void Dataset::setKeyColumns(const QStringList &columns)
{
    m_wantedKeys = columns;
}

void Dataset::setStoreTable(const QString &table, const QStringList &columns)
{
    m_storeTable = table;
    m_requiredColumns = columns;
}

void Dataset::clearQuery()
{
    close();
    m_query.clear();
}

void Dataset::appendQuery(const QString &line)
{
    close();
    m_query.append(line);
}

QString Dataset::storePath() const
{
    return m_store ? m_store->path() : QString();
}

void Dataset::ensureStore()
{
    if (m_store)
        return;
    const ConnectionSettings settings = parseConnectionText(m_connectionText);
    auto store = std::make_unique<StoreFile>(settings.dataSource, settings.shareDenyRead || settings.shareDenyWrite,
                                             m_storeTable.isEmpty() ? QStringList() : QStringList{m_storeTable});
    // A damaged store is refused here, at start-up, not at the first search that reads it.
    if (!m_storeTable.isEmpty()) {
        const QStringList present = store->columns(m_storeTable);
        for (const QString &column : std::as_const(m_requiredColumns)) {
            if (findName(present, column) == present.cend())
                throw missingColumn(settings.dataSource, m_storeTable, column);
        }
    }
    m_store = std::move(store);
}

void Dataset::open()
{
    close();
    ensureStore();
    const TranslatedQuery query = translateQuery(m_query.join(QLatin1Char(' ')));
    const QStringList tableColumns = m_store->columns(query.table);

    QStringList keys;
    for (const QString &wanted : std::as_const(m_wantedKeys)) {
        const auto present = findName(tableColumns, wanted);
        // Leaving the column out would show a blank list that looks like data.
        if (present == tableColumns.cend())
            throw missingColumn(m_store->path(), query.table, wanted);
        if (!keys.contains(*present))
            keys.append(*present);
    }

    QString sql = QStringLiteral("SELECT rowid");
    for (const QString &key : std::as_const(keys))
        sql += QStringLiteral(", ") + heldColumn(key);
    sql += QStringLiteral(" FROM ") + quoteName(query.table);
    if (!query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + query.where;
    // No ORDER BY: it would steer SQLite away from a covering index on the searched column.
    // The store's order is restored below by sorting the row identifiers.

    QList<Row> rows;
    Statement statement(*m_store, sql, query.params);
    while (statement.next()) {
        Row row{statement.integer(0), {}};
        row.keys.reserve(keys.size());
        for (int i = 0; i < keys.size(); ++i)
            row.keys.append(statement.value(i + 1));
        rows.append(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.rowid < b.rowid; });

    m_table = query.table;
    m_keyColumns = keys;
    m_rows = std::move(rows);
    m_open = true;
    m_current = m_rows.isEmpty() ? -1 : 0;
    loadCurrent();
    emit reset();
    emit currentChanged();
}

void Dataset::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_rows.clear();
    m_current = -1;
    m_currentColumns.clear();
    m_currentValues.clear();
    emit reset();
    emit currentChanged();
}

void Dataset::requireOpen() const
{
    if (!m_open)
        throw Error(m_title.isEmpty() ? QStringLiteral("列表没有载入，无法进行此操作。")
                                      : QStringLiteral("%1的列表没有载入，无法进行此操作。").arg(m_title));
}

int Dataset::recordCount() const
{
    requireOpen();
    return int(m_rows.size());
}

void Dataset::setCurrentRow(int row)
{
    if (!m_open || row < 0 || row >= m_rows.size() || row == m_current)
        return;
    m_current = row;
    loadCurrent();
    emit currentChanged();
}

void Dataset::loadCurrent()
{
    m_currentColumns.clear();
    m_currentValues.clear();
    if (m_current < 0)
        return;
    QStringList columns;
    for (const QString &column : m_store->columns(m_table))
        columns.append(heldColumn(column) + QStringLiteral(" AS ") + quoteName(column));
    Statement statement(*m_store,
                        QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(u','), quoteName(m_table)),
                        {QVariant(m_rows.at(m_current).rowid)});
    if (!statement.next())
        return;
    for (int i = 0; i < statement.columnCount(); ++i) {
        m_currentColumns.append(statement.columnName(i));
        m_currentValues.append(displayText(statement.value(i)));
    }
}

int Dataset::keyIndex(const QString &column) const
{
    for (int i = 0; i < m_keyColumns.size(); ++i) {
        if (m_keyColumns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString Dataset::value(const QString &column) const
{
    for (int i = 0; i < m_currentColumns.size(); ++i) {
        if (m_currentColumns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return m_currentValues.at(i);
    }
    return QString();
}

QString Dataset::keyValue(int row, const QString &column) const
{
    const int key = keyIndex(column);
    if (!m_open || key < 0 || row < 0 || row >= m_rows.size())
        return QString();
    return displayText(m_rows.at(row).keys.at(key));
}

void Dataset::setSort(const QString &sort)
{
    requireOpen();
    const QStringList words = sort.simplified().split(QLatin1Char(' '));
    const bool descending = words.size() > 1 && words.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    const bool valid = words.size() == 1
        || (words.size() == 2 && (descending || words.at(1).compare(QLatin1String("ASC"), Qt::CaseInsensitive) == 0));
    const int key = valid ? keyIndex(words.value(0)) : -1;
    if (key < 0)
        throw Error(QStringLiteral("无法按“%1”排序。").arg(sort));

    // Chinese text in pinyin order; numbers numerically; numbers before text.
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(true);
    QList<std::pair<int, QCollatorSortKey>> order;
    order.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        order.append({i, collator.sortKey(displayText(m_rows.at(i).keys.at(key)))});

    auto less = [&](const std::pair<int, QCollatorSortKey> &a, const std::pair<int, QCollatorSortKey> &b) {
        const QVariant &x = m_rows.at(a.first).keys.at(key);
        const QVariant &y = m_rows.at(b.first).keys.at(key);
        if (isNumber(x) && isNumber(y))
            return x.toDouble() < y.toDouble();
        if (isNumber(x) != isNumber(y))
            return isNumber(x);
        return a.second.compare(b.second) < 0;
    };
    if (descending)
        std::stable_sort(order.begin(), order.end(), [&](const auto &a, const auto &b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);

    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const auto &entry : std::as_const(order))
        sorted.append(m_rows.at(entry.first));
    m_rows = std::move(sorted);
    m_current = m_rows.isEmpty() ? -1 : 0;
    loadCurrent();
    emit reset();
    emit currentChanged();
}

} // namespace mc::store
