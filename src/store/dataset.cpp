#include "store/dataset.h"
#include "core/error.h"
#include "store/connection.h"
#include "store/dialect.h"
#include "store/storefile.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QSet>
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

    QString sql = QStringLiteral("SELECT rowid FROM ") + quoteName(query.table);
    if (!query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + query.where;
    // No ORDER BY: it would steer SQLite away from a covering index on the searched column.
    // The store's order is restored below by sorting the row identifiers.
    QList<qint64> rows;
    Statement statement(*m_store, sql, query.params);
    while (statement.next())
        rows.append(statement.integer(0));
    std::sort(rows.begin(), rows.end());

    m_table = query.table;
    m_where = query.where;
    m_params = query.params;
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
    m_rows.squeeze();
    forgetPages();
    m_current = -1;
    m_currentColumns.clear();
    m_currentValues.clear();
    emit reset();
    emit currentChanged();
}

QString Dataset::fromWhere() const
{
    QString sql = QStringLiteral(" FROM ") + quoteName(m_table);
    if (!m_where.isEmpty())
        sql += QStringLiteral(" WHERE (") + m_where + QLatin1Char(')');
    return sql;
}

void Dataset::forgetPages()
{
    m_pages.clear();
    m_recentPages.clear();
}

QList<Dataset::HeldRow> Dataset::readPage(int page) const
{
    const int first = page * kPageRows;
    const int count = std::min(kPageRows, int(m_rows.size()) - first);
    QVariantList ids;
    ids.reserve(count);
    for (int i = 0; i < count; ++i)
        ids.append(m_rows.at(first + i));
    QString sql = QStringLiteral("SELECT rowid");
    for (const QString &key : m_keyColumns)
        sql += QStringLiteral(", ") + heldColumn(key);
    sql += QStringLiteral(" FROM %1 WHERE rowid IN (%2)")
               .arg(quoteName(m_table), QStringList(count, QStringLiteral("?")).join(u','));

    QHash<qint64, HeldRow> byId;
    byId.reserve(count);
    Statement statement(*m_store, sql, ids);
    while (statement.next()) {
        HeldRow values;
        values.reserve(m_keyColumns.size());
        for (int i = 0; i < m_keyColumns.size(); ++i)
            values.append(statement.value(i + 1));
        byId.insert(statement.integer(0), std::move(values));
    }
    QList<HeldRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.append(byId.value(m_rows.at(first + i), HeldRow(m_keyColumns.size())));
    return rows;
}

const Dataset::HeldRow &Dataset::heldRow(int row) const
{
    const int page = row / kPageRows;
    auto it = m_pages.find(page);
    if (it == m_pages.end()) {
        it = m_pages.insert(page, readPage(page));
        m_recentPages.append(page);
        if (m_recentPages.size() > kKeptPages)
            m_pages.remove(m_recentPages.takeFirst());
        it = m_pages.find(page);
    } else if (m_recentPages.constLast() != page) {
        m_recentPages.removeOne(page);
        m_recentPages.append(page);
    }
    return it->at(row - page * kPageRows);
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
                        {QVariant(m_rows.at(m_current))});
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
    try {
        return displayText(heldRow(row).at(key));
    } catch (const Error &e) {
        // Lists draw from here, inside the event loop: a blank cell, not an exception.
        qWarning("%s", qUtf8Printable(e.text()));
        return QString();
    }
}

int Dataset::findRow(const QString &column, const QString &value) const
{
    const int key = keyIndex(column);
    if (!m_open || key < 0)
        return -1;
    // The store finds the candidates by its index; the list order decides which comes first.
    const QString name = quoteName(m_keyColumns.at(key));
    QString sql = QStringLiteral("SELECT rowid, %1").arg(heldColumn(m_keyColumns.at(key))) + fromWhere();
    sql += (m_where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + name + QStringLiteral(" = ?");
    QVariantList params = m_params;
    params.append(value);
    QSet<qint64> matches;
    Statement statement(*m_store, sql, params);
    while (statement.next()) {
        if (displayText(statement.value(1)) == value)
            matches.insert(statement.integer(0));
    }
    if (matches.isEmpty())
        return -1;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (matches.contains(m_rows.at(row)))
            return row;
    }
    return -1;
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

    // The sort column of every row, read once for this sort and not kept.
    QHash<qint64, QVariant> values;
    values.reserve(m_rows.size());
    {
        Statement statement(
            *m_store, QStringLiteral("SELECT rowid, %1").arg(heldColumn(m_keyColumns.at(key))) + fromWhere(), m_params);
        while (statement.next())
            values.insert(statement.integer(0), statement.value(1));
    }

    // Chinese text in pinyin order; numbers numerically; numbers before text.
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(true);
    struct Entry {
        qint64 rowid;
        QVariant value;
        QCollatorSortKey text;
    };
    std::vector<Entry> order;
    order.reserve(m_rows.size());
    for (const qint64 rowid : std::as_const(m_rows)) {
        QVariant v = values.value(rowid);
        QCollatorSortKey text = collator.sortKey(isNumber(v) ? QString() : displayText(v));
        order.push_back({rowid, std::move(v), std::move(text)});
    }
    values.clear();

    auto less = [](const Entry &a, const Entry &b) {
        if (isNumber(a.value) && isNumber(b.value))
            return a.value.toDouble() < b.value.toDouble();
        if (isNumber(a.value) != isNumber(b.value))
            return isNumber(a.value);
        return a.text.compare(b.text) < 0;
    };
    if (descending)
        std::stable_sort(order.begin(), order.end(), [&](const Entry &a, const Entry &b) { return less(b, a); });
    else
        std::stable_sort(order.begin(), order.end(), less);

    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_rows[i] = order[size_t(i)].rowid;
    forgetPages();
    m_current = m_rows.isEmpty() ? -1 : 0;
    loadCurrent();
    emit reset();
    emit currentChanged();
}

} // namespace mc::store
