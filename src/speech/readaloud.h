#pragma once
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class QAbstractButton;

namespace mc {
class Voice;
class SpeechdVoice;
namespace store {
class Dataset;
enum class StoreId;
} // namespace store
} // namespace mc

namespace mc::speech {

enum class Language { Chinese, English };

// What a read-aloud button reads.
enum class Reading { Character, Word, WordExplanation, Idiom, Xiehouyu, English, Saying };

// One read-aloud button: the fields of its section's current row it reads, joined with nothing
// between them, and the language tag put in front.
struct ReadAloudCommand {
    Reading reading;
    store::StoreId store;
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

// Wires the read-aloud buttons; owns the engine voice as long as it lives and connects it on the
// first press.
class ReadAloud final : public QObject {
    Q_OBJECT
public:
    ReadAloud(const QMap<Reading, QAbstractButton *> &buttons, const QMap<store::StoreId, store::Dataset *> &datasets,
              QObject *parent);

    Voice &voice();
    // Speaks the text as a press of a button with that language does; a failure shows the
    // default error report and emits speechFailed().
    void speak(const QString &fieldText, Language language);

signals:
    // A press could not be spoken: the engine is missing, not answering or has no voice.
    void speechFailed();

private:
    void press(const ReadAloudCommand &command, const store::Dataset *dataset);

    SpeechdVoice *m_engine = nullptr;
};

} // namespace mc::speech
