#include "app/handover.h"
#include "platform/texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace mc::app {
namespace {

Q_LOGGING_CATEGORY(lcHandover, "mc.app", QtInfoMsg)

constexpr char kAnswer[] = "ok\n";
// More than the quick lookup ever reads of a text; a longer line is not ours.
constexpr qsizetype kMaxText = 16384;
constexpr qsizetype kMaxLine = 4 * kMaxText;
// A start that has taken the text waits no longer than this for the rest of it.
constexpr int kClientSeconds = 2;

QByteArray socketPath(const QString &folder)
{
    return QFile::encodeName(QDir(folder).filePath(QStringLiteral("socket")));
}

bool fitsAddress(const QByteArray &path)
{
    return path.size() < qsizetype(sizeof(sockaddr_un::sun_path));
}

sockaddr_un addressOf(const QByteArray &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

void setTimeouts(int fd, int ms)
{
    const timeval limit{ms / 1000, (ms % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// Reads up to and without the first line break; false on end, error, timeout or a line past max.
bool readLine(int fd, qsizetype max, QByteArray *line)
{
    char buffer[4096];
    while (!line->contains('\n')) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        line->append(buffer, n);
        if (line->size() > max + 1)
            return false;
    }
    line->truncate(line->indexOf('\n'));
    return true;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

} // namespace

StartRequest parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(mc::texts::kAppTitle);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("文字"), QStringLiteral("启动后在快速查询中查找的文字"),
                                 QStringLiteral("[文字]"));
    addSheetOptions(parser);
    StartRequest request;
    if (!parser.parse(arguments)) {
        request.error = parser.errorText();
        return request;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    request.sheet = sheetRequest(parser, request.error);
    if (!request.sheet)
        request.text = parser.positionalArguments().join(u' ');
    return request;
}

bool makePrivateFolder(const QString &path, uid_t uid)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    const QString clean = QDir::cleanPath(path);
    const QByteArray native = QFile::encodeName(clean);
    // Whoever may rename entries of the parent could swap our folder for theirs after the check.
    struct stat parent {};
    if (::stat(QFile::encodeName(QFileInfo(clean).path()).constData(), &parent) != 0 || !S_ISDIR(parent.st_mode)
        || (parent.st_uid != uid && parent.st_uid != 0)
        || ((parent.st_mode & (S_IWGRP | S_IWOTH)) && !(parent.st_mode & S_ISVTX)))
        return false;
    if (::mkdir(native.constData(), 0700) == 0)
        ::chmod(native.constData(), 0700); // whatever the umask took away
    else if (errno != EEXIST)
        return false;
    struct stat own {};
    return ::lstat(native.constData(), &own) == 0 && S_ISDIR(own.st_mode) && own.st_uid == uid
        && (own.st_mode & 0777) == 0700;
}

QString instanceFolder()
{
    const uid_t uid = ::getuid();
    QStringList candidates;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        candidates.append(QDir(runtime).filePath(QStringLiteral("mingchuan")));
    candidates.append(QDir(QDir::tempPath()).filePath(QStringLiteral("mingchuan-%1").arg(uid)));
    for (const QString &folder : std::as_const(candidates)) {
        if (makePrivateFolder(folder, uid) && fitsAddress(socketPath(folder)))
            return folder;
    }
    // Someone else holds the shared name in the temporary folder: the user's cache is theirs alone.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty() && QDir().mkpath(cache)) {
        const QString folder = QDir(cache).filePath(QStringLiteral("mingchuan-instance"));
        if (makePrivateFolder(folder, uid) && fitsAddress(socketPath(folder)))
            return folder;
    }
    qCInfo(lcHandover) << "no private folder for the running copy's socket; starting without hand-over";
    return {};
}

bool peerIsUser(int socket, uid_t uid)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer && peer.uid == uid;
}

bool handToRunning(const QString &folder, const QString &text, int timeoutMs)
{
    const QByteArray path = socketPath(folder);
    if (folder.isEmpty() || !fitsAddress(path))
        return false;
    const Descriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return false;
    setTimeouts(fd.get(), timeoutMs);
    const sockaddr_un address = addressOf(path);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return false;
    if (!peerIsUser(fd.get(), ::getuid())) {
        qCWarning(lcHandover) << "the socket" << QFile::decodeName(path) << "belongs to another user; not used";
        return false;
    }
    QString line = text.left(kMaxText);
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    QByteArray answer;
    return sendAll(fd.get(), line.toUtf8() + '\n') && readLine(fd.get(), 16, &answer) && answer + '\n' == kAnswer;
}

