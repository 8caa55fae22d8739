#pragma once
class QWidget;

namespace mc::readers {

// Wires the classics reader, the today-in-history page and the online lookup of the main window;
// resultWindow is TForm6, where lookups are shown.
void install(QWidget *mainWindow, QWidget *resultWindow);

} // namespace mc::readers
