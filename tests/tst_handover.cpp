// The command line and the hand-over of a second start to the running copy.
#include "app/handover.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUuid>

using namespace mc::app;

class TestHandover : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("character") << QStringList{QStringLiteral("水")} << "水";
        QTest::newRow("pinyin with blank") << QStringList{QStringLiteral("zhong guo")} << "zhong guo";
        QTest::newRow("several words") << QStringList{QStringLiteral("ice"), QStringLiteral("cream")} << "ice cream";
        QTest::newRow("after --") << QStringList{QStringLiteral("--"), QStringLiteral("-x")} << "-x";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        QCOMPARE(parseCommandLine(QStringList{QStringLiteral("mingchuan")} + arguments).text, text);
    }

    // clang-format off
    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("shows");
        // In Chinese throughout: the program's own lines and Qt's.
        QTest::newRow("help") << "--help" << QStringList{QStringLiteral("[文字]"), QStringLiteral("快速查询"), QStringLiteral("显示"), QStringLiteral("用法")};
        QTest::newRow("version") << "--version" << QStringList{QStringLiteral("mingchuan 1.")};
    }
    // clang-format on

    void helpAndVersion()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, shows);
        QProcess program;
        program.start(QStringLiteral(MC_PROGRAM), {option});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        for (const QString &text : shows)
            QVERIFY2(out.contains(text), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("Displays")), qPrintable(out));
    }

    void nobodyRunning() { QVERIFY(!handToRunning(uniqueName(), QStringLiteral("水"), 500)); }

    // Texts that come while the running copy is still starting wait for it.
    void runningCopyTakesTexts()
    {
        const QString name = uniqueName();
        InstanceServer server(name);
        QVERIFY(server.isListening());
        QStringList sent{QStringLiteral("水"), QString(), QStringLiteral("zhong guo")};
        bool allTaken = true;
        QThread *second = QThread::create([&] {
            for (const QString &text : sent)
                allTaken = handToRunning(name, text) && allTaken;
        });
        second->start();
        while (!second->isFinished())
            QTest::qWait(20);
        delete second;
        QVERIFY(allTaken);
        QStringList received;
        server.setReceiver([&received](const QString &text) { received.append(text); });
        QCOMPARE(received, sent);
    }

    // A second start of the program itself hands its text over and ends at once, without
    // touching the stores (there are none where it runs).
    void secondStartExitsAfterHandingOver()
    {
        const QString name = uniqueName();
        InstanceServer server(name);
        QStringList received;
        server.setReceiver([&received](const QString &text) { received.append(text); });
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MINGCHUAN_INSTANCE"), name);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(MC_PROGRAM), {QStringLiteral("水")});
        QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 60000);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(received, QStringList{QStringLiteral("水")});
    }

private:
    static QString uniqueName()
    {
        return QStringLiteral("mc-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
};

QTEST_GUILESS_MAIN(TestHandover)
#include "tst_handover.moc"
