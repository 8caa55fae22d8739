#include "app/widgets/handwritingpad.h"
#include "app/windows/quicklookupwindow.h"
#include "lookup/handwriting.h"
#include "support/testsupport.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QRandomGenerator>
#include <QScreen>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using namespace mc;

namespace {

constexpr int kAnswerWait = 30000;

// Stroke medians of the stroke-order data: a 1024 box with y pointing up and the top at 900.
QList<QList<QPointF>> mediansOf(const QString &character)
{
    QFile file(QStringLiteral(MC_SOURCE_DIR "/tests/fixtures/handwriting/medians.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        if (line.value(QStringLiteral("char")).toString() != character)
            continue;
        QList<QList<QPointF>> strokes;
        for (const QJsonValue &median : line.value(QStringLiteral("medians")).toArray()) {
            QList<QPointF> stroke;
            for (const QJsonValue &point : median.toArray())
                stroke.append(QPointF(point[0].toDouble(), point[1].toDouble()));
            strokes.append(stroke);
        }
        return strokes;
    }
    return {};
}

// The median drawn by a hand with the mouse into box on the canvas (screen pixels, y down): slow
// at both ends of the stroke and fast in between, so the points crowd at the ends and spread out
// in the middle, each up to half a pixel off the line.
lookup::Stroke handDrawn(const QList<QPointF> &median, const QRectF &box, QRandomGenerator &hand)
{
    QList<QPointF> path;
    for (const QPointF &p : median)
        path.append({box.left() + p.x() / 1024 * box.width(), box.top() + (900 - p.y()) / 1024 * box.height()});
    QList<double> along{0};
    for (qsizetype i = 1; i < path.size(); ++i)
        along.append(along.constLast() + QLineF(path[i - 1], path[i]).length());
    const double length = along.constLast();
    const int events = qMax(2, int(length / 5));
    lookup::Stroke points;
    qsizetype segment = qMin<qsizetype>(1, path.size() - 1);
    for (int i = 0; i <= events; ++i) {
        const double t = double(i) / events;
        const double distance = length * t * t * t * (10 - 15 * t + 6 * t * t);
        while (segment < path.size() - 1 && along[segment] < distance)
            ++segment;
        const double part = along[segment] - along[segment - 1];
        const QPointF on = part > 0
            ? path[segment - 1] + (path[segment] - path[segment - 1]) * ((distance - along[segment - 1]) / part)
            : path[segment];
        const QPoint p = (on + QPointF(hand.generateDouble() - 0.5, hand.generateDouble() - 0.5)).toPoint();
        if (points.isEmpty() || points.constLast() != p)
            points.append(p);
    }
    return points;
}

void drag(QWidget *canvas, const lookup::Stroke &points)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, points.constFirst());
    for (qsizetype i = 1; i < points.size(); ++i)
        QTest::mouseMove(canvas, points.at(i));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, points.constLast());
}

QWidget *canvasOf(app::HandwritingPad &pad)
{
    return pad.findChild<QWidget *>(QStringLiteral("handwritingCanvas"));
}

} // namespace

