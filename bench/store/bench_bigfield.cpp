// Start-up with one field of megabytes: the main window opened on copies of the stores in data/
// whose first saying (a list column) or first idiom's explanation (a memo of the current row) has
// been made 10 MB long, beside the same start on unchanged copies in the same run (after a first
// start that pays for the web engine). Each figure is the start (splash, six stores, main window)
// and the first paint, then each section shown and painted once. Runs offscreen.
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/messages.h"
#include "platform/webprofile.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using namespace mc;

namespace {

// Keeps boxes from waiting for a click: a failed start is printed instead.
class PrintedMessages final : public Messages {
public:
    PrintedMessages() : m_previous(Messages::setCurrent(this)) {}
    ~PrintedMessages() override { Messages::setCurrent(m_previous); }
    void information(const QString &text) override { std::printf("  info: %s\n", qPrintable(text)); }
    void plain(const QString &text) override { std::printf("  box: %s\n", qPrintable(text)); }
    bool confirm(const QString &) override { return false; }
    void error(const QString &text) override { std::printf("  error: %s\n", qPrintable(text)); }
    void applicationError(const QString &text) override { std::printf("  start failed: %s\n", qPrintable(text)); }

private:
    Messages *m_previous;
};

bool lengthen(const QString &file, const char *sql, int megabytes)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    const QByteArray big = QString(megabytes * 1024 * 1024 / 3, u'长').toUtf8();
    const bool done = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_bind_text(statement, 1, big.constData(), int(big.size()), SQLITE_TRANSIENT) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return done;
}

void startOn(const char *what)
{
    QElapsedTimer clock;
    clock.start();
    app::Application application;
    if (!application.start())
        return;
    application.windows().main->grab();
    std::printf("%-34s start and first paint %6lld ms; sections:", what, clock.elapsed());
    for (const store::StoreInfo &info : store::stores()) {
        clock.restart();
        application.windows().main->sectionButton(info.id)->click();
        application.windows().main->grab();
        std::printf(" %lld", clock.elapsed());
    }
    std::printf(" ms\n");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    web::registerSchemes();
    QApplication app(argc, argv);
    const QDir stores(QStringLiteral("data"));
    if (!stores.exists(QStringLiteral("xhe.db"))) {
        std::printf("bench_bigfield: no stores in data/; build them first\n");
        return 0;
    }
    const PrintedMessages messages;
    struct Case {
        const char *what;
        const char *file;
        const char *sql;
    };
    const Case cases[] = {
        {"warm-up (web engine), unchanged", nullptr, nullptr},
        {"unchanged stores", nullptr, nullptr},
        {"10 MB saying (list column)", "xhe.db",
         "UPDATE mylib SET name = ?1 WHERE rowid = (SELECT min(rowid) FROM mylib)"},
        {"10 MB idiom explanation (memo)", "xhg.db",
         "UPDATE cy SET content = ?1 WHERE rowid = (SELECT min(rowid) FROM cy)"},
        {"unchanged stores again", nullptr, nullptr},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("data"));
        for (const QString &file : stores.entryList({QStringLiteral("xh*.db"), QStringLiteral("*.json")}, QDir::Files))
            QFile::copy(stores.filePath(file), dir.filePath(QStringLiteral("data/") + file));
        if (c.file && !lengthen(dir.filePath(QStringLiteral("data/")) + QLatin1String(c.file), c.sql, 10)) {
            std::printf("%s: could not lengthen the field\n", c.what);
            continue;
        }
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        startOn(c.what);
        QDir::setCurrent(previous);
    }
    return 0;
}
