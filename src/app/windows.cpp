#include "app/windows.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "search/feature.h"
#include "speech/feature.h"

namespace mc::app {
namespace {

QWidget *shell(const QString &name, const QString &caption)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(name);
    window->setWindowTitle(caption);
    return window;
}

} // namespace

Windows::Windows()
{
    main = new MainWindow;
    splash = new SplashWindow;
    speechPrompt = speech::createSpeechPrompt();
    radicalPicker = search::createRadicalPicker();
    more = shell(QStringLiteral("TForm5"), QStringLiteral("我们还有更精彩的......"));
    result = shell(QStringLiteral("TForm6"), QStringLiteral("在线字典词典"));
    strokeViewer = speech::createStrokeViewer();
    lexicon = shell(QStringLiteral("TForm9"), QStringLiteral("现代汉语 - 在线辞海"));
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
