#include "core/error.h"
#include "mc/config.h"
#include "platform/htmlview.h"
#include "platform/offlineroutes.h"
#include "services/strokes.h"
#include "speech/strokeviewer.h"
#include "tst_speech_fixture.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QProgressBar>
#include <QSignalSpy>

using namespace mc;
using namespace Qt::StringLiterals;

namespace {

// Counts the mouse presses and releases that reach the object it watches.
class MouseCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
            ++count;
        return false;
    }
};

// The widget that receives the mouse over a web view's page.
QWidget *pageWidget(web::HtmlView *view)
{
    const QList<QWidget *> children = view->findChildren<QWidget *>();
    return children.isEmpty() ? view : children.constFirst();
}

// Pixels in the page's stroke colours: brown strokes, red radical strokes.
int strokePixels(const QPixmap &shot)
{
    const QImage image = shot.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 100 && c.green() < 90 && c.blue() < 40)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestStrokeViewer final : public QObject {
    Q_OBJECT
private slots:
    void address_data()
    {
        QTest::addColumn<QString>("character");
        QTest::newRow("common") << u"永"_s;
        QTest::newRow("outside the basic plane") << u"\U00020000"_s;
    }
    void address()
    {
        QFETCH(QString, character);
        const QString address = speech::strokeAddress(character);
        QCOMPARE(address, QStringLiteral(MC_STROKE_BASE) + u"/chinese/hzxx/"_s + character + u".swf"_s);
        QVERIFY(address.endsWith(character + u".swf"_s));
    }

    void progressStrip()
    {
        speech::StrokeViewer viewer;
        auto *strip = viewer.findChild<QProgressBar *>(u"GradProgress1"_s);
        QVERIFY(strip);
        QCOMPARE(viewer.progress(), 0);
        // A refused address leaves the viewer as it was.
        QVERIFY_THROWS_EXCEPTION(Error, viewer.open(QString(), nullptr));
        QVERIFY(!viewer.isVisible());
        for (int i = 0; i < 19; ++i)
            emit viewer.view()->progressChanged(i, 100);
        QCOMPARE(viewer.progress(), 95);
        emit viewer.view()->progressChanged(0, 0);
        QCOMPARE(viewer.progress(), 100);
        emit viewer.view()->progressChanged(0, 0);
        QCOMPARE(viewer.progress(), 100);
        viewer.open(u"about:blank"_s, nullptr);
        QCOMPARE(viewer.progress(), 0);
        emit viewer.view()->documentComplete(QUrl());
        QCOMPARE(viewer.progress(), 100);
        QVERIFY_THROWS_EXCEPTION(Error, viewer.open(QString(), nullptr));
        QCOMPARE(viewer.progress(), 100);
        // A failed load empties the strip, and what the view reports after it does not fill it.
        viewer.open(u"about:blank"_s, nullptr);
        emit viewer.view()->progressChanged(10, 100);
        emit viewer.view()->loadFailed(QUrl());
        QCOMPARE(viewer.progress(), 0);
        emit viewer.view()->progressChanged(100, 100);
        emit viewer.view()->documentComplete(QUrl());
        QCOMPARE(viewer.progress(), 0);
        viewer.open(u"about:blank"_s, nullptr);
        emit viewer.view()->progressChanged(10, 100);
        QCOMPARE(viewer.progress(), 5);
    }

    void failedLoadLeavesTheStripEmpty()
    {
        speech::StrokeViewer viewer;
        QSignalSpy failed(viewer.view(), &web::HtmlView::loadFailed);
        QSignalSpy progress(viewer.view(), &web::HtmlView::progressChanged);
        viewer.open(u"http://" MC_OFFLINE_HOST "/no/such/animation.swf"_s, nullptr);
        QVERIFY(failed.wait(20000));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(viewer.progress(), 0);
    }

    void rightClicksOnTheViewAreDropped()
    {
        speech::StrokeViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QMainWindow other;
        other.resize(200, 100);
        other.show();
        QWidget *page = pageWidget(viewer.view());
        MouseCounter onPage;
        MouseCounter onOther;
        page->installEventFilter(&onPage);
        other.installEventFilter(&onOther);

        QTest::mouseClick(page, Qt::RightButton);
        QCOMPARE(onPage.count, 0);
        QTest::mouseClick(viewer.view(), Qt::RightButton);
        QCOMPARE(onPage.count, 0);
        QTest::mouseClick(page, Qt::LeftButton);
        QCOMPARE(onPage.count, 2);
        QTest::mouseClick(&other, Qt::RightButton);
        QCOMPARE(onOther.count, 2);
    }

    void buttonFollowsTheCharacter()
    {
        test::RunningProgram program;
        QVERIFY(program.started());
        auto *button = program.find<QAbstractButton>(u"pdjbtn1"_s);
        QVERIFY(button);
        const QList<QPair<QString, bool>> steps
            = {{u"一"_s, true}, {u"人"_s, false}, {u"口"_s, true}, {u"女"_s, false}, {u"永"_s, true}};
        for (const auto &[character, shown] : steps) {
            QVERIFY(program.select(u"ADOQuery2"_s, u"name"_s, character));
            QVERIFY2(button->isHidden() == !shown, qPrintable(character));
        }
        program.empty(u"ADOQuery2"_s, u"name"_s);
        QVERIFY(button->isHidden());
        button->click(); // still pressed while hidden: no marker, a message and nothing else
        QCOMPARE(program.messages.lastText(), u"该汉字无法查询笔顺"_s);
        QCOMPARE(program.messages.lastKind(), Messages::Kind::Plain);
        QVERIFY(!program.windows().isBuilt(u"TForm7"_s) || !program.windows().strokeViewer()->isVisible());
    }

    void offlinePageLoadsInTheViewer()
    {
        test::RunningProgram program;
        QVERIFY(program.started());
        QVERIFY(program.select(u"ADOQuery2"_s, u"name"_s, u"永"_s));
        program.find<QAbstractButton>(u"pdjbtn1"_s)->click();
        auto *viewer = qobject_cast<speech::StrokeViewer *>(program.windows().strokeViewer());
        QVERIFY(viewer && viewer->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(viewer->view()->hasDocument(), 20000);
        QCOMPARE(viewer->view()->title(), u"永 - 汉字笔顺"_s);
        QVERIFY2(viewer->view()->bodyText().contains(u"“永”字　共5画"_s), qPrintable(viewer->view()->bodyText()));
        QCOMPARE(viewer->progress(), 100);
        QVERIFY(program.messages.shown().isEmpty());
        // The strokes are drawn (in the stroke colours) inside the writing box.
        QTRY_VERIFY_WITH_TIMEOUT(strokePixels(viewer->grab(QRect(122, 34, 260, 260))) > 500, 20000);
    }

    void unknownCharacterPage()
    {
        QTemporaryDir dir;
        test::copyFixtureStores(dir.path());
        const offline::Route route = services::strokesRoute(dir.filePath(u"data"_s));
        const auto known = route(QUrl(speech::strokeAddress(u"永"_s)));
        QVERIFY(known && known->body.contains("HanziWriter") && known->body.contains("loopCharacterAnimation"));
        const auto unknown = route(QUrl(speech::strokeAddress(u"人"_s)));
        QVERIFY(unknown);
        QVERIFY(!unknown->body.contains("HanziWriter"));
        QVERIFY(QString::fromUtf8(unknown->body).contains(u"暂无“人”字的笔顺"_s));
        const auto escaped = route(QUrl(speech::strokeAddress(u"<b>"_s)));
        QVERIFY(escaped && !escaped->body.contains("<b>"));
    }

    // A pictophonetic character's meaning and sound strokes are coloured apart and named under
    // it; others, and parts that do not match the strokes, leave the page as it was.
    void meaningAndSoundStrokes()
    {
        QTemporaryDir dir;
        test::copyFixtureStores(dir.path());
        const offline::Route route = services::strokesRoute(dir.filePath(u"data"_s));
        const auto ma = route(QUrl(speech::strokeAddress(u"妈"_s)));
        QVERIFY(ma);
        const QString page = QString::fromUtf8(ma->body);
        QVERIFY2(page.contains(u"\"meaning\":[0,1,2]"_s) && page.contains(u"\"sound\":[3,4,5]"_s), qPrintable(page));
        QVERIFY(page.contains(u"形旁 女"_s) && page.contains(u"声旁 马"_s));
        const auto yong = route(QUrl(speech::strokeAddress(u"永"_s)));
        QVERIFY(yong && !yong->body.contains("\"sound\":") && !yong->body.contains("形旁"));

        learn::CharacterParts wrong;
        wrong.character = u"妈"_s;
        wrong.meaning = u"女"_s;
        wrong.sound = u"马"_s;
        wrong.roles = {learn::StrokeRole::Meaning, learn::StrokeRole::Sound}; // two of six strokes
        const QByteArray data = services::strokeData(dir.filePath(u"data/strokes.db"_s), u"妈"_s);
        const QByteArray mismatched = services::strokePage(u"妈"_s, data, wrong);
        QVERIFY(mismatched.contains("HanziWriter") && !mismatched.contains("\"meaning\":"));
    }
};

MC_PROGRAM_TEST_MAIN(TestStrokeViewer)

#include "tst_strokeviewer.moc"
