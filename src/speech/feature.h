#pragma once
class QWidget;

namespace mc::speech {

QWidget *createSpeechPrompt();  // TForm3
QWidget *createStrokeViewer();  // TForm7
// Wires read-aloud, copy, the speech engine menu and the stroke-order button of the main window.
void install(QWidget *mainWindow, QWidget *speechPrompt, QWidget *strokeViewer);

} // namespace mc::speech
