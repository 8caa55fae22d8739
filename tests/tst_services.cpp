#include "mc/config.h"
#include "platform/htmlview.h"
#include "platform/offlineroutes.h"
#include "platform/webprofile.h"
#include "readers/historypage.h"
#include "services/feature.h"
#include "services/history.h"
#include "services/lexicon.h"
#include "services/offlinelookup.h"
#include "services/strokes.h"
#include "store/storefile.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>

using namespace mc;
using web::HtmlView;

namespace {

using mc::test::evaluate;

constexpr int kLoadTimeout = 30000;

// Waits in a real event loop: polling with sleeps holds the browser's own tasks back.
bool load(HtmlView &view, const QString &address)
{
    QSignalSpy done(&view, &HtmlView::documentComplete);
    QEventLoop loop;
    QObject::connect(&view, &HtmlView::documentComplete, &loop, &QEventLoop::quit);
    QObject::connect(&view, &HtmlView::loadFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(kLoadTimeout, &loop, &QEventLoop::quit);
    view.navigate(address);
    loop.exec();
    return !done.isEmpty();
}

QString offlineAddress(const QString &pathAndQuery)
{
    return QStringLiteral("http://" MC_OFFLINE_HOST) + pathAndQuery;
}

} // namespace

class TestServices final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_data;
    std::unique_ptr<HtmlView> m_view; // one view for all: each new one starts a renderer

private slots:
    void initTestCase()
    {
        test::copyFixtureStores(m_dir.path());
        m_data = m_dir.filePath(QStringLiteral("data"));
        services::install(m_data);
        // Our own events, in place of the fixture's.
        QFile events(m_dir.filePath(QStringLiteral("history.json")));
        QVERIFY(events.open(QIODevice::WriteOnly));
        events.write(
            QStringLiteral("{\"12-08\": [{\"year\": \"前221\", \"text\": \"秦统一六国\"},"
                           " {\"year\": 1941, \"text\": \"太平洋战争爆发\"}],"
                           " \"01-01\": [{\"year\": \"1912\", \"text\": \"<b>中华民国</b> & 成立\\n临时政府\"}],"
                           " \"02-29\": [{\"year\": \"\", \"text\": \"闰日\"}]}")
                .toUtf8());
        events.close();
        offline::addRoute(QStringLiteral("/scripts/flex/TodayOnHistory/"), services::historyRoute(m_dir.path()));
        m_view = std::make_unique<HtmlView>();
    }

    // The page renders to text that the reader takes apart into exactly the day's events.
    void cleanupTestCase() { m_view.reset(); }

