#include "store/storefile.h"
#include "core/error.h"
#include "store/dialect.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>
#include <QtEndian>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcStore, "mc.store")

namespace mc::store {
namespace {

std::function<void(const QString &)> g_observer;
QString g_lockFolder;

// The store as the user knows it: relative to the working directory, where the stores live.
QString storeName(sqlite3 *db)
{
    const char *file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return QString();
    return QDir::current().relativeFilePath(QString::fromUtf8(file));
}

// SQLite's own texts are English and technical; the user is told what happened to which file.
Error queryError(sqlite3 *db, int rc)
{
    const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
    const QString file = storeName(db);
    qCWarning(lcStore) << "query failed on" << file << ":" << rc << detail;
    switch (rc & 0xff) {
    case SQLITE_AUTH:
        return Error(QStringLiteral("数据库文件 %1 只能读取，这次查询已被拒绝。").arg(file));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Error(QStringLiteral("数据库文件 %1 已损坏，无法读取。").arg(file));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error(QStringLiteral("数据库文件 %1 正被占用，无法读取。").arg(file));
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return Error(QStringLiteral("读取数据库文件 %1 时出错。").arg(file));
    case SQLITE_NOMEM:
        return Error(QStringLiteral("内存不足，无法完成这次查询。"));
    case SQLITE_TOOBIG:
        return Error(QStringLiteral("搜索关键字太长，无法查询。"));
    default:
        break;
    }
    if (detail.contains(QLatin1String("too complex")))
        return Error(QStringLiteral("搜索关键字太复杂，无法查询。"));
    return Error(QStringLiteral("数据库文件 %1 无法完成这次查询。").arg(file));
}

bool nameIn(const char *name, const QStringList &names)
{
    const QString n = QString::fromUtf8(name);
    for (const QString &allowed : names) {
        if (allowed.compare(n, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Reading only: the stores' tables (or just the named ones), the schema, functions, and the
// pragmas that read a table's columns or the query-only state. Anything that would write, attach
// or change the connection is refused.
int authorize(void *tables, int action, const char *arg1, const char *arg2, const char *, const char *)
{
    const auto *allowed = static_cast<const QStringList *>(tables);
    switch (action) {
    case SQLITE_SELECT:
        return SQLITE_OK;
    case SQLITE_READ:
        if (!arg1)
            return SQLITE_DENY;
        if (allowed->isEmpty() || nameIn(arg1, *allowed) || qstricmp(arg1, "sqlite_master") == 0
            || qstricmp(arg1, "sqlite_schema") == 0)
            return SQLITE_OK;
        return SQLITE_DENY;
    case SQLITE_FUNCTION:
        return arg2 && qstricmp(arg2, "load_extension") == 0 ? SQLITE_DENY : SQLITE_OK;
    case SQLITE_PRAGMA: // reading a table's columns, or whether the connection is query-only
        if (arg1 && qstricmp(arg1, "table_info") == 0)
            return SQLITE_OK;
        return arg1 && !arg2 && qstricmp(arg1, "query_only") == 0 ? SQLITE_OK : SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

// What the first 100 bytes say before SQLite is trusted with the file: the right magic, and a
// file at least as long as the pages the header counts (a cut-off copy fails here, not later at
// some row the user scrolls to). Answers whether the file is in write-ahead-log mode.
bool checkHeader(const QString &path, qint64 size)
{
    if (size == 0)
        throw Error(QStringLiteral("数据库文件 %1 是空的。").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("没有读取数据库文件 %1 的权限。").arg(path));
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        throw Error(QStringLiteral("%1 不是有效的数据库文件。").arg(path));
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    const quint32 rawPageSize = qFromBigEndian<quint16>(bytes + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    const quint32 pages = qFromBigEndian<quint32>(bytes + 28);
    const quint32 changeCounter = qFromBigEndian<quint32>(bytes + 24);
    const quint32 validFor = qFromBigEndian<quint32>(bytes + 92);
    // The page count is only kept by writers from 3.7.0 on, which mark it valid this way.
    if (pages > 0 && changeCounter == validFor && pageSize * pages > size)
        throw Error(QStringLiteral("数据库文件 %1 不完整，可能已损坏。").arg(path));
    return bytes[18] == 2 || bytes[19] == 2;
}

// A journal or write-ahead log left beside a store by whatever last wrote it.
QString leftoverLog(const QString &path)
{
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        const QFileInfo log(path + suffix);
        if (log.exists() && log.size() > 0)
            return log.fileName();
    }
    return QString();
}

} // namespace

void setStatementObserver(std::function<void(const QString &sql)> observer)
{
    g_observer = std::move(observer);
}

Statement::Statement(const StoreFile &store, const QString &sql, const QVariantList &params)
    : Statement(store.m_db, sql, params)
{}

Statement::Statement(sqlite3 *db, const QString &sql, const QVariantList &params) : m_db(db)
{
    if (g_observer)
        g_observer(sql);
    const QByteArray utf8 = sql.toUtf8();
    const int prepared = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (prepared != SQLITE_OK)
        throw queryError(db, prepared);
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
        if (rc != SQLITE_OK) {
            const Error error = queryError(db, rc);
            sqlite3_finalize(m_stmt);
            throw error;
        }
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
    throw queryError(m_db, rc);
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

QByteArray Statement::bytes(int i) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, i));
    return data ? QByteArray(data, sqlite3_column_bytes(m_stmt, i)) : QByteArray();
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

StoreFile::StoreFile(const QString &path, bool exclusive, const QStringList &tables, Queries queries)
    : m_path(path), m_tables(tables)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw Error(QStringLiteral("数据库文件 %1 的位置上是一个文件夹，不是数据库文件。").arg(path));
    if (!info.exists())
        throw Error(QStringLiteral("找不到数据库文件 %1。").arg(path));
    if (!info.isFile())
        throw Error(QStringLiteral("%1 不是有效的数据库文件。").arg(path));
    const QByteArray native = QFile::encodeName(path);
    if (::access(native.constData(), R_OK) != 0)
        throw Error(QStringLiteral("没有读取数据库文件 %1 的权限。").arg(path));
    const bool walMode = checkHeader(path, info.size());
    if (exclusive)
        holdExclusively(path, info.fileName());
    auto fail = [this](const QString &text) {
        sqlite3_close(m_db);
        m_db = nullptr;
        release();
        return Error(text);
    };
    // A store in write-ahead-log mode, or with a log left beside it, would have SQLite write
    // into the data folder (the log's index, a roll-back) before it reads a page. The store is
    // read as it stands instead: SQLite then writes nothing and takes no lock.
    const QString leftover = leftoverLog(path);
    const bool asItStands = walMode || !leftover.isEmpty();
    if (asItStands)
        qCWarning(lcStore) << "reading" << path
                           << "as it stands:" << (leftover.isEmpty() ? QStringLiteral("log mode") : leftover);
    const QByteArray name
        = asItStands ? QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?immutable=1" : native;
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY | (asItStands ? SQLITE_OPEN_URI : 0), nullptr)
        != SQLITE_OK)
        throw fail(QStringLiteral("无法打开数据库文件 %1。").arg(path));
    // A double-quoted name of a missing column must be an error, never a string literal.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    if (sqlite3_exec(m_db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw fail(QStringLiteral("无法打开数据库文件 %1。").arg(path));
    if (queries == Queries::Limited) {
        // A store is read in scans larger than any cache and in lookups of a page of rows; a
        // small cache serves both, where the default 2 MB each stayed filled by the scans.
        sqlite3_exec(m_db, "PRAGMA cache_size = -512", nullptr, nullptr, nullptr);
        sqlite3_set_authorizer(m_db, authorize, &m_tables);
    }
    try {
        Statement check(*this, QStringLiteral("SELECT count(*) FROM sqlite_master"), {});
        check.next();
    } catch (const Error &) {
        if (!leftover.isEmpty())
            throw fail(
                QStringLiteral("数据库文件 %1 上次被修改时没有完成（旁边留有 %2），无法读取。").arg(path, leftover));
        throw fail(QStringLiteral("%1 不是有效的数据库文件。").arg(path));
    }
}

void StoreFile::setCancelCheck(std::function<bool()> cancelled)
{
    m_cancelled = std::move(cancelled);
    sqlite3_progress_handler(
        m_db, m_cancelled ? 2000 : 0,
        [](void *self) -> int { return static_cast<StoreFile *>(self)->m_cancelled() ? 1 : 0; }, this);
}

void StoreFile::setLockFolder(const QString &folder)
{
    g_lockFolder = folder;
}

StoreFile::~StoreFile()
{
    sqlite3_close(m_db);
    release();
}

void StoreFile::holdExclusively(const QString &path, const QString &fileName)
{
    // The lock lives on its own descriptor: SQLite's POSIX locks never meet it, another running
    // copy of the program does.
    if (g_lockFolder.isEmpty()) {
        m_lockFd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (m_lockFd < 0)
            throw Error(QStringLiteral("无法打开数据库文件 %1。").arg(path));
        if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            release();
            throw Error(QStringLiteral("数据库文件 %1 正被另一个程序独占使用，无法打开。").arg(path));
        }
        return;
    }
    const QString lockFile = QDir(g_lockFolder).filePath(fileName + QStringLiteral(".lock"));
    const QByteArray native = QFile::encodeName(lockFile);
    // The holder removes its lock file when it lets go, so a file that was opened just before
    // that may be gone from the folder once locked: then the lock is taken again on a new file.
    for (int attempt = 0; attempt < 8; ++attempt) {
        m_lockFd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_lockFd < 0)
            throw Error(QStringLiteral("无法建立数据库文件 %1 的锁文件 %2。").arg(path, lockFile));
        if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_lockFd);
            m_lockFd = -1;
            throw Error(QStringLiteral("数据库文件 %1 正被另一个程序独占使用，无法打开。").arg(path));
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(m_lockFd, &held) == 0 && ::stat(native.constData(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino) {
            m_lockFile = native;
            return;
        }
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    throw Error(QStringLiteral("无法建立数据库文件 %1 的锁文件 %2。").arg(path, lockFile));
}

void StoreFile::release()
{
    if (m_lockFd < 0)
        return;
    // Removed while still held, so no other copy can lock the name between the two steps.
    if (!m_lockFile.isEmpty())
        ::unlink(m_lockFile.constData());
    ::close(m_lockFd); // closing the descriptor releases the lock
    m_lockFd = -1;
    m_lockFile.clear();
}

QStringList StoreFile::columns(const QString &table) const
{
    const auto cached = m_columns.constFind(table);
    if (cached != m_columns.cend())
        return *cached;
    QStringList names;
    // The pragma itself, not its table-valued form, which the authorizer would see as a write.
    Statement info(*this, QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)), {});
    while (info.next())
        names.append(info.text(1));
    if (names.isEmpty())
        throw Error(QStringLiteral("数据库文件 %1 中没有表 %2。").arg(m_path, table));
    m_columns.insert(table, names);
    return names;
}

void readRows(const QString &path, const QString &sql, const QVariantList &params,
              const std::function<void(const Statement &)> &row)
{
    const StoreFile store(path, false);
    Statement statement(store, sql, params);
    while (statement.next())
        row(statement);
}

} // namespace mc::store
