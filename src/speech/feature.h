#pragma once
#include "speech/copy.h"
#include "speech/readaloud.h"

#include <QMap>
#include <QMultiMap>

class QAbstractButton;
class QAction;
class QWidget;

namespace mc::speech {

// The main window's controls and datasets read-aloud, copying and stroke order work on.
struct SpeechControls {
    QWidget *owner = nullptr; // the wiring lives as long as it does
    QMap<store::StoreId, store::Dataset *> datasets;
    QMap<Reading, QAbstractButton *> readAloud;
    QMultiMap<CopyText, QWidget *> copy;
    QAction *loadEngine = nullptr;
    QAbstractButton *strokeOrder = nullptr;
};

QWidget *createSpeechPrompt(); // TForm3
QWidget *createStrokeViewer(); // TForm7
// Wires read-aloud, copy, the speech engine command and the stroke-order button.
void install(const SpeechControls &controls, QWidget *speechPrompt, QWidget *strokeViewer);

} // namespace mc::speech
