#include "lookup/userdata.h"
#include "core/error.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "store/storefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSaveFile>
#include <sqlite3.h>

namespace mc::lookup {
namespace {

Q_LOGGING_CATEGORY(lcUserData, "mc.lookup")

const QString kFileName = QStringLiteral("userdata.db");

const char kSchema[] = "CREATE TABLE IF NOT EXISTS history(seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " store TEXT NOT NULL, key TEXT NOT NULL, pinyin TEXT NOT NULL DEFAULT '',"
                       " explanation TEXT NOT NULL DEFAULT '', UNIQUE(store, key));"
                       "CREATE TABLE IF NOT EXISTS favourites(seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " store TEXT NOT NULL, key TEXT NOT NULL, pinyin TEXT NOT NULL DEFAULT '',"
                       " explanation TEXT NOT NULL DEFAULT '', UNIQUE(store, key));";

// Failures that say nothing about the file's content: it is there, just not ours to write now.
bool isAccessFailure(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_NOMEM:
        return true;
    default:
        return false;
    }
}

} // namespace

QString shortExplanation(const QString &content)
{
    static const QRegularExpression heads(QStringLiteral("^(【[^】\\n]*】|〔[^〕\\n]*〕)\\s*$"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression blankLines(QStringLiteral("\\n{2,}"));
    QString text = content;
    text.remove(heads);
    text.replace(blankLines, QStringLiteral("\n"));
    text = text.trimmed();
    return text.size() > kExplanationLimit ? text.left(kExplanationLimit) + QStringLiteral("…") : text;
}

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString UserData::defaultFolder()
{
    return paths::dataFolder();
}

UserData::UserData(QObject *parent) : QObject(parent)
{}

UserData::~UserData()
{
    close();
}

void UserData::open(const QString &folder)
{
    close();
    m_told = false;
    const QString path = QDir(folder).filePath(kFileName);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        tell(QStringLiteral("无法在文件夹 %1 中保存查询记录和生词本，这次的记录在关闭程序后不会保留。")
                 .arg(QDir::toNativeSeparators(folder)));
        openInMemory();
        return;
    }
    Failure failure = tryOpen(path);
    if (failure == Failure::Damaged) {
        const QString aside
            = QDir(folder).filePath(QStringLiteral("userdata-%1.damaged.db")
                                        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
        if (QFile::rename(path, aside)) {
            tell(QStringLiteral("用户数据文件 %1 已损坏，已改名为 %2 保留；查询记录和生词本重新开始。")
                     .arg(QDir::toNativeSeparators(path), QFileInfo(aside).fileName()));
            failure = tryOpen(path);
        }
    }
    if (failure != Failure::None) {
        tell(QStringLiteral("无法写入用户数据文件 %1，这次的查询记录和生词本在关闭程序后不会保留。")
                 .arg(QDir::toNativeSeparators(path)));
        openInMemory();
        return;
    }
    m_path = path;
    m_kept = true;
    emit historyChanged();
    emit favouritesChanged();
}

UserData::Failure UserData::tryOpen(const QString &path)
{
    const bool existed = QFileInfo(path).size() > 0;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        close();
        return Failure::Unwritable;
    }
    sqlite3_busy_timeout(m_db, 2000);
    // One transaction: a file of another layout is left exactly as it was found.
    int code = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr);
    if (code == SQLITE_OK) {
        // A file of another layout fails here rather than at the first lookup.
        code = sqlite3_exec(m_db,
                            "SELECT seq, store, key, pinyin, explanation FROM history LIMIT 0;"
                            "SELECT seq, store, key, pinyin, explanation FROM favourites LIMIT 0;",
                            nullptr, nullptr, nullptr);
    }
    if (code == SQLITE_OK) {
        // The check answers "ok", or rows naming the damage.
        bool sound = true;
        code = sqlite3_exec(
            m_db, "PRAGMA quick_check",
            [](void *sound, int, char **values, char **) {
                *static_cast<bool *>(sound) &= values[0] && qstrcmp(values[0], "ok") == 0;
                return 0;
            },
            &sound, nullptr);
        if (code == SQLITE_OK && !sound)
            code = SQLITE_CORRUPT;
    }
    if (code == SQLITE_OK)
        code = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (code == SQLITE_OK) {
        // Each lookup is a write: the write-ahead log saves most of the waits for the disk. Where
        // the file system cannot have it, the ordinary journal does.
        sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
        return Failure::None;
    }
    qCWarning(lcUserData) << "user data" << path << sqlite3_errmsg(m_db);
    close();
    return existed && !isAccessFailure(code) ? Failure::Damaged : Failure::Unwritable;
}

