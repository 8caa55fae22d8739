#pragma once
#include "app/sheetcommand.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>
#include <memory>
#include <thread>

#include <sys/types.h>

namespace mc::app {

// What the command line asks for: `mingchuan [text]`, or a practice sheet made without a window
// (`--sheet`, see sheetcommand.h). --help and --version are answered by the parser itself, which
// then ends the process.
struct StartRequest {
    QString text; // looked up in the quick lookup once the program is up; may be empty
    std::optional<SheetRequest> sheet;
    QString error; // arguments that make no sense: shown, and the process ends with exit code 2
};
StartRequest parseCommandLine(const QStringList &arguments);

// The running copy's socket and lock live in a folder only the user can enter, so no other user
// can put a socket of their own where our next start would hand its text. Looked for, in order:
// <XDG_RUNTIME_DIR>/mingchuan, <temp>/mingchuan-<uid>, ~/.cache/mingchuan-instance; the first that is safe
// (or can be made so) is taken, so every copy of the user picks the same one. Empty when none is:
// the program then runs without hand-over.
QString instanceFolder();

// Creates path as a folder of mode 0700 when it is missing; true when it is then a real folder
// (not a link) owned by uid that nobody else may enter, inside a folder nobody else can rename it
// in (owned by uid or root, and not writable by others unless sticky).
bool makePrivateFolder(const QString &path, uid_t uid);

// True when the process at the other end of the connected local socket runs as uid.
bool peerIsUser(int socket, uid_t uid);

// Gives the text to the running copy that listens in folder; true when it took it (it then raises
// its window). A socket there that answers for another user is never given the text.
bool handToRunning(const QString &folder, const QString &text, int timeoutMs = 3000);

// The user's one running copy: holds the folder's lock and listens on its socket, answering
// later starts on a thread of its own, so a copy still opening its stores answers at once.
// Texts that arrive before a receiver is set wait for it. Only the holder of the lock ever
// removes the socket, so no copy removes another's.
class InstanceServer final : public QObject {
    Q_OBJECT
public:
    // Takes the folder's lock and listens; nullptr when another copy holds the lock (then
    // *heldElsewhere is set) or the socket cannot be made (the lock is then let go again).
    static std::unique_ptr<InstanceServer> claim(const QString &folder, bool *heldElsewhere = nullptr);
    ~InstanceServer() override;

    void setReceiver(std::function<void(const QString &text)> receiver);

private:
    InstanceServer(int lockFd, int listenFd, const QByteArray &socketPath);
    void serve();
    void handle(int client);
    void received(const QString &text);
    void drain();

    int m_lockFd;
    int m_listenFd;
    int m_wake[2] = {-1, -1};
    QByteArray m_socketPath;
    std::thread m_thread;
    QMutex m_mutex;
    QStringList m_pending;
    bool m_receiverSet = false;
    std::function<void(const QString &)> m_receiver;
};

// A start's first step: hands the text to the running copy, or becomes the running copy. Copies
// that start together elect one through the folder's lock; the others wait up to `wait` for its
// socket and hand over. Returns the server when this copy is the one; nullptr with *handedOver
// set when another took the text; nullptr alone when hand-over is not to be had (no folder, or
// the elected copy never listened), and the program then starts on its own.
std::unique_ptr<InstanceServer> handOverOrClaim(const QString &folder, const QString &text, bool *handedOver,
                                                std::chrono::milliseconds wait = std::chrono::seconds(30));

} // namespace mc::app
