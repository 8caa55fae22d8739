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

// Every window of the program, created once at start-up in a fixed order and kept until exit.
struct Windows {
    MainWindow *main = nullptr;                     // TForm1
    SplashWindow *splash = nullptr;                 // TForm2
    speech::SpeechPrompt *speechPrompt = nullptr;   // TForm3
    search::RadicalPicker *radicalPicker = nullptr; // TForm4
    QWidget *more = nullptr;                        // TForm5
    ResultWindow *result = nullptr;                 // TForm6
    speech::StrokeViewer *strokeViewer = nullptr;   // TForm7
    QWidget *lexicon = nullptr;                     // TForm9

    Windows();
    ~Windows();
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;
};

} // namespace mc::app
