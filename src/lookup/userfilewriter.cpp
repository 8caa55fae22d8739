#include "lookup/userfilewriter.h"

#include <QFile>
#include <QLoggingCategory>
#include <sqlite3.h>

namespace mc::lookup {
namespace {

Q_LOGGING_CATEGORY(lcUserFile, "mc.lookup")

// How long one try waits for another program's lock, and the pause between tries.
constexpr int kBusyWaitMs = 2000;
constexpr int kBusyStepMs = 10;
constexpr auto kRetryPause = std::chrono::seconds(1);

bool isBusy(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

int runStep(sqlite3 *db, const UserFileStep &step)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = step.sql.toUtf8();
    int code = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
    for (int i = 0; code == SQLITE_OK && i < step.params.size(); ++i) {
        const QVariant &value = step.params.at(i);
        if (value.typeId() == QMetaType::LongLong) {
            code = sqlite3_bind_int64(statement, i + 1, value.toLongLong());
        } else {
            const QString text = value.toString();
            code = sqlite3_bind_text16(statement, i + 1, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        }
    }
    if (code == SQLITE_OK) {
        code = sqlite3_step(statement);
        if (code == SQLITE_DONE || code == SQLITE_ROW)
            code = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return code;
}

} // namespace

UserFileWriter::UserFileWriter(const QString &path, Report report) : m_path(path), m_report(std::move(report))
{
    m_thread = std::thread([this] { run(); });
}

UserFileWriter::~UserFileWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
    sqlite3_close(m_db);
}

void UserFileWriter::write(UserFileChange change)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(change));
    }
    m_wake.notify_all();
}

// Gives up at once when the program ends: nobody should wait for another program then.
int UserFileWriter::onBusy(void *self, int count)
{
    if (static_cast<UserFileWriter *>(self)->m_stopping || count * kBusyStepMs >= kBusyWaitMs)
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(kBusyStepMs));
    return 1;
}

int UserFileWriter::openFile()
{
    int code = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return code;
    }
    sqlite3_busy_handler(m_db, &UserFileWriter::onBusy, this);
    // Each lookup is a write: the write-ahead log saves most of the waits for the disk. Where
    // the file system cannot have it, the ordinary journal does.
    sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    return SQLITE_OK;
}

int UserFileWriter::apply(const UserFileChange &change)
{
    if (!m_db) {
        if (const int code = openFile(); code != SQLITE_OK)
            return code;
    }
    int code = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (qsizetype i = 0; code == SQLITE_OK && i < change.size(); ++i)
        code = runStep(m_db, change.at(i));
    if (code == SQLITE_OK)
        code = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        qCWarning(lcUserFile) << "user data:" << m_path << sqlite3_errmsg(m_db);
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return code;
}

void UserFileWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        const UserFileChange change = m_queue.front();
        lock.unlock();
        const int code = apply(change);
        lock.lock();
        if (isBusy(code) && !m_stopping) {
            // Held by another program: this change and the ones behind it wait for it.
            m_report(Trouble::Busy);
            m_wake.wait_for(lock, kRetryPause, [this] { return bool(m_stopping); });
            continue;
        }
        if (code != SQLITE_OK)
            m_report(isBusy(code) ? Trouble::Busy : Trouble::Failed);
        m_queue.pop_front();
    }
}

} // namespace mc::lookup
