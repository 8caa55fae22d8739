#pragma once
#include "app/sheetcommand.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QLocalServer;

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

// The socket name of the user's running copy (MINGCHUAN_INSTANCE, when set, instead).
QString instanceName();

// Gives the text to a running copy of the program; true when one took it (it then raises its
// window). Called before any store is opened, so a second start never meets the store lock.
bool handToRunning(const QString &name, const QString &text, int timeoutMs = 3000);

// The running copy's end: accepts texts from later starts. Texts that arrive before a receiver
// is set (while the stores still open) wait for it.
class InstanceServer final : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const QString &name, QObject *parent = nullptr);
    bool isListening() const;
    void setReceiver(std::function<void(const QString &text)> receiver);

private:
    void deliver(const QString &text);

    QLocalServer *m_server;
    std::function<void(const QString &)> m_receiver;
    QStringList m_pending;
};

} // namespace mc::app
