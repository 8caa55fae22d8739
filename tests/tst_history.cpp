#include "platform/textcodec.h"
#include "readers/historypage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using mc::readers::HistoryPage;

namespace {

const QString kDateLine
    = QStringLiteral("选择日期查询： 123456789101112月 12345678910111213141516171819202122232425262728293031日\u3000");
const QString kKeywordLine = QStringLiteral("输入关键字查询：");

// A remote text: some lines, the date line, eight lines, the events, four lines, the keyword line.
QStringList remoteLines(const QStringList &events, bool withDate = true, bool withKeyword = true)
{
    QStringList lines{QStringLiteral("历史上的今天"), QStringLiteral("12月8日")};
    if (withDate)
        lines << kDateLine;
    for (int i = 1; i <= 8; ++i)
        lines << QStringLiteral("filler %1").arg(i);
    lines << events;
    for (int i = 1; i <= 4; ++i)
        lines << QStringLiteral("after %1").arg(i);
    if (withKeyword)
        lines << kKeywordLine << QStringLiteral("查询");
    return lines;
}

QStringList eventParagraphs(const QStringList &page)
{
    // Five head lines, the events, the closing span.
    return page.mid(5, page.size() - 6);
}

} // namespace

class TestHistory final : public QObject {
    Q_OBJECT
private slots:
    void pageTakesTheLinesBetweenTheMarkers_data()
    {
        QTest::addColumn<QString>("bodyText");
        QTest::addColumn<QStringList>("expected");

        const QStringList events{QStringLiteral("前221年 秦统一六国"), QStringLiteral("1941年 太平洋战争爆发")};
        QTest::newRow("normal") << remoteLines(events).join(QStringLiteral("\r\n"))
                                << QStringList{QStringLiteral("<p>前221年 秦统一六国</p>"),
                                               QStringLiteral("<p>1941年 太平洋战争爆发</p>")};
        QTest::newRow("no events") << remoteLines({}).join(QStringLiteral("\r\n")) << QStringList();
        QTest::newRow("no keyword line") << remoteLines(events, true, false).join(QStringLiteral("\r\n"))
                                         << QStringList();
        // Without the date line the events are taken from line 8 on: here the last filler line.
        QTest::newRow("no date line") << remoteLines(events, false).join(QStringLiteral("\r\n"))
                                      << QStringList{QStringLiteral("<p>filler 7</p>"),
                                                     QStringLiteral("<p>filler 8</p>"),
                                                     QStringLiteral("<p>前221年 秦统一六国</p>"),
                                                     QStringLiteral("<p>1941年 太平洋战争爆发</p>")};
        QTest::newRow("markup is escaped")
            << remoteLines({QStringLiteral("<script>alert(1)</script> & \"x\"")}).join(QStringLiteral("\r\n"))
            << QStringList{QStringLiteral("<p>&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;</p>")};
        QTest::newRow("bare LF line breaks")
            << remoteLines({QStringLiteral("Event")}).join(u'\n') << QStringList{QStringLiteral("<p>Event</p>")};
        QTest::newRow("marker with a trailing space is not the marker")
            << remoteLines({QStringLiteral("Event")})
                   .join(QStringLiteral("\r\n"))
                   .replace(kKeywordLine, kKeywordLine + u' ')
            << QStringList();
    }

    void pageTakesTheLinesBetweenTheMarkers()
    {
        QFETCH(QString, bodyText);
        QFETCH(QStringList, expected);
        const QStringList page = HistoryPage::pageLines(HistoryPage::sourceLines(bodyText));
        QCOMPARE(page.first(), QStringLiteral("<html> "));
        QCOMPARE(page.at(4), QString());
        QCOMPARE(page.last(), QStringLiteral("</span>"));
        QCOMPARE(eventParagraphs(page), expected);
    }

    void longLinesAreCutAtTheByteLimit_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("keptCharacters");
        QTest::newRow("two-byte characters") << QString(3000, QChar(0x6C49)) << 2048;
        QTest::newRow("four-byte characters") << QString::fromUcs4(U"\U00020000").repeated(1500) << 2048;
        QTest::newRow("odd byte left over") << (u'a' + QString(3000, QChar(0x6C49))) << 2048;
        QTest::newRow("exactly the limit") << QString(4096, u'a') << 4096;
    }

    void longLinesAreCutAtTheByteLimit()
    {
        QFETCH(QString, line);
        QFETCH(int, keptCharacters);
        const QStringList page
            = HistoryPage::pageLines(HistoryPage::sourceLines(remoteLines({line}).join(QStringLiteral("\r\n"))));
        const QString kept = eventParagraphs(page).value(0).mid(3).chopped(4);
        QCOMPARE(kept.size(), keptCharacters);
        QVERIFY(mc::textcodec::byteLength(kept) <= HistoryPage::kLineLimit);
        QVERIFY(line.startsWith(kept));
    }

    void writesTheFileOnlyForTheHistoryTitle()
    {
        QTemporaryDir dir;
        const HistoryPage history(dir.path());
        const QString body = remoteLines({QStringLiteral("1941年 太平洋战争爆发")}).join(QStringLiteral("\r\n"));
        QVERIFY(history.handle(QStringLiteral("汉字_百度汉语"), body).isEmpty());
        QVERIFY(history.handle(QStringLiteral("历史上的今天 "), body).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("lsjt.dat"))));

        QFile old(dir.filePath(QStringLiteral("lsjt.dat")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
        old.close();
        const QString path = history.handle(QStringLiteral("历史上的今天"), body);
        QCOMPARE(path, dir.filePath(QStringLiteral("lsjt.dat")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = QByteArrayLiteral("<html> \r\n<Body bgcolor=\"white\">\r\n")
            + QStringLiteral(
                  "<p align=\"center\" style=\"margin-top: 0; margin-bottom: 0\"><b><font size=\"5\" "
                  "color=\"#0000FF\">历史上的今天</font></b></p><hr size=\"1\" align=\"left\"  color=\"#FF0000\">\r\n"
                  "<p style=\"margin-bottom: 0\" align=\"center\"><span style=\"font-size:12pt\">\r\n\r\n"
                  "<p>1941年 太平洋战争爆发</p>\r\n</span>\r\n")
                  .toUtf8();
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains(QByteArrayLiteral("<p>1941\xC4\xEA \xCC\xAB"))); // 年 太 in GB18030
        QCOMPARE(mc::textcodec::decode(bytes).toUtf8(), expected);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
