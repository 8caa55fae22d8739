#include "app/handover.h"
#include "platform/texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace mc::app {
namespace {

constexpr char kAnswer[] = "ok\n";

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

QString instanceName()
{
    // MINGCHUAN_INSTANCE keeps copies apart that must not meet (tests running side by side).
    const QString own = qEnvironmentVariable("MINGCHUAN_INSTANCE");
    if (!own.isEmpty())
        return own;
    // One copy per user: the socket lives in the user's own runtime folder when there is one, so
    // users never meet, whatever their ids; without one the name carries the user id.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("mingchuan.socket"));
    return QStringLiteral("mingchuan-%1").arg(::getuid());
}

bool handToRunning(const QString &name, const QString &text, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QString line = text;
    line.replace(u'\n', u' ');
    socket.write(line.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == kAnswer;
}

InstanceServer::InstanceServer(const QString &name, QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // No copy answered on this name (handToRunning failed first), so a socket file left by one
    // that crashed is stale.
    if (!m_server->listen(name)) {
        QLocalServer::removeServer(name);
        m_server->listen(name);
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QString text = QString::fromUtf8(socket->readLine()).chopped(1);
                socket->write(kAnswer);
                socket->flush();
                deliver(text);
            });
        }
    });
}

bool InstanceServer::isListening() const
{
    return m_server->isListening();
}

void InstanceServer::setReceiver(std::function<void(const QString &)> receiver)
{
    m_receiver = std::move(receiver);
    const QStringList pending = std::exchange(m_pending, {});
    for (const QString &text : pending)
        deliver(text);
}

void InstanceServer::deliver(const QString &text)
{
    if (m_receiver)
        m_receiver(text);
    else
        m_pending.append(text);
}

} // namespace mc::app
