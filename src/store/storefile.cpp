#include "store/storefile.h"
#include "platform/error.h"
#include "store/dialect.h"

#include <QFileInfo>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mc::store {

Statement::Statement(sqlite3 *db, const QString &sql, const QVariantList &params) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        throw Error(QStringLiteral("查询失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params.at(i);
        int rc;
        if (v.typeId() == QMetaType::LongLong)
            rc = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
        else if (v.typeId() == QMetaType::Double)
            rc = sqlite3_bind_double(m_stmt, i + 1, v.toDouble());
        else {
            const QByteArray bytes = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            throw Error(QStringLiteral("查询失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw Error(QStringLiteral("查询失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::text(int i) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, i)) : QString();
}

qint64 Statement::integer(int i) const
{
    return sqlite3_column_int64(m_stmt, i);
}

bool Statement::isNumeric(int i) const
{
    const int type = sqlite3_column_type(m_stmt, i);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QVariant Statement::value(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    default:
        return text(i);
    }
}

bool Statement::isNull(int i) const
{
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

StoreFile::StoreFile(const QString &path, bool exclusive) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw Error(QStringLiteral("找不到数据库文件 %1").arg(path));
    const QByteArray native = QFile::encodeName(path);
    if (exclusive) {
        // The lock lives on its own descriptor: SQLite's POSIX locks never meet it, another
        // running copy of the program does.
        m_lockFd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (m_lockFd < 0)
            throw Error(QStringLiteral("无法打开数据库文件 %1").arg(path));
        if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_lockFd);
            m_lockFd = -1;
            throw Error(QStringLiteral("数据库文件 %1 正被另一个程序独占使用，无法打开").arg(path));
        }
    }
    if (sqlite3_open_v2(native.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if (m_lockFd >= 0)
            ::close(m_lockFd);
        throw Error(QStringLiteral("无法打开数据库文件 %1").arg(path));
    }
    try {
        Statement check(m_db, QStringLiteral("SELECT count(*) FROM sqlite_master"), {});
        check.next();
    } catch (const Error &) {
        sqlite3_close(m_db);
        if (m_lockFd >= 0)
            ::close(m_lockFd);
        throw Error(QStringLiteral("%1 不是有效的数据库文件").arg(path));
    }
}

StoreFile::~StoreFile()
{
    sqlite3_close(m_db);
    if (m_lockFd >= 0)
        ::close(m_lockFd); // closing the descriptor releases the lock
}

QStringList StoreFile::columns(const QString &table) const
{
    const auto cached = m_columns.constFind(table);
    if (cached != m_columns.cend())
        return *cached;
    QStringList names;
    Statement info(m_db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (info.next())
        names.append(info.text(0));
    if (names.isEmpty())
        throw Error(QStringLiteral("数据库 %1 中没有表 %2").arg(m_path, table));
    m_columns.insert(table, names);
    return names;
}

} // namespace mc::store
