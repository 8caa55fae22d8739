#include "lookup/userdata.h"
#include "lookup/userfilewriter.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/savefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QUrl>
#include <sqlite3.h>

#include <unistd.h>

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

// Reads one list of the user file, newest first; answers SQLite's code.
int readEntries(sqlite3 *db, const char *table, QList<Entry> *entries)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql
        = QByteArray("SELECT seq, store, key, pinyin, explanation FROM ") + table + " ORDER BY seq DESC";
    int code = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
    auto text = [statement](int i) {
        const auto *chars = static_cast<const char16_t *>(sqlite3_column_text16(statement, i));
        return chars ? QString::fromUtf16(chars, sqlite3_column_bytes16(statement, i) / 2) : QString();
    };
    while (code == SQLITE_OK && (code = sqlite3_step(statement)) == SQLITE_ROW) {
        code = SQLITE_OK;
        Entry entry;
        if (const std::optional<store::StoreId> id = store::storeWithKey(text(1))) {
            entry.store = *id;
            entry.key = text(2);
            entry.pinyin = text(3);
            entry.explanation = text(4);
            entries->append(entry);
        }
    }
    sqlite3_finalize(statement);
    return code == SQLITE_DONE ? SQLITE_OK : code;
}

// Failures that say nothing about the file's content: it is there, just not ours to use now.
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

int readFileAt(const QByteArray &uri, QList<Entry> *history, QList<Entry> *favourites)
{
    sqlite3 *db = nullptr;
    int code = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    // A moment for a writer that is just committing; never longer, this is the window's thread.
    sqlite3_busy_timeout(db, 100);
    int tables = 0;
    if (code == SQLITE_OK) {
        code = sqlite3_exec(
            db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('history', 'favourites')",
            [](void *tables, int, char **values, char **) {
                *static_cast<int *>(tables) = values[0] ? atoi(values[0]) : 0;
                return 0;
            },
            &tables, nullptr);
    }
    // A file of another layout fails here rather than at the first lookup; a file without our
    // tables yet is simply empty.
    if (code == SQLITE_OK && tables > 0)
        code = readEntries(db, "history", history);
    if (code == SQLITE_OK && tables > 0)
        code = readEntries(db, "favourites", favourites);
    if (code == SQLITE_OK) {
        // The check answers "ok", or rows naming the damage.
        bool sound = true;
        code = sqlite3_exec(
            db, "PRAGMA quick_check",
            [](void *sound, int, char **values, char **) {
                *static_cast<bool *>(sound) &= values[0] && qstrcmp(values[0], "ok") == 0;
                return 0;
            },
            &sound, nullptr);
        if (code == SQLITE_OK && !sound)
            code = SQLITE_CORRUPT;
    }
    if (code != SQLITE_OK)
        qCWarning(lcUserData) << "user data:" << uri << sqlite3_errmsg(db);
    sqlite3_close(db);
    if (code != SQLITE_OK) {
        history->clear();
        favourites->clear();
    }
    return code;
}

enum class ReadResult { Read, Missing, Damaged, Unreadable };

// Reads the user file without writing anything and without waiting for a program that holds
// it: when its lock is in the way, the file is read as it stands on disk.
ReadResult readFile(const QString &path, QList<Entry> *history, QList<Entry> *favourites)
{
    const QFileInfo file(path);
    if (!file.exists() || (file.isFile() && file.size() == 0))
        return ReadResult::Missing;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    const int code = readFileAt(uri + "?mode=ro", history, favourites);
    if (code == SQLITE_OK)
        return ReadResult::Read;
    if (!isAccessFailure(code))
        return ReadResult::Damaged;
    // Only a read under the file's lock can call it damaged: a file read past its lock may be
    // in the middle of a change.
    return readFileAt(uri + "?immutable=1", history, favourites) == SQLITE_OK ? ReadResult::Read
                                                                              : ReadResult::Unreadable;
}

bool isWritable(const QString &folder, const QString &path)
{
    // The journal or write-ahead log goes beside the file.
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0
        && (!QFileInfo::exists(path) || ::access(QFile::encodeName(path).constData(), W_OK) == 0);
}

