#pragma once
class QWidget;

namespace mc::search {

// The radical picker window (TForm4), created hidden at start-up.
QWidget *createRadicalPicker();
// Wires the keyword searches, character modes, order and refresh buttons of the main window.
void install(QWidget *mainWindow, QWidget *radicalPicker);

} // namespace mc::search
