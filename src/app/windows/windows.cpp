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
    splash = new SplashWindow;
}

void Windows::buildMain()
{
    main = new MainWindow;
    main->setSecondaryWindows([this] { return more(); }, [this] { return lexicon(); });
}

Windows::~Windows()
{
    // Secondary windows first: they may refer to the main window's datasets.
    delete m_lexicon;
    delete m_strokeViewer;
    delete m_result;
    delete m_more;
    delete m_radicalPicker;
    delete m_speechPrompt;
    delete splash;
    delete main;
}

void Windows::closesOnEscape(QWidget *window)
{
    // Dialogs close on Esc by themselves; the other secondary windows are plain windows.
    if (qobject_cast<QDialog *>(window))
        return;
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, window, &QWidget::close);
    escape->setObjectName(QStringLiteral("escapeCloses"));
}

speech::SpeechPrompt *Windows::speechPrompt()
{
    if (!m_speechPrompt) {
        m_speechPrompt = speech::createSpeechPrompt();
        closesOnEscape(m_speechPrompt);
    }
    return m_speechPrompt;
}

search::RadicalPicker *Windows::radicalPicker()
{
    if (!m_radicalPicker)
        m_radicalPicker = search::createRadicalPicker();
    return m_radicalPicker;
}

QWidget *Windows::more()
{
    if (!m_more) {
        m_more = new MoreWindow(main);
        closesOnEscape(m_more);
    }
    return m_more;
}

ResultWindow *Windows::result()
{
    if (!m_result) {
        m_result = new ResultWindow(main);
        closesOnEscape(m_result);
    }
    return m_result;
}

speech::StrokeViewer *Windows::strokeViewer()
{
    if (!m_strokeViewer) {
        m_strokeViewer = speech::createStrokeViewer();
        closesOnEscape(m_strokeViewer);
    }
    return m_strokeViewer;
}

QWidget *Windows::lexicon()
{
    if (!m_lexicon) {
        m_lexicon = new LexiconWindow(main);
        closesOnEscape(m_lexicon);
    }
    return m_lexicon;
}

QWidget *Windows::secondary(const QString &objectName)
{
    if (objectName == QLatin1String("TForm3"))
        return speechPrompt();
    if (objectName == QLatin1String("TForm4"))
        return radicalPicker();
    if (objectName == QLatin1String("TForm5"))
        return more();
    if (objectName == QLatin1String("TForm6"))
        return result();
    if (objectName == QLatin1String("TForm7"))
        return strokeViewer();
    if (objectName == QLatin1String("TForm9"))
        return lexicon();
    return nullptr;
}

bool Windows::isBuilt(const QString &objectName) const
{
    for (const QWidget *window :
         {static_cast<const QWidget *>(m_speechPrompt), static_cast<const QWidget *>(m_radicalPicker),
          static_cast<const QWidget *>(m_more), static_cast<const QWidget *>(m_result),
          static_cast<const QWidget *>(m_strokeViewer), static_cast<const QWidget *>(m_lexicon)}) {
        if (window && window->objectName() == objectName)
            return true;
    }
    return false;
}

} // namespace mc::app
