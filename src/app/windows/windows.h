#pragma once
#include "app/windows/resultwindow.h"
#include "search/radicalpicker.h"
#include "speech/speechprompt.h"
#include "speech/strokeviewer.h"

#include <QWidget>
#include <memory>

namespace mc::app {

class MainWindow;
class SplashWindow;

// Every window of the program. The splash is built first, so that it can show while the rest is
// built; the main window follows. Each secondary window is built with its web view when it is
// first asked for (opened, or found by a command) and kept until exit: closing one hides it.
class Windows final {
public:
    Windows(); // the splash only; buildMain() follows once it shows
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    void buildMain();

    MainWindow *main = nullptr;     // TForm1
    SplashWindow *splash = nullptr; // TForm2

    speech::SpeechPrompt *speechPrompt();   // TForm3
    search::RadicalPicker *radicalPicker(); // TForm4
    QWidget *more();                        // TForm5
    ResultWindow *result();                 // TForm6
    speech::StrokeViewer *strokeViewer();   // TForm7
    QWidget *lexicon();                     // TForm9

    // The secondary window of that object name ("TForm9"), built if need be; nullptr for a name
    // no secondary window has.
    QWidget *secondary(const QString &objectName);
    // Whether it has been built yet.
    bool isBuilt(const QString &objectName) const;

private:
    void closesOnEscape(QWidget *window);

    speech::SpeechPrompt *m_speechPrompt = nullptr;
    search::RadicalPicker *m_radicalPicker = nullptr;
    QWidget *m_more = nullptr;
    ResultWindow *m_result = nullptr;
    speech::StrokeViewer *m_strokeViewer = nullptr;
    QWidget *m_lexicon = nullptr;
};

} // namespace mc::app
