#include "app/windows/windows.h"
#include "app/windows/lexiconwindow.h"
#include "app/windows/mainwindow.h"
#include "app/windows/morewindow.h"
#include "app/windows/resultwindow.h"
#include "app/windows/splashwindow.h"
#include "search/feature.h"
#include "speech/feature.h"

#include <QDialog>
#include <QShortcut>

namespace mc::app {
Windows::Windows()
{
    main = new MainWindow;
    splash = new SplashWindow;
    speechPrompt = speech::createSpeechPrompt();
    radicalPicker = search::createRadicalPicker();
    more = new MoreWindow(main);
    result = new ResultWindow(main);
    strokeViewer = speech::createStrokeViewer();
    lexicon = new LexiconWindow(main);
    main->setSecondaryWindows(more, lexicon);
    // Dialogs close on Esc by themselves; the other secondary windows are plain windows.
    for (QWidget *window : std::initializer_list<QWidget *>{speechPrompt, more, result, strokeViewer, lexicon}) {
        if (window && !qobject_cast<QDialog *>(window)) {
            auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, window, &QWidget::close);
            escape->setObjectName(QStringLiteral("escapeCloses"));
        }
    }
}

Windows::~Windows()
{
    // Secondary windows first: they may refer to the main window's datasets.
    delete lexicon;
    delete strokeViewer;
    delete result;
    delete more;
    delete radicalPicker;
    delete speechPrompt;
    delete splash;
    delete main;
}

} // namespace mc::app
