#pragma once
#include "search/feature.h"
#include "speech/feature.h"

#include <QString>

#include <functional>
#include <memory>

class QTranslator;

namespace mc::app {

class Windows;

// The start-up sequence: creates every window, shows the splash, opens the stores, hides the
// splash and shows the main window. Needs a QApplication.
class Application final {
public:
    Application();
    ~Application();

    // Observes the splash bar's values while the stores open (for tests).
    void setProgressObserver(std::function<void(int)> observer) { m_observer = std::move(observer); }

    // False when a store could not be opened: the error has been reported as an application
    // error and the process should end with exit code 1.
    bool start();
    Windows &windows() { return *m_windows; }
    // The folder the stores were found in, once start() has succeeded.
    const QString &dataFolder() const { return m_dataFolder; }
    // The section searches and read-aloud and copy for entries shown outside the sections,
    // wired to the main window by start().
    const search::SectionSearch &sectionSearch() const { return m_sectionSearch; }
    const speech::EntrySpeech &entrySpeech() const { return m_entrySpeech; }

private:
    std::unique_ptr<Windows> m_windows;
    QString m_dataFolder;
    search::SectionSearch m_sectionSearch;
    speech::EntrySpeech m_entrySpeech;
    std::function<void(int)> m_observer;
};

// Loads Qt's own texts in Chinese (file dialogs, the buttons of plain boxes, --help) into
// translator and installs it; nothing when Qt's translations are missing.
void loadQtTranslations(QTranslator &translator);

// The whole program: start-up, then the event loop. Returns the process exit code.
int run(int &argc, char **argv);

} // namespace mc::app
