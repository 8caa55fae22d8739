#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace mc {
class Voice;
class SpeechdVoice;
namespace store {
class Dataset;
}
} // namespace mc

namespace mc::speech {

enum class Language { Chinese, English };

// One read-aloud button: the fields of its section's current row it reads, joined with nothing
// between them, and the language tag put in front.
struct ReadAloudCommand {
    QString button;
    QString dataset;
    QStringList columns;
    Language language;
};
const QList<ReadAloudCommand> &readAloudCommands();

// Full stops become ideographic full stops, then the language tag goes in front, unescaped.
QString speechMarkup(const QString &fieldText, Language language);

// Volume 100, rate -5, then the markup spoken asynchronously. Throws mc::Error from the voice.
void readAloud(Voice &voice, const QString &fieldText, Language language);

// The current row's fields as the section shows them; empty without a row.
QString joinedFields(const store::Dataset &dataset, const QStringList &columns);

// Wires the read-aloud buttons of the main window; owns the engine voice as long as the window
// lives and connects it on the first press.
class ReadAloud final : public QObject {
    Q_OBJECT
public:
    explicit ReadAloud(QWidget *mainWindow);

    Voice &voice();

signals:
    // A press could not be spoken: the engine is missing, not answering or has no voice.
    void speechFailed();

private:
    void press(const ReadAloudCommand &command, const store::Dataset *dataset);

    SpeechdVoice *m_engine = nullptr;
};

} // namespace mc::speech