class TestHandwriting : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_settings;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

    // Characters drawn on the pad with the mouse, at different places and sizes in it, as a
    // user's hand makes the strokes, come first among the candidates (了 second to fourth,
    // depending on where it is drawn); drawn in dead straight lines from each stroke's start to
    // its end, as a mouse may draw them, among the ten.
    // clang-format off
    void drawnCharacterIsRecognised_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QRectF>("where"); // the character's box, in parts of the canvas
        QTest::addColumn<bool>("first");   // or only among the ten
        QTest::addColumn<bool>("straight");
        const QRectF large(0.05, 0.05, 0.9, 0.9), middle(0.15, 0.15, 0.7, 0.7);
        const QRectF topLeft(0.05, 0.05, 0.5, 0.5), lowRight(0.35, 0.3, 0.6, 0.6);
        QTest::newRow("人") << "人" << large << true << false;
        QTest::newRow("大") << "大" << middle << true << false;
        QTest::newRow("十") << "十" << topLeft << true << false;
        QTest::newRow("口") << "口" << lowRight << true << false;
        QTest::newRow("的") << "的" << large << true << false;
        QTest::newRow("是") << "是" << middle << true << false;
        QTest::newRow("我") << "我" << topLeft << true << false;
        QTest::newRow("中") << "中" << lowRight << true << false;
        QTest::newRow("国") << "国" << large << true << false;
        QTest::newRow("学") << "学" << middle << true << false;
        QTest::newRow("你") << "你" << topLeft << true << false;
        QTest::newRow("们") << "们" << lowRight << true << false;
        QTest::newRow("家") << "家" << large << true << false;
        QTest::newRow("了") << "了" << middle << false << false;
        QTest::newRow("在") << "在" << topLeft << true << false;
        QTest::newRow("和") << "和" << lowRight << true << false;
        QTest::newRow("有") << "有" << large << true << false;
        QTest::newRow("他") << "他" << middle << true << false;
        QTest::newRow("不") << "不" << topLeft << true << false;
        QTest::newRow("也") << "也" << lowRight << true << false;
        QTest::newRow("人 in straight lines") << "人" << middle << false << true;
        QTest::newRow("大 in straight lines") << "大" << large << false << true;
    }
    // clang-format on

    void drawnCharacterIsRecognised()
    {
        QFETCH(QString, character);
        QFETCH(QRectF, where);
        QFETCH(bool, first);
        QFETCH(bool, straight);
        const QList<QList<QPointF>> medians = mediansOf(character);
        QVERIFY(!medians.isEmpty());
        app::HandwritingPad pad;
        QVERIFY2(pad.engine().isReady(), qPrintable(pad.engine().errorText()));
        pad.show();
        QWidget *canvas = canvasOf(pad);
        const QRectF box(where.x() * canvas->width(), where.y() * canvas->height(), where.width() * canvas->width(),
                         where.height() * canvas->height());
        QRandomGenerator hand(7);
        for (const QList<QPointF> &median : medians)
            drag(canvas, handDrawn(straight ? QList{median.constFirst(), median.constLast()} : median, box, hand));
        QCOMPARE(pad.engine().strokes().size(), medians.size());
        QTRY_VERIFY_WITH_TIMEOUT(!pad.isRecognising(), kAnswerWait);
        const QStringList candidates = pad.candidates();
        QVERIFY(candidates.size() <= 10);
        QVERIFY2(first ? candidates.value(0) == character : candidates.contains(character),
                 qPrintable(candidates.join(u' ')));
    }

    // However long a stroke and however many of them, the engine is given a bounded character and
    // answers; a stroke beyond the most the pad takes is refused, and the pad says so.
    void engineInputIsBounded_data()
    {
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("points");
        QTest::newRow("one stroke of 10,000 points") << 1 << 10000;
        QTest::newRow("100 strokes") << 100 << 30;
    }

    void engineInputIsBounded()
    {
        QFETCH(int, strokes);
        QFETCH(int, points);
        app::HandwritingPad pad;
        pad.show();
        QWidget *canvas = canvasOf(pad);
        QRandomGenerator hand(11);
        const auto scribble = [&] {
            lookup::Stroke stroke;
            for (int i = 0; i < points; ++i)
                stroke.append(QPoint(hand.bounded(canvas->width()), hand.bounded(canvas->height())));
            drag(canvas, stroke);
        };
        for (int i = 0; i < strokes; ++i)
            scribble();
        const int kept = qMin(strokes, lookup::Handwriting::kMaxStrokes);
        QCOMPARE(pad.engine().strokes().size(), kept);
        for (const lookup::Stroke &stroke : pad.engine().strokes())
            QVERIFY(stroke.size() <= lookup::Handwriting::kMaxKeptPoints);
        const QList<lookup::Stroke> input = pad.engine().engineInput();
        QCOMPARE(input.size(), kept);
        for (const lookup::Stroke &stroke : input)
            QVERIFY(stroke.size() <= lookup::Handwriting::kMaxEnginePoints);
        QTRY_VERIFY_WITH_TIMEOUT(!pad.isRecognising(), kAnswerWait);
        QCOMPARE(pad.candidates().size(), 10);
        QCOMPARE(!pad.notice().isEmpty(), kept == lookup::Handwriting::kMaxStrokes);

        // Undo makes room again.
        pad.undoStroke();
        scribble();
        QCOMPARE(pad.engine().strokes().size(), kept);
    }

    // An answer for strokes that have changed since never arrives, whether the change is a newer
    // stroke or an emptied pad.
    void staleAnswersAreDropped()
    {
        lookup::HandwritingRecognizer recognizer;
        QSignalSpy answers(&recognizer, &lookup::HandwritingRecognizer::candidatesReady);
        QSemaphore started, release;
        recognizer.recognise([&] {
            started.release();
            release.acquire();
            return QStringList{QStringLiteral("旧")};
        });
        QVERIFY(started.tryAcquire(1, kAnswerWait));
        recognizer.recognise([] { return QStringList{QStringLiteral("新")}; });
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(!recognizer.isPending(), kAnswerWait);
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.at(0).at(0).toStringList(), QStringList{QStringLiteral("新")});

        recognizer.recognise([&] {
            started.release();
            release.acquire();
            return QStringList{QStringLiteral("清")};
        });
        QVERIFY(started.tryAcquire(1, kAnswerWait));
        recognizer.cancel();
        QVERIFY(!recognizer.isPending());
        release.release();
        recognizer.recognise([] { return QStringList{QStringLiteral("后")}; });
        QTRY_VERIFY_WITH_TIMEOUT(!recognizer.isPending(), kAnswerWait);
        QCOMPARE(answers.size(), 2);
        QCOMPARE(answers.at(1).at(0).toStringList(), QStringList{QStringLiteral("后")});
    }

    // Undo takes the last stroke back; clear and an empty pad give nothing and no error.
    void strokesComeAndGo()
    {
        lookup::Handwriting engine;
        QVERIFY(engine.candidates().isEmpty());
        QVERIFY(engine.errorText().isEmpty());
        QVERIFY(!engine.addStroke({}));
        const lookup::Stroke first{QPoint(10, 10), QPoint(500, 12), QPoint(990, 10)};
        QVERIFY(engine.addStroke(first));
        QVERIFY(engine.addStroke({QPoint(500, 10), QPoint(500, 990)}));
        QCOMPARE(engine.strokes().size(), 2);
        engine.undoStroke();
        QCOMPARE(engine.strokes(), QList<lookup::Stroke>{lookup::Handwriting::keptPoints(first)});
        engine.clear();
        engine.undoStroke();
        QVERIFY(engine.candidates().isEmpty());
    }

    // A missing or unreadable model leaves the pad usable and says why in it.
    void modelThatCannotBeRead_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a model") << QByteArrayLiteral("not a handwriting model\n");
    }
    void modelThatCannotBeRead()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("handwriting-zh_CN.model"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        app::HandwritingPad pad(nullptr, path);
        QVERIFY(!pad.engine().isReady());
        QVERIFY(pad.notice().contains(path));
        pad.show();
        drag(canvasOf(pad), {QPoint(20, 100), QPoint(100, 100), QPoint(180, 100)});
        QCOMPARE(pad.engine().strokes().size(), 1);
        QVERIFY(!pad.isRecognising());
        QVERIFY(pad.candidates().isEmpty());
        QVERIFY(!pad.findChild<QToolButton *>(QStringLiteral("candidate0"))->isEnabled());
    }

    // A stroke drawn with the mouse reaches the engine; choosing a candidate emits it and
    // empties the pad for the next character.
    void padDrawsAndChooses()
    {
        app::HandwritingPad pad;
        pad.show();
        drag(canvasOf(pad), {QPoint(20, 100), QPoint(60, 101), QPoint(140, 99), QPoint(180, 100)});
        QCOMPARE(pad.engine().strokes().size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(pad.candidates().contains(QStringLiteral("一")), kAnswerWait);

        QSignalSpy chosen(&pad, &app::HandwritingPad::candidateChosen);
        const int at = int(pad.candidates().indexOf(QStringLiteral("一")));
        pad.findChild<QToolButton *>(QStringLiteral("candidate%1").arg(at))->click();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("一"));
        QVERIFY(pad.engine().strokes().isEmpty());
        QVERIFY(pad.candidates().isEmpty());
    }

    // The quick lookup window with the pad open stays on its screen, whatever height it had; the
    // pad gone, it is as tall as before.
    void windowWithPadFitsTheScreen_data()
    {
        QTest::addColumn<bool>("screenHigh");
        QTest::newRow("as first opened") << false;
        QTest::newRow("already as tall as the screen") << true;
    }
    void windowWithPadFitsTheScreen()
    {
        QFETCH(bool, screenHigh);
        QTemporaryDir data;
        app::QuickLookupWindow window({}, nullptr, data.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        if (screenHigh)
            window.setGeometry(area.marginsRemoved(window.windowHandle()->frameMargins()));
        const int before = window.height();
        window.handwritingButton()->click();
        QVERIFY(window.handwritingPad() && window.handwritingPad()->isVisible());
        QVERIFY(window.height() >= before);
        QString where;
        QDebug(&where) << window.frameGeometry() << "on" << area;
        QVERIFY2(area.contains(window.frameGeometry()), qPrintable(where));
        window.handwritingButton()->click();
        QCOMPARE(window.height(), before);
    }
};

QTEST_MAIN(TestHandwriting)
#include "tst_handwriting.moc"
