#pragma once
#include <QList>
#include <QString>
#include <QVariantList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

struct sqlite3;

namespace mc::lookup {

// One statement of a change to the user file.
struct UserFileStep {
    QString sql;
    QVariantList params; // QString or qint64
};
using UserFileChange = QList<UserFileStep>;

// Writes changes to the user file on a thread of its own, each change in one transaction, in the
// order given, so the window never waits for the disk or for another program's lock. A change
// that meets a lock waits its turn and is tried again until it goes through; one that fails
// otherwise is dropped. The file is opened (and created) at the first change.
class UserFileWriter final {
public:
    enum class Trouble { Busy, Failed };
    // Called on the writer's thread.
    using Report = std::function<void(Trouble trouble)>;

    UserFileWriter(const QString &path, Report report);
    // Writes what is still queued as far as it can without waiting for a lock, then ends.
    ~UserFileWriter();
    UserFileWriter(const UserFileWriter &) = delete;
    UserFileWriter &operator=(const UserFileWriter &) = delete;

    void write(UserFileChange change);

private:
    void run();
    int apply(const UserFileChange &change);
    int openFile();
    static int onBusy(void *self, int count);

    QString m_path;
    Report m_report;
    sqlite3 *m_db = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<UserFileChange> m_queue;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace mc::lookup
