// Takes one picture of each page of the main window and of the secondary windows, for people to
// look at. Run from a folder holding the stores in data/ (scripts/screenshots does this).
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/htmlview.h"
#include "platform/webprofile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

namespace {

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget *window, const QString &path)
{
    window->repaint();
    settle(300);
    const bool ok = window->grab().save(path);
    qInfo("%s %s", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    mc::web::registerSchemes();
    QApplication qapp(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    mc::app::Application application;
    if (!application.start())
        return 1;
    mc::app::Windows &windows = application.windows();
    QWidget *main = windows.main;
    main->move(0, 0);
    QCursor::setPos(main->mapToGlobal(QPoint(main->width() - 2, main->height() - 2)));
    settle(1500);

    struct Shot {
        const char *file;
        const char *button;
    };
    const Shot pages[]
        = {{"1-welcome", nullptr},   {"2-character", "fltbtn4"}, {"3-idiom", "fltbtn6"},    {"4-xiehouyu", "fltbtn7"},
           {"5-english", "fltbtn8"}, {"6-sayings", "fltbtn12"},  {"7-classics", "fltbtn9"}, {"8-word", "fltbtn5"}};
    bool ok = true;
    for (const Shot &shot : pages) {
        if (shot.button)
            main->findChild<QAbstractButton *>(QString::fromLatin1(shot.button))->click();
        settle(qstrcmp(shot.file, "7-classics") == 0 ? 4000 : 500);
        ok &= save(main, out + QLatin1Char('/') + QString::fromLatin1(shot.file) + QStringLiteral(".png"));
    }
    const QList<std::pair<QWidget *, const char *>> secondary
        = {{windows.more(), "9-more"}, {windows.lexicon(), "10-lexicon"}, {windows.result(), "11-result"}};
    for (const auto &[window, file] : secondary) {
        window->show();
        settle(2500);
        ok &= save(window, out + QLatin1Char('/') + QString::fromLatin1(file) + QStringLiteral(".png"));
        window->hide();
    }
    main->resize(1060, main->height());
    settle(500);
    ok &= save(main, out + QStringLiteral("/12-wide.png"));
    return ok ? 0 : 1;
}
