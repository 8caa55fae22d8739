#pragma once
#include "speech/copy.h"
#include "speech/readaloud.h"

#include <QMap>
#include <QMultiMap>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

namespace mc::speech {

class SpeechPrompt;
class StrokeViewer;

// The main window's controls and datasets read-aloud, copying and stroke order work on.
struct SpeechControls {
    QWidget *owner = nullptr; // the wiring lives as long as it does
    QMap<store::StoreId, store::Dataset *> datasets;
    QMap<Reading, QAbstractButton *> readAloud;
    QMultiMap<CopyText, QWidget *> copy;
    QAction *loadEngine = nullptr;
    QAbstractButton *strokeOrder = nullptr;
};

// Read-aloud and copy of an entry shown outside its section (the quick lookup's), handed out by
// install(). Each runs the store's first read-aloud or copy command (the section's first such
// button) over the fields given, as a press of that button does over the current row: the same
// text, the same language, the same voice. A failure shows the default error report; a read-aloud
// failure also offers the speech engine prompt once, as a press does. One made without install()
// copies but reads nothing aloud.
class EntrySpeech final {
public:
    EntrySpeech() = default;

    void readAloud(store::StoreId store, const FieldReader &field) const;
    void copy(store::StoreId store, const FieldReader &field) const;

private:
    friend EntrySpeech install(const SpeechControls &controls, std::function<SpeechPrompt *()> speechPrompt,
                               std::function<StrokeViewer *()> strokeViewer);
    explicit EntrySpeech(ReadAloud *readAloud) : m_readAloud(readAloud) {}

    QPointer<ReadAloud> m_readAloud;
};

SpeechPrompt *createSpeechPrompt(); // TForm3
StrokeViewer *createStrokeViewer(); // TForm7
// Wires read-aloud, copy, the speech engine command and the stroke-order button, and hands out
// read-aloud and copy for entries shown elsewhere. The prompt and the viewer are asked for when
// first needed.
EntrySpeech install(const SpeechControls &controls, std::function<SpeechPrompt *()> speechPrompt,
                    std::function<StrokeViewer *()> strokeViewer);

} // namespace mc::speech
