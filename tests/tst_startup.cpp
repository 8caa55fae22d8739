#include "app/application.h"
#include "app/startup.h"
#include "app/widgets/gradientbar.h"
#include "app/windows/mainwindow.h"
#include "app/windows/splashwindow.h"
#include "app/windows/windows.h"
#include "core/error.h"
#include "platform/htmlview.h"
#include "platform/messages.h"
#include "store/dataset.h"
#include "store/storefile.h"
#include "store/stores.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>
#include <unistd.h>

using namespace mc;

namespace {

struct DatasetSet {
    QList<std::shared_ptr<store::Dataset>> owned;
    app::DatasetMap map;
    DatasetSet()
    {
        for (const store::StoreInfo &info : store::stores()) {
            owned.append(std::make_shared<store::Dataset>(info.datasetName));
            map.insert(info.id, owned.last().get());
        }
    }
};

void execute(const QString &path, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    for (const QString &sql : statements) {
        char *error = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QByteArray text = error ? QByteArray(error) : QByteArray();
        sqlite3_free(error);
        QVERIFY2(rc == SQLITE_OK, text.constData());
    }
    sqlite3_close(db);
}

// Drops a column the way a damaged or hand-edited store lacks it: the table is written again
// without it, since SQLite will not drop an indexed or key column in place.
QStringList dropColumn(const QString &path, const QString &table, const QString &column)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?)", -1, &stmt, nullptr);
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    QStringList kept;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const QString col = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        if (col != column)
            kept.append(QStringLiteral("\"%1\"").arg(col));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return {QStringLiteral("CREATE TABLE rebuilt AS SELECT %1 FROM \"%2\"").arg(kept.join(u','), table),
            QStringLiteral("DROP TABLE \"%1\"").arg(table),
            QStringLiteral("ALTER TABLE rebuilt RENAME TO \"%1\"").arg(table)};
}

} // namespace

class TestStartup final : public QObject {
    Q_OBJECT
private:
    // A working directory holding the fixture stores, minus the ones named.
    static std::unique_ptr<test::WorkingFolder> workingDir(const QStringList &without = {})
    {
        return std::make_unique<test::WorkingFolder>(test::WorkingFolder::FixtureStores, without);
    }

private slots:

    void opensStoresInOrderWithProgress()
    {
        auto dir = workingDir();
        DatasetSet set;
        QList<int> progress;
        QStringList openedInOrder;
        for (auto it = set.map.cbegin(); it != set.map.cend(); ++it) {
            connect(it.value(), &store::Dataset::reset, this, [&openedInOrder, d = it.value()] {
                if (d->isOpen())
                    openedInOrder.append(d->objectName());
            });
        }
        app::openStores(set.map, [&](int value) { progress.append(value); });
        QCOMPARE(progress, (QList<int>{10, 30, 50, 70, 90, 100}));
        QCOMPARE(openedInOrder,
                 (QStringList{QStringLiteral("ADOQuery5"), QStringLiteral("ADOQuery2"), QStringLiteral("ADOQuery3"),
                              QStringLiteral("ADOQuery4"), QStringLiteral("ADOQuery7"), QStringLiteral("ADOQuery1")}));
        QCOMPARE(set.map.value(store::StoreId::Words)->recordCount(), 42);
        QCOMPARE(set.map.value(store::StoreId::Words)->queryText(),
                 QStringLiteral("select * from dict where ID>362993 and ID<363036"));
        for (store::Dataset *d : std::as_const(set.map)) {
            QVERIFY(d->recordCount() > 0);
            QCOMPARE(d->currentRow(), 0);
        }
    }