UserFileChange schemaChange()
{
    UserFileChange change;
    for (const QString &statement : QString::fromLatin1(kSchema).split(u';', Qt::SkipEmptyParts))
        change.append({statement, {}});
    return change;
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
    QList<Entry> history;
    QList<Entry> favourites;
    ReadResult read = readFile(path, &history, &favourites);
    if (read == ReadResult::Damaged) {
        const QString aside
            = QDir(folder).filePath(QStringLiteral("userdata-%1.damaged.db")
                                        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
        if (QFile::rename(path, aside)) {
            tell(QStringLiteral("用户数据文件 %1 已损坏，已改名为 %2 保留；查询记录和生词本重新开始。")
                     .arg(QDir::toNativeSeparators(path), QFileInfo(aside).fileName()));
            read = ReadResult::Missing;
        }
    }
    if (read == ReadResult::Damaged || read == ReadResult::Unreadable) {
        tell(QStringLiteral("无法读取用户数据文件 %1，这次的查询记录和生词本在关闭程序后不会保留。")
                 .arg(QDir::toNativeSeparators(path)));
        openInMemory();
        return;
    }
    m_history = history;
    m_favourites = favourites;
    m_path = path;
    m_kept = isWritable(folder, path);
    if (m_kept) {
        m_writer = std::make_unique<UserFileWriter>(path, [this](UserFileWriter::Trouble trouble) {
            QMetaObject::invokeMethod(
                this,
                [this, trouble] {
                    if (trouble == UserFileWriter::Trouble::Busy)
                        tell(
                            QStringLiteral("用户数据文件 %1 正被其他程序使用，查询记录和生词本的改动等它用完后再保存。")
                                .arg(QDir::toNativeSeparators(m_path)));
                    else
                        tell(QStringLiteral("无法写入用户数据文件 %1，查询记录和生词本的改动没有保存。")
                                 .arg(QDir::toNativeSeparators(m_path)));
                },
                Qt::QueuedConnection);
        });
        m_writer->write(schemaChange());
    } else if (read == ReadResult::Read) {
        tell(QStringLiteral("用户数据文件 %1 只能读取：查询记录和生词本照常显示，这次的改动在关闭程序后不会保留。")
                 .arg(QDir::toNativeSeparators(path)));
    } else {
        tell(QStringLiteral("无法写入用户数据文件 %1，这次的查询记录和生词本在关闭程序后不会保留。")
                 .arg(QDir::toNativeSeparators(path)));
    }
    emit historyChanged();
    emit favouritesChanged();
}

void UserData::openInMemory()
{
    m_path.clear();
    m_kept = false;
    emit historyChanged();
    emit favouritesChanged();
}

void UserData::close()
{
    m_writer.reset();
    m_history.clear();
    m_favourites.clear();
}

void UserData::tell(const QString &text)
{
    if (m_told)
        return;
    m_told = true;
    Messages::current().information(text);
}

void UserData::addLookup(const Entry &entry)
{
    if (entry.key.isEmpty())
        return;
    m_history.removeIf([&entry](const Entry &e) { return e.store == entry.store && e.key == entry.key; });
    m_history.prepend(entry);
    if (m_history.size() > kHistoryLimit)
        m_history.resize(kHistoryLimit);
    // Replacing deletes the older row of the same entry, so the new one gets the newest number.
    if (m_writer) {
        m_writer->write({
            {QStringLiteral("INSERT OR REPLACE INTO history(store, key, pinyin, explanation) VALUES (?, ?, ?, ?)"),
             {store::storeInfo(entry.store).key, entry.key, entry.pinyin, entry.explanation}},
            {QStringLiteral("DELETE FROM history WHERE seq NOT IN (SELECT seq FROM history ORDER BY seq DESC LIMIT ?)"),
             {qint64(kHistoryLimit)}},
        });
    }
    emit historyChanged();
}

QList<Entry> UserData::history() const
{
    return m_history;
}

QList<Entry> UserData::favourites() const
{
    return m_favourites;
}

bool UserData::isFavourite(store::StoreId store, const QString &key) const
{
    return std::any_of(m_favourites.cbegin(), m_favourites.cend(),
                       [&](const Entry &e) { return e.store == store && e.key == key; });
}

bool UserData::toggleFavourite(const Entry &entry)
{
    const bool was = isFavourite(entry.store, entry.key);
    if (was)
        m_favourites.removeIf([&entry](const Entry &e) { return e.store == entry.store && e.key == entry.key; });
    else
        m_favourites.prepend(entry);
    if (m_writer) {
        m_writer->write(
            {was ? UserFileStep{QStringLiteral("DELETE FROM favourites WHERE store = ? AND key = ?"),
                                {store::storeInfo(entry.store).key, entry.key}}
                 : UserFileStep{QStringLiteral("INSERT OR REPLACE INTO favourites(store, key, pinyin, "
                                               "explanation) VALUES (?, ?, ?, ?)"),
                                {store::storeInfo(entry.store).key, entry.key, entry.pinyin, entry.explanation}}});
    }
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
    files::writeWhole(path, text.toUtf8(), QDir::toNativeSeparators(path));
}

} // namespace mc::lookup