void UserData::openInMemory()
{
    m_path.clear();
    m_kept = false;
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK
        || sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK)
        close();
    emit historyChanged();
    emit favouritesChanged();
}

void UserData::close()
{
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
}

void UserData::tell(const QString &text)
{
    if (m_told)
        return;
    m_told = true;
    Messages::current().information(text);
}

bool UserData::write(const QString &sql, const QVariantList &params)
{
    if (!m_db)
        return false;
    try {
        store::Statement statement(m_db, sql, params);
        statement.next();
        return true;
    } catch (const Error &e) {
        qCWarning(lcUserData) << "user data:" << e.text();
        tell(QStringLiteral("无法写入用户数据文件 %1，查询记录和生词本的改动没有保存。")
                 .arg(QDir::toNativeSeparators(m_path)));
        return false;
    }
}

void UserData::addLookup(const Entry &entry)
{
    if (entry.key.isEmpty())
        return;
    // Replacing deletes the older row of the same entry, so the new one gets the newest number.
    if (!write(QStringLiteral("INSERT OR REPLACE INTO history(store, key, pinyin, explanation) VALUES (?, ?, ?, ?)"),
               {store::storeInfo(entry.store).key, entry.key, entry.pinyin, entry.explanation}))
        return;
    write(QStringLiteral("DELETE FROM history WHERE seq NOT IN (SELECT seq FROM history ORDER BY seq DESC LIMIT ?)"),
          {qint64(kHistoryLimit)});
    emit historyChanged();
}

QList<Entry> UserData::entries(const QString &table) const
{
    QList<Entry> found;
    if (!m_db)
        return found;
    try {
        store::Statement s(
            m_db, QStringLiteral("SELECT store, key, pinyin, explanation FROM %1 ORDER BY seq DESC").arg(table), {});
        while (s.next()) {
            Entry entry;
            if (const std::optional<store::StoreId> id = store::storeWithKey(s.text(0))) {
                entry.store = *id;
                entry.key = s.text(1);
                entry.pinyin = s.text(2);
                entry.explanation = s.text(3);
                found.append(entry);
            }
        }
    } catch (const Error &e) {
        qCWarning(lcUserData) << "user data:" << e.text();
    }
    return found;
}

QList<Entry> UserData::history() const
{
    return entries(QStringLiteral("history"));
}

QList<Entry> UserData::favourites() const
{
    return entries(QStringLiteral("favourites"));
}

bool UserData::isFavourite(store::StoreId store, const QString &key) const
{
    if (!m_db)
        return false;
    try {
        store::Statement s(m_db, QStringLiteral("SELECT 1 FROM favourites WHERE store = ? AND key = ?"),
                           {store::storeInfo(store).key, key});
        return s.next();
    } catch (const Error &e) {
        qCWarning(lcUserData) << "user data:" << e.text();
        return false;
    }
}

bool UserData::toggleFavourite(const Entry &entry)
{
    const bool was = isFavourite(entry.store, entry.key);
    const bool done = was
        ? write(QStringLiteral("DELETE FROM favourites WHERE store = ? AND key = ?"),
                {store::storeInfo(entry.store).key, entry.key})
        : write(QStringLiteral("INSERT INTO favourites(store, key, pinyin, explanation) VALUES (?, ?, ?, ?)"),
                {store::storeInfo(entry.store).key, entry.key, entry.pinyin, entry.explanation});
    if (!done)
        return was;
    emit favouritesChanged();
    return !was;
}

void UserData::exportCsv(const QString &path) const
{
    // The header lines tell the importer the separator and the columns; it skips them as notes.
    QString text = QStringLiteral("#separator:comma\n#html:false\n#columns:word,pinyin,explanation\n");
    const QList<Entry> words = favourites();
    for (auto it = words.crbegin(); it != words.crend(); ++it)
        text += csvField(it->key) + u',' + csvField(it->pinyin) + u',' + csvField(it->explanation) + u'\n';
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
        throw Error(QStringLiteral("无法写入文件 %1。").arg(QDir::toNativeSeparators(path)));
}

} // namespace mc::lookup