std::unique_ptr<InstanceServer> InstanceServer::claim(const QString &folder, bool *heldElsewhere)
{
    if (heldElsewhere)
        *heldElsewhere = false;
    const QByteArray path = socketPath(folder);
    if (folder.isEmpty() || !fitsAddress(path))
        return nullptr;
    Descriptor lock(::open(QFile::encodeName(QDir(folder).filePath(QStringLiteral("lock"))).constData(),
                           O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (lock.get() < 0)
        return nullptr;
    if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (heldElsewhere)
            *heldElsewhere = errno == EWOULDBLOCK;
        return nullptr;
    }
    // With the lock ours, a socket left here is a crashed copy's: nobody else listens on it.
    ::unlink(path.constData());
    Descriptor listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_un address = addressOf(path);
    if (listener.get() < 0 || ::bind(listener.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(listener.get(), 64) != 0) {
        qCWarning(lcHandover) << "cannot listen on" << QFile::decodeName(path) << std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<InstanceServer>(new InstanceServer(lock.release(), listener.release(), path));
}

InstanceServer::InstanceServer(int lockFd, int listenFd, const QByteArray &socketPath)
    : m_lockFd(lockFd), m_listenFd(listenFd), m_socketPath(socketPath)
{
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        m_wake[0] = m_wake[1] = -1;
    m_thread = std::thread([this] { serve(); });
}

InstanceServer::~InstanceServer()
{
    if (m_wake[1] >= 0)
        (void)!::write(m_wake[1], "x", 1);
    m_thread.join();
    // Still holding the lock: the socket is ours to take away.
    ::unlink(m_socketPath.constData());
    for (int fd : {m_listenFd, m_wake[0], m_wake[1], m_lockFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void InstanceServer::serve()
{
    pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    const nfds_t count = m_wake[0] >= 0 ? 2 : 1;
    for (;;) {
        if (::poll(fds, count, -1) < 0 && errno != EINTR)
            return;
        if (count == 2 && fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            // Out of descriptors or memory for now: the socket stays, and the start that waits
            // is taken once there is room again.
            if (errno != EINTR && errno != ECONNABORTED) {
                qCWarning(lcHandover) << "accepting a start failed:" << std::strerror(errno);
                if (count == 2 && ::poll(&fds[1], 1, 100) > 0)
                    return;
            }
            continue;
        }
        handle(client);
        ::close(client);
    }
}

void InstanceServer::handle(int client)
{
    if (!peerIsUser(client, ::getuid()))
        return;
    setTimeouts(client, kClientSeconds * 1000);
    QByteArray line;
    if (!readLine(client, kMaxLine, &line))
        return;
    received(QString::fromUtf8(line));
    sendAll(client, QByteArray(kAnswer));
}

void InstanceServer::received(const QString &text)
{
    qCDebug(lcHandover) << "handed over:" << text;
    const QMutexLocker locker(&m_mutex);
    m_pending.append(text);
    if (m_receiverSet)
        QMetaObject::invokeMethod(this, &InstanceServer::drain, Qt::QueuedConnection);
}

void InstanceServer::setReceiver(std::function<void(const QString &)> receiver)
{
    m_receiver = std::move(receiver);
    {
        const QMutexLocker locker(&m_mutex);
        m_receiverSet = true;
    }
    drain();
}

void InstanceServer::drain()
{
    QStringList texts;
    {
        const QMutexLocker locker(&m_mutex);
        texts = std::exchange(m_pending, {});
    }
    for (const QString &text : std::as_const(texts))
        m_receiver(text);
}

std::unique_ptr<InstanceServer> handOverOrClaim(const QString &folder, const QString &text, bool *handedOver,
                                                std::chrono::milliseconds wait)
{
    *handedOver = false;
    if (folder.isEmpty())
        return nullptr;
    const QDeadlineTimer deadline(wait);
    for (;;) {
        if (handToRunning(folder, text)) {
            *handedOver = true;
            return nullptr;
        }
        bool heldElsewhere = false;
        if (std::unique_ptr<InstanceServer> server = InstanceServer::claim(folder, &heldElsewhere))
            return server;
        // Elected elsewhere: that copy listens in a moment.
        if (!heldElsewhere || deadline.hasExpired()) {
            qCWarning(lcHandover) << "the running copy does not answer; starting without hand-over";
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace mc::app
