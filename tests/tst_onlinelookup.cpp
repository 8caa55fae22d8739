#include "core/error.h"
#include "platform/textcodec.h"
#include "readers/onlinelookup.h"
#include "support/doubles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include <unistd.h>

using namespace mc;
using readers::OnlineLookup;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A lookup whose steps are recorded instead of asking, loading and showing.
struct FakeLookup {
    QString answer;
    QString page;
    bool fetchFails = false;
    QStringList calls;
    QString fetchedAddress;
    QString shownPath;

    OnlineLookup make(const QString &folder)
    {
        OnlineLookup::Steps steps;
        steps.ask = [this] {
            calls << QStringLiteral("ask");
            return answer;
        };
        steps.fetch = [this](const QString &address) {
            calls << QStringLiteral("fetch");
            fetchedAddress = address;
            if (fetchFails)
                throw Error(QStringLiteral("load failed"));
            return page;
        };
        steps.show = [this](const QString &path) {
            calls << QStringLiteral("show");
            shownPath = path;
        };
        return OnlineLookup(std::move(steps), folder, QStringLiteral("http://dict.test/s?wd="));
    }
};

} // namespace

class TestOnlineLookup final : public QObject {
    Q_OBJECT
private slots:
    void keywordEncoding_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("characters") << QStringLiteral("汉字") << QStringLiteral("%E6%B1%89%E5%AD%97");
        QTest::newRow("plus") << QStringLiteral("1+1") << QStringLiteral("1%2B1");
        QTest::newRow("space") << QStringLiteral("a b") << QStringLiteral("a+b");
        QTest::newRow("marks kept") << QStringLiteral("Az09!$'()*-.@_") << QStringLiteral("Az09!$'()*-.@_");
        QTest::newRow("marks encoded") << QStringLiteral("~#&=/%\"") << QStringLiteral("%7E%23%26%3D%2F%25%22");
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << QStringLiteral("%E3%80%80");
        QTest::newRow("outside the BMP") << QString::fromUcs4(U"\U00020000") << QStringLiteral("%F0%A0%80%80");
        QTest::newRow("control") << QStringLiteral("a\tb") << QStringLiteral("a%09b");
    }

    void keywordEncoding()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, encoded);
        QCOMPARE(readers::encodeKeyword(keyword), encoded);
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("spaces and controls") << QStringLiteral(" \t\r\n汉 字\x01 ") << QStringLiteral("汉 字");
        QTest::newRow("ideographic space stays")
            << QStringLiteral(" \u3000汉\u3000 ") << QStringLiteral("\u3000汉\u3000");
        QTest::newRow("spaces only") << QStringLiteral("    ") << QString();
        QTest::newRow("nothing") << QString() << QString();
    }

    void trimming()
    {
        QFETCH(QString, entered);
        QFETCH(QString, keyword);
        QCOMPARE(readers::trimKeyword(entered), keyword);
    }

    void cleaning_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("movie statements")
            << QStringLiteral("a FMP.cfg.movie = \"bddict/flash/fmp.swf?v=090105a\";FMP.load(); b")
            << QStringLiteral("a  b\r\n");
        QTest::newRow("names") << QStringLiteral("汉典 HttpCN 译典通 百度 Baidu 词典解释")
                               << QStringLiteral("青禾工作室 老青禾工作室 老青禾工作室   \r\n");
        QTest::newRow("images and links") << QStringLiteral("<img src=\"x.png\"><a href=\"/y\">y</a>")
                                          << QStringLiteral("<src=\"x.png\"><a \"/y\">y</a>\r\n");
        QTest::newRow("case counts") << QStringLiteral("<IMG src=x><A HREF=\"/y\">baidu BAIDU</A>")
                                     << QStringLiteral("<IMG src=x><A HREF=\"/y\">baidu BAIDU</A>\r\n");
        QTest::newRow("encoded name last")
            << QStringLiteral("%E6%B1%89%E5%85%B8 汉典") << QStringLiteral("汉汉汉典曲 青禾工作室\r\n");
        QTest::newRow("one pass each") << QStringLiteral("百百度度 BaiBaidudu") << QStringLiteral("百度 Baidu\r\n");
        QTest::newRow("line breaks") << QStringLiteral("a\nb\rc\r\n\r\nd")
                                     << QStringLiteral("a\r\nb\r\nc\r\n\r\nd\r\n");
        QTest::newRow("empty") << QString() << QString();
    }

    void cleaning()
    {
        QFETCH(QString, page);
        QFETCH(QString, cleaned);
        QCOMPARE(readers::cleanAnswerPage(page), cleaned);
    }

    void lookupWritesAndShowsThePage()
    {
        QTemporaryDir dir;
        RecordingMessages messages;
        FakeLookup fake;
        fake.answer = QStringLiteral("  汉字 ");
        fake.page = QStringLiteral("<head></head><body>汉字 百度<img src=a.png></body>");
        const OnlineLookup lookup = fake.make(dir.path());
        lookup.run();
        QCOMPARE(fake.calls, (QStringList{QStringLiteral("ask"), QStringLiteral("fetch"), QStringLiteral("show")}));
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.lastKind(), Messages::Kind::Plain);
        QCOMPARE(messages.lastText(), QStringLiteral("%E6%B1%89%E5%AD%97"));
        QCOMPARE(fake.fetchedAddress, QStringLiteral("http://dict.test/s?wd=%E6%B1%89%E5%AD%97&from=poem#detailmean"));
        QCOMPARE(fake.shownPath, dir.filePath(QStringLiteral("temp.html")));
        QCOMPARE(readFile(fake.shownPath),
                 textcodec::encode(QStringLiteral("<head></head><body>汉字 <src=a.png></body>\r\n")));

        // A second lookup overwrites the file; an empty answer page says the word is missing.
        fake.page.clear();
        lookup.run();
        QCOMPARE(readFile(fake.shownPath), textcodec::encode(QStringLiteral("该词条暂未收录！\r\n")));
    }

    void blankOrCancelledEntryDoesNothing()
    {
        QTemporaryDir dir;
        RecordingMessages messages;
        FakeLookup fake;
        fake.answer = QStringLiteral(" \t ");
        fake.make(dir.path()).run();
        QCOMPARE(fake.calls, QStringList{QStringLiteral("ask")});
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("temp.html"))));
    }

    void failuresGiveTheNetworkMessage_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("page not loaded") << QStringLiteral("fetch");
        QTest::newRow("file is a folder") << QStringLiteral("folder");
        QTest::newRow("read-only folder") << QStringLiteral("read-only");
        QTest::newRow("full disk") << QStringLiteral("full disk");
    }

    void failuresGiveTheNetworkMessage()
    {
        QFETCH(QString, failure);
        QTemporaryDir dir;
        FakeLookup fake;
        fake.answer = QStringLiteral("汉");
        fake.page = QStringLiteral("<body>汉</body>");
        fake.fetchFails = failure == QStringLiteral("fetch");
        if (failure == QStringLiteral("folder"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("temp.html")));
        if (failure == QStringLiteral("read-only")) {
            if (::geteuid() == 0)
                QSKIP("root writes into read-only folders");
            QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        // A full disk, played by a file size limit: the old page must survive whole.
        const QByteArray oldPage("<p>earlier answer</p>\r\n");
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (failure == QStringLiteral("full disk")) {
            QFile old(dir.filePath(QStringLiteral("temp.html")));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(oldPage);
            old.close();
            fake.page = QStringLiteral("<body>%1</body>").arg(QString(20000, u'汉'));
            rlimit small = saved;
            small.rlim_cur = 4096;
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        RecordingMessages messages;
        fake.make(dir.path()).run();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        if (failure == QStringLiteral("full disk")) {
            QFile old(dir.filePath(QStringLiteral("temp.html")));
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), oldPage);
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!fake.calls.contains(QStringLiteral("show")));
        QCOMPARE(messages.shown().size(), 2);
        QCOMPARE(messages.shown().at(0).text, QStringLiteral("%E6%B1%89"));
        QCOMPARE(messages.lastKind(), Messages::Kind::Plain);
        QCOMPARE(messages.lastText(), QStringLiteral("网络暂时出错，请稍后再试！"));
    }
};

QTEST_GUILESS_MAIN(TestOnlineLookup)
#include "tst_onlinelookup.moc"
