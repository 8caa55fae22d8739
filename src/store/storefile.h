#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace mc::store {

class StoreFile;

// One prepared statement; steps through rows and reads columns as text or numbers. The program's
// one wrapper over SQLite statements.
class Statement {
public:
    Statement(const StoreFile &store, const QString &sql, const QVariantList &params);
    // On a connection of the caller's, for files of ours that are written to (the user's history
    // and word book); only stores are read through StoreFile.
    Statement(sqlite3 *db, const QString &sql, const QVariantList &params);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool next(); // throws mc::Error on failure
    int columnCount() const;
    QString columnName(int i) const;
    QString text(int i) const;
    QByteArray bytes(int i) const; // as stored, for blobs
    qint64 integer(int i) const;
    bool isNumeric(int i) const;
    bool isNull(int i) const;
    // qint64 for integers, double for reals, QString otherwise.
    QVariant value(int i) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// Sees the text of every statement prepared on any store (for the keyword fuzz run); nullptr
// stops it. Not for use while statements are being prepared on another thread.
void setStatementObserver(std::function<void(const QString &sql)> observer);

// A store file opened read-only and, when asked, held exclusively for as long as it is open.
// The connection can only read: it is query-only, double-quoted names never turn into text,
// and an authorizer refuses every statement but reading, limited to the given tables when some
// are named. The file is checked before SQLite sees it: present, a file, readable, a database,
// and as long as its header says.
class StoreFile {
public:
    // Our own index files (search.db) are read like a store, but their full-text tables read
    // their own schema in ways the limits on user-built queries refuse: they open without them.
    enum class Queries { Limited, OwnIndex };
    StoreFile(const QString &path, bool exclusive, const QStringList &tables = {}, Queries queries = Queries::Limited);
    ~StoreFile();
    StoreFile(const StoreFile &) = delete;
    StoreFile &operator=(const StoreFile &) = delete;

    // Where exclusive holds are kept. Empty (the default): on the store file itself, so any two
    // running copies exclude each other. Otherwise "<folder>/<store file name>.lock": stores that
    // many users share read-only are then held per user, each user naming a folder of their own.
    // The lock file is removed when the store is closed.
    static void setLockFolder(const QString &folder);

    const QString &path() const { return m_path; }
    // Throws when the table does not exist. Cached: the store is read-only while it is open.
    QStringList columns(const QString &table) const;
    // Asked now and then while a statement runs; true stops the statement with an error.
    void setCancelCheck(std::function<bool()> cancelled);

private:
    friend class Statement;

    void holdExclusively(const QString &path, const QString &fileName);
    void release();

    QString m_path;
    QStringList m_tables;
    int m_lockFd = -1;
    QByteArray m_lockFile; // removed again when the hold ends
    sqlite3 *m_db = nullptr;
    mutable QHash<QString, QStringList> m_columns;
    std::function<bool()> m_cancelled;
};

// Opens the store file at path for reading, without holding it, runs one query and hands every
// row to row. Throws mc::Error when the store cannot be opened or the query fails.
void readRows(const QString &path, const QString &sql, const QVariantList &params,
              const std::function<void(const Statement &)> &row);

} // namespace mc::store