    void missingIdiomStoreStopsAtNinety()
    {
        auto dir = workingDir({QStringLiteral("xhg.db")});
        DatasetSet set;
        QList<int> progress;
        try {
            app::openStores(set.map, [&](int value) { progress.append(value); });
            QFAIL("start-up went on without the idiom store");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(QStringLiteral("data/xhg.db")), qPrintable(e.text()));
        }
        QCOMPARE(progress.last(), 90);
    }

    // Each way a store can be broken stops start-up at that store with a message naming it.
    void brokenStoreStopsStartUp_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("argument");  // the table or column concerned
        QTest::addColumn<QStringList>("named"); // what the message must name besides the file
        QTest::addColumn<int>("progress");      // the bar when the report shows; 0 for none

        auto row = [](const char *name, const char *file, const char *damage, const QString &argument,
                      const QStringList &named, int progress) {
            QTest::newRow(name) << QString::fromLatin1(file) << QString::fromLatin1(damage) << argument << named
                                << progress;
        };
        row("missing", "xhg.db", "missing", {}, {QStringLiteral("找不到")}, 90);
        row("empty", "xhd.db", "empty", {}, {QStringLiteral("空的")}, 30);
        row("truncated", "xhk.db", "truncated", {}, {QStringLiteral("不完整")}, 70);
        row("random bytes", "xhe.db", "random", {}, {QStringLiteral("不是有效的数据库文件")}, 50);
        row("table dropped", "xhb.db", "drop table", QStringLiteral("hz"), {QStringLiteral("hz")}, 10);
        // Double quotes around a missing name used to make it a string: a blank list, or every row.
        row("list column dropped", "xhb.db", "drop column", QStringLiteral("hz.name"),
            {QStringLiteral("hz"), QStringLiteral("name")}, 10);
        row("word identifier dropped", "xhi.db", "drop column", QStringLiteral("dict.ID"),
            {QStringLiteral("dict"), QStringLiteral("ID")}, 0);
        row("searched column dropped", "xhg.db", "drop column", QStringLiteral("cy.samples"),
            {QStringLiteral("cy"), QStringLiteral("samples")}, 90);
        row("shown column dropped", "xhk.db", "drop column", QStringLiteral(u"英语单词.解释"),
            {QStringLiteral(u"英语单词"), QStringLiteral(u"解释")}, 70);
        row("unreadable", "xhd.db", "unreadable", {}, {QStringLiteral("权限")}, 30);
        row("folder in its place", "xhe.db", "folder", {}, {QStringLiteral("文件夹")}, 50);
        row("locked by another copy", "xhi.db", "locked", {}, {QStringLiteral("另一个程序")}, 0);
        row("damaged under a journal left beside it", "xhe.db", "noise and journal", {},
            {QStringLiteral("没有完成"), QStringLiteral("xhe.db-journal")}, 50);
    }
    void brokenStoreStopsStartUp()
    {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(QString, argument);
        QFETCH(QStringList, named);
        QFETCH(int, progress);

        auto dir = workingDir();
        const QString path = QStringLiteral("data/") + file;
        std::unique_ptr<store::StoreFile> otherCopy;
        QFile store(path);
        if (damage == QLatin1String("missing")) {
            QVERIFY(store.remove());
        } else if (damage == QLatin1String("empty")) {
            QVERIFY(store.resize(0));
        } else if (damage == QLatin1String("truncated")) {
            QVERIFY(store.resize(store.size() / 2));
        } else if (damage == QLatin1String("random")) {
            QByteArray bytes(int(store.size()), Qt::Uninitialized);
            QRandomGenerator random(16);
            for (char &b : bytes)
                b = char(random.bounded(256));
            QVERIFY(store.open(QIODevice::WriteOnly));
            store.write(bytes);
            store.close();
        } else if (damage == QLatin1String("drop table")) {
            execute(path, {QStringLiteral("DROP TABLE \"%1\"").arg(argument)});
        } else if (damage == QLatin1String("drop column")) {
            execute(path, dropColumn(path, argument.section(u'.', 0, 0), argument.section(u'.', 1)));
        } else if (damage == QLatin1String("unreadable")) {
            if (::geteuid() == 0)
                QSKIP("file permissions do not bind the superuser");
            QVERIFY(store.setPermissions({}));
        } else if (damage == QLatin1String("folder")) {
            QVERIFY(store.remove());
            QVERIFY(QDir().mkdir(path));
        } else if (damage == QLatin1String("locked")) {
            otherCopy = std::make_unique<store::StoreFile>(path, true);
        } else if (damage == QLatin1String("noise and journal")) {
            // The header stays whole; the pages after it do not.
            QVERIFY(store.open(QIODevice::ReadWrite));
            store.seek(100);
            store.write(QByteArray(int(store.size()) - 100, '\xa5'));
            store.close();
            QFile journal(path + QStringLiteral("-journal"));
            QVERIFY(journal.open(QIODevice::WriteOnly));
            journal.write(QByteArray(512, '\x5a'));
        }

        DatasetSet set;
        QList<int> progressSeen;
        QString text;
        try {
            app::openStores(set.map, [&](int value) { progressSeen.append(value); });
        } catch (const Error &e) {
            text = e.text();
        }
        QVERIFY2(text.contains(path), qPrintable(text));
        for (const QString &part : std::as_const(named))
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("。")), qPrintable(text)); // the report adds no "."
        QCOMPARE(progressSeen.isEmpty() ? 0 : progressSeen.last(), progress);
    }

    // A store another program left in log mode, or with its journal or log beside it, is read as
    // it stands: start-up goes on and nothing is written into the data folder.
    void storeLeftByAWriterIsReadAsItStands_data()
    {
        QTest::addColumn<QString>("left");
        QTest::newRow("log mode") << QStringLiteral("log mode");
        QTest::newRow("journal beside it") << QStringLiteral("-journal");
        QTest::newRow("log beside it") << QStringLiteral("-wal");
    }
    void storeLeftByAWriterIsReadAsItStands()
    {
        QFETCH(QString, left);
        auto dir = workingDir();
        const QString path = QStringLiteral("data/xhb.db");
        if (left == QStringLiteral("log mode")) {
            execute(path, {QStringLiteral("PRAGMA journal_mode=WAL")});
        } else {
            QFile log(path + left);
            QVERIFY(log.open(QIODevice::WriteOnly));
            log.write(QByteArray(512, '\x5a'));
        }
        const QStringList before = QDir(QStringLiteral("data")).entryList(QDir::Files | QDir::Hidden);
        DatasetSet set;
        try {
            app::openStores(set.map, {});
        } catch (const Error &e) {
            QFAIL(qPrintable(e.text()));
        }
        QVERIFY(set.map.value(store::StoreId::Characters)->recordCount() > 0);
        QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files | QDir::Hidden), before);
    }

    void secondRunningCopyFailsAtTheWordStore()
    {
        auto dir = workingDir();
        DatasetSet running;
        app::openStores(running.map, {});
        DatasetSet second;
        QList<int> progress;
        try {
            app::openStores(second.map, [&](int value) { progress.append(value); });
            QFAIL("a second copy opened the held stores");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(QStringLiteral("data/xhi.db")), qPrintable(e.text()));
        }
        QVERIFY(progress.isEmpty());
    }

    void applicationStartsOrReportsAndStops()
    {
        {
            auto dir = workingDir();
            RecordingMessages messages;
            app::Application application;
            QList<int> progress;
            application.setProgressObserver([&](int value) { progress.append(value); });
            QVERIFY(application.start());
            QCOMPARE(progress, (QList<int>{10, 30, 50, 70, 90, 100}));
            app::Windows &w = application.windows();
            QVERIFY(w.main->isVisible());
            QVERIFY(!w.splash->isVisible());
            QCOMPARE(w.splash->bar()->position(), 100);
            QCOMPARE(w.main->windowTitle(), QStringLiteral("明川字典词典 Z2020 build 01.01"));
            // Secondary windows and their web views are built when first asked for, once, hidden.
            for (const char *name : {"TForm3", "TForm4", "TForm5", "TForm6", "TForm7", "TForm9"}) {
                const QString objectName = QString::fromLatin1(name);
                QVERIFY2(!w.isBuilt(objectName), name);
                QWidget *window = w.secondary(objectName);
                QVERIFY2(window && w.isBuilt(objectName), name);
                QCOMPARE(window->objectName(), objectName);
                QVERIFY(!window->isVisible());
                QCOMPARE(w.secondary(objectName), window);
            }
            QVERIFY(!w.secondary(QStringLiteral("TForm1")));
            QVERIFY(messages.shown().isEmpty());
        }
        {
            auto dir = workingDir({QStringLiteral("xhg.db")});
            RecordingMessages messages;
            app::Application application;
            QVERIFY(!application.start());
            QCOMPARE(messages.shown().size(), 1);
            QCOMPARE(messages.lastKind(), Messages::Kind::ApplicationError);
            QVERIFY(messages.lastText().contains(QStringLiteral("data/xhg.db")));
            QVERIFY(!application.windows().main->isVisible());
            QVERIFY(application.windows().splash->isVisible());
            QCOMPARE(application.windows().splash->bar()->position(), 90);
            // Nothing loads behind the report, so nothing can write lsjt.dat or show a box.
            for (const char *view : {"WebBrowser1", "WebBrowser2"}) {
                auto *html = application.windows().main->findChild<web::HtmlView *>(QLatin1StringView(view));
                QVERIFY(html);
                QVERIFY2(html->url().isEmpty(), view);
            }
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
