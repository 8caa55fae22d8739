#include "core/error.h"
#include "mc/config.h"
#include "platform/htmlview.h"
#include "platform/offlineroutes.h"
#include "platform/textcodec.h"
#include "platform/webprofile.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>

using namespace mc;
using mc::web::HtmlView;

namespace {

using mc::test::evaluate;

constexpr int kLoadTimeout = 30000;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QString resourceAddress(const QString &number)
{
    return QStringLiteral("res://") + web::resourceHost() + u'/' + number;
}

// Runs the event loop until the view completes or fails a document (or a generous timeout
// passes). A real event loop keeps the browser's tasks moving; polling slows every load down.
void waitForLoad(HtmlView &view)
{
    QEventLoop loop;
    QObject::connect(&view, &HtmlView::documentComplete, &loop, &QEventLoop::quit);
    QObject::connect(&view, &HtmlView::loadFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(kLoadTimeout, &loop, &QEventLoop::quit);
    loop.exec();
}

// Navigates and waits until the view has either completed a document or failed.
// Returns the number of documentComplete signals seen for this navigation (-1: neither came).
int load(HtmlView &view, const QString &address, QList<QUrl> *completed = nullptr)
{
    QSignalSpy done(&view, &HtmlView::documentComplete);
    QSignalSpy failed(&view, &HtmlView::loadFailed);
    view.navigate(address);
    waitForLoad(view);
    if (done.isEmpty() && failed.isEmpty())
        return -1;
    if (completed) {
        for (const QList<QVariant> &args : std::as_const(done))
            completed->append(args.at(0).toUrl());
    }
    return int(done.count());
}

} // namespace

class TestHtmlView final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    QUrl m_routeSaw;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QVERIFY(QDir().mkpath(QStringLiteral("data")));
        // GB18030 without a charset declaration, with a four-byte character.
        const QString page = QStringLiteral(
            "<html><head><title>起始页</title></head>\r\n<body><p>汉字</p>\r\n<p>𠀀</p>第一行<br>第二行</body></html>");
        writeFile(QStringLiteral("data/xhm.db"), textcodec::encode(page));
        writeFile(m_dir.filePath(QStringLiteral("lsjt.dat")), textcodec::encode(page));
        writeFile(QStringLiteral("secret.txt"), QByteArrayLiteral("secret"));
        writeFile(QStringLiteral("dialogs.html"),
                  QByteArrayLiteral("<html><head><title>before</title><script>"
                                    "alert('a'); confirm('b'); prompt('c', 'd'); document.title = 'after';"
                                    "</script></head><body>x</body></html>"));
        writeFile(QStringLiteral("reader.html"),
                  QByteArrayLiteral("<html><head><title>none</title><script>"
                                    "var r = new XMLHttpRequest();"
                                    "try { r.open('GET', 'secret.txt', false); r.send();"
                                    "  document.title = r.status == 200 ? r.responseText : 'blocked'; }"
                                    "catch (e) { document.title = 'blocked'; }"
                                    "</script></head><body>x</body></html>"));

