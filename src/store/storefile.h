#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace mc::store {

// One prepared statement; steps through rows and reads columns as text or numbers.
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql, const QVariantList &params);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool next(); // throws mc::Error on failure
    int columnCount() const;
    QString columnName(int i) const;
    QString text(int i) const;
    qint64 integer(int i) const;
    bool isNumeric(int i) const;
    bool isNull(int i) const;
    // qint64 for integers, double for reals, QString otherwise.
    QVariant value(int i) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// A store file opened read-only and, when asked, held exclusively for as long as it is open.
class StoreFile {
public:
    StoreFile(const QString &path, bool exclusive);
    ~StoreFile();
    StoreFile(const StoreFile &) = delete;
    StoreFile &operator=(const StoreFile &) = delete;

    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }
    // Throws when the table does not exist. Cached: the store is read-only while it is open.
    QStringList columns(const QString &table) const;

private:
    QString m_path;
    int m_lockFd = -1;
    sqlite3 *m_db = nullptr;
    mutable QHash<QString, QStringList> m_columns;
};

} // namespace mc::store
