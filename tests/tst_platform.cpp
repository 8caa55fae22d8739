#include "platform/error.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;

class TestPlatform final : public QObject {
    Q_OBJECT
private slots:
    void byteLengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ascii") << QStringLiteral("abc") << 3;
        QTest::newRow("gbk") << QStringLiteral("汉字") << 4;
        QTest::newRow("ext-a four bytes") << QStringLiteral("㐀") << 4;
        QTest::newRow("ext-b four bytes") << QStringLiteral("𠀀") << 4;
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << 2;
    }
    void byteLengths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(textcodec::byteLength(text), bytes);
        QCOMPARE(textcodec::decode(textcodec::encode(text)), text);
    }

    void truncationNeverSplitsACharacter()
    {
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("a汉字"), 4), QStringLiteral("a汉"));
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("𠀀x"), 3), QString());
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("𠀀x"), 5), QStringLiteral("𠀀x"));
    }

    void writtenLinesAreGb18030WithCrLfAndNoBom()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.dat"));
        textcodec::writeLines(path, {QStringLiteral("汉"), QStringLiteral("b")});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xBA\xBA\r\nb\r\n"));
        QVERIFY_THROWS_EXCEPTION(Error, textcodec::writeLines(dir.filePath(QStringLiteral("no/such/dir/x")), {}));
    }

    void errorReportAddsFullStopUnlessPunctuated_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("找不到文件") << QStringLiteral("找不到文件.");
        QTest::newRow("full stop") << QStringLiteral("Done.") << QStringLiteral("Done.");
        QTest::newRow("chinese stop") << QStringLiteral("出错了。") << QStringLiteral("出错了。");
        QTest::newRow("exclamation") << QStringLiteral("网络暂时出错，请稍后再试！") << QStringLiteral("网络暂时出错，请稍后再试！");
    }
    void errorReportAddsFullStopUnlessPunctuated()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(errorReportText(text), shown);
    }

    void guardReportsWhatACommandThrows()
    {
        RecordingMessages messages;
        QVERIFY(guarded([] {}));
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!guarded([] { throw Error(QStringLiteral("坏了")); }));
        QVERIFY(!guarded([] { throw std::runtime_error("broken"); }));
        QCOMPARE(messages.shown().size(), 2);
        QCOMPARE(messages.shown().at(0).kind, Messages::Kind::Error);
        QCOMPARE(messages.shown().at(0).text, QStringLiteral("坏了."));
        QCOMPARE(messages.shown().at(1).text, QStringLiteral("broken."));
    }

    void recorderAnswersConfirmationsInOrder()
    {
        RecordingMessages messages;
        messages.answerNext(true);
        QVERIFY(Messages::current().confirm(QStringLiteral("a")));
        QVERIFY(!Messages::current().confirm(QStringLiteral("b"))); // unscripted answers are No
        QCOMPARE(messages.shown().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