        offline::addRoute(QStringLiteral("/probe/"), [this](const QUrl &url) -> std::optional<offline::Reply> {
            m_routeSaw = url;
            offline::Reply reply;
            reply.body = QStringLiteral("<html><head><title>离线</title></head><body>在线辞典</body></html>").toUtf8();
            return reply;
        });
        // A page from the network side that tries to read a local file.
        offline::addRoute(QStringLiteral("/reader/"), [this](const QUrl &) -> std::optional<offline::Reply> {
            offline::Reply reply;
            reply.body = QStringLiteral("<html><head><title>none</title><script>"
                                        "var r = new XMLHttpRequest();"
                                        "try { r.open('GET', '%1', false); r.send();"
                                        "  document.title = r.status == 200 ? r.responseText : 'blocked'; }"
                                        "catch (e) { document.title = 'blocked'; }"
                                        "</script></head><body>x</body></html>")
                             .arg(web::urlForAddress(m_dir.filePath(QStringLiteral("secret.txt"))).toString())
                             .toUtf8();
            return reply;
        });
    }
    void cleanupTestCase()
    {
        offline::clearRoutes();
        QDir::setCurrent(m_previousDir);
    }

    void addressesBecomeUrls_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        const QString cwd = QDir::currentPath();
        QTest::newRow("web") << QStringLiteral("http://example.org/a?b=1") << QStringLiteral("http")
                             << QStringLiteral("example.org") << QStringLiteral("/a");
        QTest::newRow("resource") << QStringLiteral("res://mingchuan/37") << QStringLiteral("res")
                                  << QStringLiteral("mingchuan") << QStringLiteral("/37");
        QTest::newRow("relative path") << QStringLiteral("data/xhm.db") << QStringLiteral("mc-file")
                                       << QStringLiteral("local") << cwd + QStringLiteral("/data/xhm.db");
        QTest::newRow("absolute path") << QStringLiteral("/opt/mc/lsjt.dat") << QStringLiteral("mc-file")
                                       << QStringLiteral("local") << QStringLiteral("/opt/mc/lsjt.dat");
        QTest::newRow("file url") << QStringLiteral("file:///opt/mc/temp.html") << QStringLiteral("mc-file")
                                  << QStringLiteral("local") << QStringLiteral("/opt/mc/temp.html");
        QTest::newRow("url characters in a path") << QStringLiteral("/opt/100% 汉#1?.html") << QStringLiteral("mc-file")
                                                  << QStringLiteral("local") << QStringLiteral("/opt/100% 汉#1?.html");
    }
    void addressesBecomeUrls()
    {
        QFETCH(QString, address);
        QFETCH(QString, scheme);
        QFETCH(QString, host);
        QFETCH(QString, path);
        const QUrl url = web::urlForAddress(address);
        QCOMPARE(url.scheme(), scheme);
        QCOMPARE(url.host(), host);
        QCOMPARE(url.path(), path);
        QVERIFY(!url.hasFragment());
        // What the view sends out must come back as the same file.
        QCOMPARE(QUrl(url.toString(QUrl::FullyEncoded)).path(), path);
    }

    void emptyAddressIsRefused()
    {
        HtmlView view;
        QVERIFY_THROWS_EXCEPTION(Error, view.navigate(QStringLiteral("  ")));
        QVERIFY_THROWS_EXCEPTION(Error, view.title());
        QVERIFY_THROWS_EXCEPTION(Error, view.setBodyOverflowHidden());
    }

    void resourcePagesCompleteOnceEach()
    {
        HtmlView view;
        QSignalSpy progress(&view, &HtmlView::progressChanged);
        QList<QUrl> completed;
        QCOMPARE(load(view, resourceAddress(QStringLiteral("1")), &completed), 1);
        QCOMPARE(view.title(), QStringLiteral("国学经典名句一"));
        QVERIFY2(view.bodyText().startsWith(QStringLiteral("学而时习之\r\n")), qPrintable(view.bodyText()));
        QVERIFY(view.bodyText().contains(QStringLiteral("不亦说乎")));
        QVERIFY(!view.bodyText().remove(QStringLiteral("\r\n")).contains(u'\n'));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last(), (QList<QVariant>{100, 100}));

        // Page scripts run; a second document completes exactly once more.
        QCOMPARE(load(view, resourceAddress(QStringLiteral("2")), &completed), 1);
        QCOMPARE(view.title(), QStringLiteral("Second, scripted"));
        QCOMPARE(completed.size(), 2);
        QCOMPARE(completed.at(0).path(), QStringLiteral("/1"));
        QCOMPARE(completed.at(1).path(), QStringLiteral("/2"));
    }

    // Whatever the program file is called, the browser keeps the host of its pages' addresses.
    void resourceHostsSurviveTheBrowser_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("asItIs");
        QTest::newRow("plain") << QStringLiteral("mingchuan") << true;
        QTest::newRow("capitals and dots") << QStringLiteral("MingChuan.bin") << true;
        QTest::newRow("blank") << QStringLiteral("mingchuan copy") << false;
        QTest::newRow("chinese") << QStringLiteral("明川字典") << false;
        QTest::newRow("chinese and blank") << QStringLiteral("明川 字典 (2)") << false;
        QTest::newRow("digits only") << QStringLiteral("2020") << false;
        QTest::newRow("number after a dot") << QStringLiteral("mingchuan.1") << false;
        QTest::newRow("url characters") << QStringLiteral("a#b?c%41@d:e") << false;
        QTest::newRow("underscore") << QStringLiteral("ming_chuan") << false;
        QTest::newRow("our own prefix") << QStringLiteral("u-1") << false;
        QTest::newRow("longest file name") << QString(85, QChar(0x5B57)) << false;
    }
    void resourceHostsSurviveTheBrowser()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, asItIs);
        const QString host = web::resourceHost(fileName);
        QCOMPARE(host == fileName, asItIs);
        QVERIFY(!host.isEmpty());
        HtmlView view;
        QSignalSpy failed(&view, &HtmlView::loadFailed);
        QCOMPARE(load(view, QStringLiteral("res://%1/1").arg(host)), 0); // not this program's name
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.first().at(0).toUrl().host(), host.toLower());
        QCOMPARE(failed.first().at(0).toUrl().path(), QStringLiteral("/1"));
    }

    void localFilesShowAsHtml_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("relative .db") << QStringLiteral("data/xhm.db");
        QTest::newRow("absolute .dat") << m_dir.filePath(QStringLiteral("lsjt.dat"));
    }
    void localFilesShowAsHtml()
    {
        QFETCH(QString, address);
        HtmlView view;
        QList<QUrl> completed;
        QCOMPARE(load(view, address, &completed), 1);
        QCOMPARE(completed.value(0), QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath()));
        QVERIFY(view.hasDocument());
        QCOMPARE(view.title(), QStringLiteral("起始页"));
        QCOMPARE(view.bodyText(), QStringLiteral("汉字\r\n\r\n𠀀\r\n\r\n第一行\r\n第二行"));
        QVERIFY2(view.rootHtml().startsWith(QStringLiteral("<head><title>起始页</title></head>")),
                 qPrintable(view.rootHtml()));
        QVERIFY(view.rootHtml().contains(QStringLiteral("<p>𠀀</p>")));
    }

    // A page asked for while the one before is about to finish: Qt may then report the end of the
    // one before under its own address and nothing at all for the new one. The view completes the
    // page asked for, whole, every time.
    void pageAskedForWhileAnotherFinishes()
    {
        const QString next = m_dir.filePath(QStringLiteral("next.dat"));
        writeFile(next,
                  textcodec::encode(QStringLiteral("<html><head><title>历史上的今天</title></head>"
                                                   "<body><p>今天的事</p></body></html>")));
        for (int round = 0; round < 10; ++round) {
            HtmlView view;
            QList<QUrl> completed;
            QEventLoop loop;
            QTimer::singleShot(kLoadTimeout, &loop, &QEventLoop::quit);
            connect(&view, &HtmlView::documentComplete, &view, [&](const QUrl &url) {
                completed.append(url);
                if (url == QUrl::fromLocalFile(next))
                    loop.quit();
            });
            bool asked = false;
            connect(&view, &HtmlView::progressChanged, &view, [&](int progress) {
                if (!asked && progress >= 70) {
                    asked = true;
                    view.navigate(next);
                }
            });
            view.navigate(QStringLiteral("data/xhm.db"));
            loop.exec();
            QVERIFY2(completed.contains(QUrl::fromLocalFile(next)),
                     qPrintable(QStringLiteral("round %1: asked %2, completed %3")
                                    .arg(round)
                                    .arg(asked)
                                    .arg(QUrl::toStringList(completed).join(u' '))));
            QCOMPARE(view.title(), QStringLiteral("历史上的今天"));
            QVERIFY(view.rootHtml().contains(QStringLiteral("<p>今天的事</p>")));
        }
    }

    // A page asked for again at the same address (an answer page written anew) completes with
    // what the new load brought, never with the document it replaces; and the view can go while
    // it is still asking the page.
    void sameAddressAgainShowsTheNewDocument()
    {
        int served = 0;
        offline::addRoute(QStringLiteral("/again/"), [&served](const QUrl &) -> std::optional<offline::Reply> {
            offline::Reply reply;
            reply.body = QStringLiteral("<html><body><p>第%1次</p></body></html>").arg(++served).toUtf8();
            return reply;
        });
        const QString address = QStringLiteral("http://" MC_OFFLINE_HOST "/again/page");
        HtmlView view;
        for (int round = 1; round <= 10; ++round) {
            QCOMPARE(load(view, address), 1);
            QVERIFY2(view.rootHtml().contains(QStringLiteral("<p>第%1次</p>").arg(served)),
                     qPrintable(view.rootHtml()));
            QCOMPARE(served, round);
        }
        auto *going = new HtmlView;
        going->navigate(address);
        QTest::qWait(120);
        delete going;
    }

    void missingDocumentsFailWithoutText_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("missing resource") << resourceAddress(QStringLiteral("99"));
        QTest::newRow("leading zero") << resourceAddress(QStringLiteral("01"));
        QTest::newRow("other program") << QStringLiteral("res://other.exe/1");
        QTest::newRow("missing file") << QStringLiteral("data/none.db");
        QTest::newRow("no offline route") << QStringLiteral("http://" MC_OFFLINE_HOST "/nothing/here");
    }
    void missingDocumentsFailWithoutText()
    {
        QFETCH(QString, address);
        HtmlView view;
        QCOMPARE(load(view, resourceAddress(QStringLiteral("1"))), 1);
        QSignalSpy failed(&view, &HtmlView::loadFailed);
        QCOMPARE(load(view, address), 0);
        QCOMPARE(failed.size(), 1);
        QVERIFY(!view.hasDocument());
        QVERIFY_THROWS_EXCEPTION(Error, view.bodyText());
        QVERIFY_THROWS_EXCEPTION(Error, view.rootHtml());
    }

    void offlineHostIsAnsweredInProcess()
    {
        HtmlView view;
        const QString address
            = QStringLiteral("http://" MC_OFFLINE_HOST "/probe/永.swf?wd=%E6%B1%89&from=poem#detailmean");
        QList<QUrl> completed;
        QCOMPARE(load(view, address, &completed), 1);
        QCOMPARE(completed.value(0), QUrl(address));
        QCOMPARE(m_routeSaw.scheme(), QStringLiteral("http"));
        QCOMPARE(m_routeSaw.host(), QStringLiteral(MC_OFFLINE_HOST));
        QCOMPARE(m_routeSaw.path(), QStringLiteral("/probe/永.swf"));
        QCOMPARE(m_routeSaw.query(QUrl::FullyEncoded), QStringLiteral("wd=%E6%B1%89&from=poem"));
        QCOMPARE(view.title(), QStringLiteral("离线"));
        QCOMPARE(view.bodyText(), QStringLiteral("在线辞典"));
    }

    void silentViewSwallowsDialogs()
    {
        HtmlView view;
        view.setSilent(true);
        QCOMPARE(load(view, QStringLiteral("dialogs.html")), 1);
        QCOMPARE(view.title(), QStringLiteral("after"));
    }

    void scriptsCanBeSwitchedOff()
    {
        HtmlView view;
        view.setScriptsEnabled(false);
        QCOMPARE(load(view, resourceAddress(QStringLiteral("2"))), 1);
        QCOMPARE(view.title(), QStringLiteral("Second"));
        QCOMPARE(view.bodyText(), QStringLiteral("two"));
    }

    void isolatedPageCannotReadOtherFiles_data()
    {
        QTest::addColumn<bool>("isolated");
        QTest::addColumn<QString>("title");
        QTest::newRow("open") << false << QStringLiteral("secret");
        QTest::newRow("isolated") << true << QStringLiteral("blocked");
    }
    void isolatedPageCannotReadOtherFiles()
    {
        QFETCH(bool, isolated);
        QFETCH(QString, title);
        HtmlView view;
        view.setSilent(true);
        view.setLocalFilesIsolated(isolated);
        QCOMPARE(load(view, QStringLiteral("reader.html")), 1);
        QCOMPARE(view.title(), title);
    }

    void webPagesCannotReadLocalFiles()
    {
        HtmlView view;
        view.setSilent(true);
        QCOMPARE(load(view, QStringLiteral("http://" MC_OFFLINE_HOST "/reader/")), 1);
        QCOMPARE(view.title(), QStringLiteral("blocked"));
    }

    void bodyOverflowAndZoom()
    {
        HtmlView view;
        view.setZoomFactor(2.0);
        QCOMPARE(load(view, resourceAddress(QStringLiteral("2"))), 1);
        view.setBodyOverflowHidden();
        view.zoomMiddle();
        QCOMPARE(evaluate(view, QStringLiteral("document.body.style.overflowX")).toString(), QStringLiteral("hidden"));
        QCOMPARE(view.zoomFactor(), 1.0);
    }
};

int main(int argc, char *argv[])
{
    web::registerSchemes();
    QApplication app(argc, argv);
    TestHtmlView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_htmlview.moc"
