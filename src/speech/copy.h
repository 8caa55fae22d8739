#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QClipboard;
class QWidget;

namespace mc::speech {

// Reads one field of a section's current row as the section shows it.
using FieldReader = std::function<QString(const QString &column)>;

// One copy command: the controls that run it, its section's dataset and the text it composes.
struct CopyCommand {
    QStringList controls;
    QString dataset;
    std::function<QString(const FieldReader &field)> compose;
};
const QList<CopyCommand> &copyCommands();

// Puts text on the clipboard in place of whatever was there; throws mc::Error when it cannot.
void setClipboardText(QClipboard *clipboard, const QString &text);

// Wires the copy buttons and the two halves of the xiehouyu of the main window.
class Copying final : public QObject {
    Q_OBJECT
public:
    explicit Copying(QWidget *mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run(const CopyCommand &command);

    QWidget *m_mainWindow;
    QList<QPair<QObject *, CopyCommand>> m_clickable;
};

} // namespace mc::speech
