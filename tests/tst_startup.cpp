#include "app/application.h"
#include "app/gradientbar.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/windows.h"
#include "platform/error.h"
#include "platform/messages.h"
#include "store/dataset.h"
#include "store/stores.h"
#include "support/testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;

namespace {

struct DatasetSet {
    QList<std::shared_ptr<store::Dataset>> owned;
    app::DatasetMap map;
    DatasetSet()
    {
        for (const store::StoreInfo &info : store::stores()) {
            owned.append(std::make_shared<store::Dataset>(info.datasetName));
            map.insert(info.datasetName, owned.last().get());
        }
    }
};

} // namespace

class TestStartup final : public QObject {
    Q_OBJECT
private:
    QString m_previousDir;

    // A working directory holding the fixture stores, minus the ones named.
    std::unique_ptr<QTemporaryDir> workingDir(const QStringList &without = {})
    {
        auto dir = std::make_unique<QTemporaryDir>();
        test::copyFixtureStores(dir->path(), without);
        QDir::setCurrent(dir->path());
        return dir;
    }

private slots:
    void initTestCase() { m_previousDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_previousDir); }

    void opensStoresInOrderWithProgress()
    {
        auto dir = workingDir();
        DatasetSet set;
        QList<int> progress;
        QStringList openedInOrder;
        for (auto it = set.map.cbegin(); it != set.map.cend(); ++it) {
            connect(it.value(), &store::Dataset::reset, this, [&openedInOrder, name = it.key(), d = it.value()] {
                if (d->isOpen())
                    openedInOrder.append(name);
            });
        }
        app::openStores(set.map, [&](int value) { progress.append(value); });
        QCOMPARE(progress, (QList<int>{10, 30, 50, 70, 90, 100}));
        QCOMPARE(openedInOrder, (QStringList{QStringLiteral("ADOQuery5"), QStringLiteral("ADOQuery2"),
                                             QStringLiteral("ADOQuery3"), QStringLiteral("ADOQuery4"),
                                             QStringLiteral("ADOQuery7"), QStringLiteral("ADOQuery1")}));
        QCOMPARE(set.map.value(QStringLiteral("ADOQuery5"))->recordCount(), 42);
        QCOMPARE(set.map.value(QStringLiteral("ADOQuery5"))->queryText(),
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
            const QStringList order{QStringLiteral("TForm3"), QStringLiteral("TForm4"), QStringLiteral("TForm5"),
                                    QStringLiteral("TForm6"), QStringLiteral("TForm7"), QStringLiteral("TForm9")};
            const QList<QWidget *> secondary{w.speechPrompt, w.radicalPicker, w.more, w.result, w.strokeViewer, w.lexicon};
            for (int i = 0; i < order.size(); ++i) {
                QCOMPARE(secondary.at(i)->objectName(), order.at(i));
                QVERIFY(!secondary.at(i)->isVisible());
            }
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
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
