#pragma once
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QClipboard;
class QWidget;

namespace mc::store {
class Dataset;
enum class StoreId;
} // namespace mc::store

namespace mc::speech {

// What a copy control puts on the clipboard.
enum class CopyText {
    Character,
    CharacterExplanation,
    WordForms,
    WordExplanation,
    Idiom,
    Xiehouyu,
    XiehouyuHalves, // a click on either half
    English,
    Saying,
};

// Reads one field of a section's current row as the section shows it.
using FieldReader = std::function<QString(const QString &column)>;

// One copy command: what it copies, its section's store and the text it composes.
struct CopyCommand {
    CopyText text;
    store::StoreId store;
    std::function<QString(const FieldReader &field)> compose;
};
const QList<CopyCommand> &copyCommands();

// Puts text on the clipboard in place of whatever was there; throws mc::Error when it cannot.
void setClipboardText(QClipboard *clipboard, const QString &text);

// Puts the text the command composes from the fields on the clipboard; a failure shows the
// default error report.
void copyFields(const CopyCommand &command, const FieldReader &field);

// Wires the copy buttons and the two halves of the xiehouyu: a button copies on a click, any other
// control (the field views) on a left click.
class Copying final : public QObject {
    Q_OBJECT
public:
    Copying(const QMultiMap<CopyText, QWidget *> &controls, const QMap<store::StoreId, store::Dataset *> &datasets,
            QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void run(const CopyCommand &command);

    QMap<store::StoreId, store::Dataset *> m_datasets;
    QList<QPair<QObject *, CopyCommand>> m_clickable;
};

} // namespace mc::speech
