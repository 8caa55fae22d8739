// The floor of the start-up bench: a bare Qt window holding one web view with a short page.
// Nothing of the program is in it, so its start is what Qt and the web engine cost anyway.
#include <QApplication>
#include <QMainWindow>
#include <QWebEngineView>

#include <unistd.h>

int main(int argc, char **argv)
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QMainWindow window;
    auto *view = new QWebEngineView(&window);
    view->setHtml(QStringLiteral("<!DOCTYPE html><html><body><p>floor</p></body></html>"));
    window.setCentralWidget(view);
    window.setWindowTitle(QStringLiteral("startup floor"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
