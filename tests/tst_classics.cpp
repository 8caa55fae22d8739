#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/htmlview.h"
#include "platform/textcodec.h"
#include "platform/webprofile.h"
#include "readers/classicsreader.h"
#include "services/history.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>

using namespace mc;
using web::HtmlView;

namespace {

constexpr int kTimeout = 30000;

// Runs the event loop until the condition holds (checked on a timer, never by sleeping, so the
// browser's own tasks keep moving) or the time is up.
bool waitUntil(const std::function<bool()> &condition)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(kTimeout, &loop, &QEventLoop::quit);
    check.start(20);
    if (!condition())
        loop.exec();
    return condition();
}

QString programFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

// Answers the lookup's input box with the text once it opens.
void answerPrompt(const QString &text)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, text] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QInputDialog *>(w);
            if (dialog && dialog->isVisible()) {
                dialog->setTextValue(text);
                dialog->accept();
                timer->deleteLater();
                return;
            }
        }
    });
    timer->start(20);
}

} // namespace

class TestClassics final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::WorkingFolder> m_folder;
    QDateTime m_started;
    std::unique_ptr<RecordingMessages> m_messages;
    std::unique_ptr<app::Application> m_app;
    HtmlView *m_reader = nullptr;

    QWidget *main() const { return m_app->windows().main; }

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<test::WorkingFolder>();
        QFile::remove(programFile(QStringLiteral("lsjt.dat")));
        m_started = QDateTime::currentDateTime().addSecs(-1);
        m_messages = std::make_unique<RecordingMessages>();
        m_app = std::make_unique<app::Application>();
        QVERIFY(m_app->start());
        m_reader = main()->findChild<HtmlView *>(QStringLiteral("WebBrowser2"));
        QVERIFY(m_reader);
        main()->findChild<QAbstractButton *>(QStringLiteral("fltbtn9"))->click();
        // The today-in-history page arrives once at start and replaces the opening page.
        const bool arrived = waitUntil([this] {
            return m_reader->url().path().endsWith(QStringLiteral("/lsjt.dat")) && m_reader->hasDocument()
                && m_reader->rootHtml().contains(QStringLiteral("#0000FF\">历史上的今天"));
        });
        auto *loader = main()->findChild<HtmlView *>(QStringLiteral("WebBrowser1"));
        QVERIFY2(arrived, qPrintable(QStringLiteral("reader at %1 (document: %2), loader at %3 (document: %4), lsjt.dat %5")
                                         .arg(m_reader->url().toString())
                                         .arg(m_reader->hasDocument())
                                         .arg(loader->url().toString())
                                         .arg(loader->hasDocument())
                                         .arg(QFile::exists(programFile(QStringLiteral("lsjt.dat"))))));
    }

    void cleanupTestCase()
    {
        m_app.reset();
        m_messages.reset();
        m_folder.reset();
    }

    void historyPageIsWrittenBesideTheProgram()
    {
        const QFileInfo file(programFile(QStringLiteral("lsjt.dat")));
        QVERIFY(file.lastModified() >= m_started);
        const QDate today = QDate::currentDate();
        QStringList events = services::HistoryEvents::fromFile(QStringLiteral("data/history.json"))
                                 .linesOn(today.month(), today.day());
        if (events.isEmpty())
            events << QStringLiteral("这一天暂无收录的历史事件。");
        QFile lsjt(file.filePath());
        QVERIFY(lsjt.open(QIODevice::ReadOnly));
        const QStringList lines = textcodec::decode(lsjt.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5 + events.size() + 2); // head, events, "</span>", after the last CR LF
        for (int i = 0; i < events.size(); ++i)
            QCOMPARE(lines.at(5 + i), QStringLiteral("<p>") + events.at(i).toHtmlEscaped() + QStringLiteral("</p>"));
        QCOMPARE(mc::test::evaluate(*m_reader, QStringLiteral("document.body.style.overflowX")).toString(),
                 QStringLiteral("hidden"));
    }

    // The focus entering a title list (Qt then makes its first row current) is not a pick: the
    // reader keeps the today-in-history page.
    void focusAloneShowsNoTitle_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("box");
        QTest::newRow("from the sayings' keyword box") << QStringLiteral("fltbtn12") << QStringLiteral("Edit8");
        QTest::newRow("from the character keyword box") << QStringLiteral("fltbtn4") << QStringLiteral("edit2");
        QTest::newRow("from the word keyword box") << QStringLiteral("fltbtn5") << QStringLiteral("Edit10");
    }

    void focusAloneShowsNoTitle()
    {
        QFETCH(QString, section);
        QFETCH(QString, box);
        // As at start: neither list has a current row yet.
        for (const char *name : {"FlatListBoxExt1", "DCOutBarVertListView7"})
            main()->findChild<QListWidget *>(QLatin1StringView(name))->reset();
        main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main()));
        const QUrl shown = m_reader->url();
        QSignalSpy started(m_reader, &HtmlView::loadStarted);
        auto button = [this](const QString &name) { return main()->findChild<QAbstractButton *>(name); };
        button(section)->click();
        QTest::mouseClick(main()->findChild<QWidget *>(box), Qt::LeftButton);
        button(QStringLiteral("fltbtn9"))->click();
        // Nor is the tab key passing through the lists.
        for (int i = 0; i < 3 && QApplication::focusWidget(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::qWait(200);
        QCOMPARE(started.size(), 0);
        QCOMPARE(m_reader->url(), shown);
    }

    void titlesShowTheirPages_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("first title") << QStringLiteral("FlatListBoxExt1") << 0 << 0 << QStringLiteral("国学经典名句一");
        QTest::newRow("last title") << QStringLiteral("FlatListBoxExt1") << 36 << 0 << QStringLiteral("万年历");
        QTest::newRow("button list") << QStringLiteral("DCOutBarVertListView7") << 8 << 0 << QStringLiteral("三字经");
        QTest::newRow("down key") << QStringLiteral("FlatListBoxExt1") << 6 << int(Qt::Key_Down)
                                  << QStringLiteral("千字文");
    }

    void titlesShowTheirPages()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(QString, title);
        auto *view = main()->findChild<QListWidget *>(list);
        QVERIFY(view);
        m_reader->setZoomFactor(2.0);
        QListWidgetItem *item = view->item(row);
        view->scrollToItem(item);
        if (key) {
            // From the row above, without showing that one first.
            QSignalSpy started(m_reader, &HtmlView::loadStarted);
            view->setCurrentRow(row - 1);
            QCOMPARE(started.size(), 0);
        }
        QSignalSpy done(m_reader, &HtmlView::documentComplete);
        if (key)
            QTest::keyClick(view, Qt::Key(key));
        else
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
        QVERIFY(waitUntil([&] { return !done.isEmpty(); }));
        QCOMPARE(done.first().at(0).toUrl(), QUrl(readers::pageAddress(row + 1)));
        QCOMPARE(m_reader->title(), title);
        QCOMPARE(mc::test::evaluate(*m_reader, QStringLiteral("document.body.style.overflowX")).toString(),
                 QStringLiteral("hidden"));
        QCOMPARE(m_reader->zoomFactor(), 1.0);
        QCOMPARE(view->currentRow(), row);
    }

    void calendarShowsLunarDates_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("new year 2024") << 2024 << 2 << 10
                                       << QStringList{QStringLiteral("甲辰"), QStringLiteral("正月初一"),
                                                      QStringLiteral("春节")};
        QTest::newRow("winter solstice 2026") << 2026 << 12 << 22 << QStringList{QStringLiteral("冬至")};
        QTest::newRow("new year 1900") << 1900 << 1 << 31
                                       << QStringList{QStringLiteral("庚子"), QStringLiteral("正月初一")};
    }

    void calendarShowsLunarDates()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QStringList, shown);
        if (m_reader->title() != QStringLiteral("万年历")) {
            QSignalSpy done(m_reader, &HtmlView::documentComplete);
            m_reader->navigate(readers::pageAddress(37));
            QVERIFY(waitUntil([&] { return !done.isEmpty(); }));
        }
        // Through the page's own year and month boxes, then a click on the day.
        const QString text
            = mc::test::evaluate(
                  *m_reader,
                  QStringLiteral("(function () {"
                                 "  var sy = document.getElementById('SY'), sm = document.getElementById('SM');"
                                 "  sy.value = '%1'; sy.dispatchEvent(new Event('change'));"
                                 "  sm.value = '%2'; sm.dispatchEvent(new Event('change'));"
                                 "  document.querySelector('td[data-day=\"%3\"]').click();"
                                 "  return document.getElementById('detail').innerText;"
                                 "})()")
                      .arg(year)
                      .arg(month)
                      .arg(day))
                  .toString();
        QVERIFY2(text.startsWith(QStringLiteral("%1年%2月%3日").arg(year).arg(month).arg(day)), qPrintable(text));
        for (const QString &part : std::as_const(shown))
            QVERIFY2(text.contains(part), qPrintable(text));
    }

    void lookupShowsTheCleanedAnswer()
    {
        auto *button = main()->findChild<QAbstractButton *>(QStringLiteral("fltbtn11"));
        QWidget *result = m_app->windows().result();
        auto *resultView = result->findChild<HtmlView *>(QStringLiteral("webbrowser1"));
        const QDateTime historyWritten = QFileInfo(programFile(QStringLiteral("lsjt.dat"))).lastModified();

        // Spaces only: nothing is shown.
        m_messages->clear();
        answerPrompt(QStringLiteral("   "));
        button->click();
        QVERIFY(m_messages->shown().isEmpty());
        QVERIFY(!result->isVisible());

        QSignalSpy shownPage(resultView, &HtmlView::documentComplete);
        answerPrompt(QStringLiteral(" 一 "));
        button->click();
        QCOMPARE(m_messages->shown().size(), 1);
        QCOMPARE(m_messages->lastText(), QStringLiteral("%E4%B8%80"));
        QVERIFY(result->isVisible());
        QVERIFY(waitUntil([&] { return !shownPage.isEmpty(); }));
        QCOMPARE(shownPage.first().at(0).toUrl().path(), programFile(QStringLiteral("temp.html")));
        QVERIFY2(resultView->bodyText().contains(QStringLiteral("一帆风顺")), qPrintable(resultView->bodyText()));
        // The same lookup again reuses the window and rewrites the file.
        QVERIFY(QFile::remove(programFile(QStringLiteral("temp.html"))));
        answerPrompt(QStringLiteral("一"));
        button->click();
        QCOMPARE(m_messages->shown().size(), 2);
        QVERIFY(QFile::exists(programFile(QStringLiteral("temp.html"))));
        QCOMPARE(QApplication::topLevelWidgets().count(result), 1);
        // The answer page in the loader view did not rebuild the history page.
        QCOMPARE(QFileInfo(programFile(QStringLiteral("lsjt.dat"))).lastModified(), historyWritten);
    }
};

int main(int argc, char *argv[])
{
    // What the views were told and what they saw, for a run that fails.
    QLoggingCategory::setFilterRules(QStringLiteral("mc.platform.view.debug=true"));
    web::registerSchemes();
    QApplication app(argc, argv);
    TestClassics test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_classics.moc"