    void historyPageFitsTheReader_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("a day") << QStringLiteral(
            "?m=12&d=8") << QStringList{QStringLiteral("前221年 秦统一六国"), QStringLiteral("1941年 太平洋战争爆发")};
        QTest::newRow("markup stays text")
            << QStringLiteral("?m=1&d=1") << QStringList{QStringLiteral("1912年 <b>中华民国</b> & 成立 临时政府")};
        QTest::newRow("leap day, no year") << QStringLiteral("?m=2&d=29") << QStringList{QStringLiteral("闰日")};
        QTest::newRow("no events") << QStringLiteral("?m=6&d=1")
                                   << QStringList{QStringLiteral("这一天暂无收录的历史事件。")};
        QTest::newRow("keyword") << QStringLiteral("?kw=%E6%88%98%E4%BA%89")
                                 << QStringList{QStringLiteral("12月8日 1941年 太平洋战争爆发")};
    }

    void historyPageFitsTheReader()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, events);
        HtmlView &view = *m_view;
        QVERIFY(load(view, offlineAddress(QStringLiteral("/scripts/flex/TodayOnHistory/") + query)));
        QCOMPARE(view.title(), QStringLiteral("历史上的今天"));
        const QStringList page = readers::HistoryPage::pageLines(readers::HistoryPage::sourceLines(view.bodyText()));
        QStringList expected;
        for (const QString &event : std::as_const(events))
            expected << QStringLiteral("<p>") + event.toHtmlEscaped() + QStringLiteral("</p>");
        QCOMPARE(page.mid(5, page.size() - 6), expected);
    }

    // The stroke store keeps its paths compressed; whatever is damaged reads as no data.
    void strokeDataAsStored_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("json");
        const QByteArray json = R"({"strokes":["M 440 788 Q 497 731 Z"],"medians":[[[428,824],[503,781]]]})";
        const QByteArray packed = qCompress(json, 9);
        QByteArray longer = packed;
        longer[0] = char(0x7f); // claims two gigabytes
        QTest::newRow("compressed") << packed << json;
        QTest::newRow("plain JSON") << json << json;
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("cut short") << packed.left(packed.size() / 2) << QByteArray();
        QTest::newRow("length only") << packed.left(4) << QByteArray();
        QTest::newRow("damaged length") << longer << QByteArray();
        QTest::newRow("not zlib") << QByteArray("\0\0\0\x10garbage garbage!", 20) << QByteArray();
    }

    void strokeDataAsStored()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, json);
        QCOMPARE(services::unpackStrokeData(stored), json);
    }

    // What the store builder writes, the program reads.
    void strokeDataOfTheBuiltStore()
    {
        const QString file = QDir(m_data).filePath(QStringLiteral("strokes.db"));
        const QJsonObject yong = QJsonDocument::fromJson(services::strokeData(file, QStringLiteral("永"))).object();
        QCOMPARE(yong.value(QStringLiteral("strokes")).toArray().size(), 5);
        QCOMPARE(yong.value(QStringLiteral("medians")).toArray().size(), 5);
        QVERIFY(services::strokeData(file, QStringLiteral("人")).isEmpty());
    }

    void offlineLookupPageReadsStoresTheProgramHolds()
    {
        // The program holds its stores exclusively while it runs.
        store::StoreFile held(QDir(m_data).filePath(QStringLiteral("xhb.db")), true);
        store::StoreFile heldWords(QDir(m_data).filePath(QStringLiteral("xhi.db")), true);
        HtmlView &view = *m_view;
        QVERIFY(load(view, offlineAddress(QStringLiteral("/s?wd=%E4%B8%80&from=poem#detailmean"))));
        QCOMPARE(view.title(), QStringLiteral("一 - 在线字典"));
        const QString text = view.bodyText();
        QVERIFY2(text.contains(QStringLiteral("【基本解释】")), qPrintable(text)); // the character's entry
        QVERIFY(text.contains(QStringLiteral("一帆风顺")));                        // a word holding it
        QVERIFY(text.contains(QStringLiteral("yī fān fēng shùn")));
        // Nothing the reader's cleaning would have to strip.
        const QString html = view.rootHtml();
        QVERIFY(!html.contains(QStringLiteral("<script")));
        QVERIFY(!html.contains(QStringLiteral("img ")));
        QVERIFY(!html.contains(QStringLiteral("href=")));
    }

    void offlineLookupPageForUnknownAndOddKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unknown") << QStringLiteral("zzz") << QStringLiteral("没有找到与“zzz”有关的内容。");
        QTest::newRow("like marks") << QStringLiteral("%_") << QStringLiteral("没有找到与“%_”有关的内容。");
        QTest::newRow("markup") << QStringLiteral("<i>") << QStringLiteral("没有找到与“<i>”有关的内容。");
        QTest::newRow("empty") << QString() << QStringLiteral("没有找到与“”有关的内容。");
    }

    void offlineLookupPageForUnknownAndOddKeywords()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, shown);
        HtmlView &view = *m_view;
        QVERIFY(load(view,
                     offlineAddress(QStringLiteral("/s?wd=") + QString::fromLatin1(QUrl::toPercentEncoding(keyword))
                                    + QStringLiteral("&from=poem"))));
        QVERIFY2(view.bodyText().contains(shown), qPrintable(view.bodyText()));
    }

    void lexiconSearchBoxLiesInTheOpenBand()
    {
        HtmlView &view = *m_view;
        view.resize(517, 343);
        QVERIFY(load(view, QStringLiteral(MC_LEXICON_URL)));
        const QVariantList box
            = evaluate(
                  view,
                  QStringLiteral(
                      "(function(){var r=document.querySelector('input[name=q]').getBoundingClientRect();return [r.top,r.bottom];})()"))
                  .toList();
        QCOMPARE(box.size(), 2);
        // The window's overlays leave 80 to 215 pixels of the view open to the mouse.
        QVERIFY2(box.at(0).toDouble() >= 80 && box.at(1).toDouble() <= 215, qPrintable(box.at(0).toString()));

        // A search by the form: the space is sent as "+".
        evaluate(view, QStringLiteral("document.querySelector('input[name=q]').value='一 ';"));
        QEventLoop loop;
        connect(&view, &HtmlView::documentComplete, &loop, &QEventLoop::quit);
        QTimer::singleShot(kLoadTimeout, &loop, &QEventLoop::quit);
        QSignalSpy done(&view, &HtmlView::documentComplete);
        evaluate(view, QStringLiteral("document.querySelector('form').submit();"));
        if (done.isEmpty())
            loop.exec();
        QCOMPARE(done.size(), 1);
        QVERIFY(view.url().query().contains(QStringLiteral("c=2")));
        QVERIFY2(view.bodyText().contains(QStringLiteral("一帆风顺")), qPrintable(view.bodyText()));
    }
};

int main(int argc, char *argv[])
{
    web::registerSchemes();
    QApplication app(argc, argv);
    TestServices test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_services.moc"
