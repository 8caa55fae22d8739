#include "app/widgets/handwritingpad.h"
#include "lookup/handwriting.h"
#include "support/testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace mc;

namespace {

// Stroke medians of the stroke-order data, drawn in its 1024 box with y pointing up.
QList<lookup::Stroke> drawnStrokes(const QJsonArray &medians)
{
    QList<lookup::Stroke> strokes;
    for (const QJsonValue &median : medians) {
        lookup::Stroke stroke;
        for (const QJsonValue &point : median.toArray())
            stroke.append(QPoint(point[0].toInt(), 900 - point[1].toInt()));
        strokes.append(stroke);
    }
    return strokes;
}

QList<lookup::Stroke> strokesOf(const QString &character)
{
    QFile file(QStringLiteral(MC_SOURCE_DIR "/tests/fixtures/handwriting/medians.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        if (line.value(QStringLiteral("char")).toString() == character)
            return drawnStrokes(line.value(QStringLiteral("medians")).toArray());
    }
    return {};
}

} // namespace

class TestHandwriting : public QObject {
    Q_OBJECT
private slots:
    void drawnCharacterIsAmongCandidates_data()
    {
        QTest::addColumn<QString>("character");
        for (const QChar c : QStringLiteral("的是我中国大学你们家"))
            QTest::newRow(QString(c).toUtf8().constData()) << QString(c);
    }
    void drawnCharacterIsAmongCandidates()
    {
        QFETCH(QString, character);
        lookup::Handwriting engine;
        QVERIFY2(engine.isReady(), qPrintable(engine.errorText()));
        const QList<lookup::Stroke> strokes = strokesOf(character);
        QVERIFY(!strokes.isEmpty());
        for (const lookup::Stroke &stroke : strokes)
            engine.addStroke(stroke);
        const QStringList candidates = engine.candidates();
        QVERIFY(candidates.size() <= 10);
        QVERIFY2(candidates.contains(character), qPrintable(candidates.join(u' ')));
    }

    // Undo takes the last stroke back; clear and an empty pad give nothing and no error.
    void strokesComeAndGo()
    {
        lookup::Handwriting engine;
        QVERIFY(engine.candidates().isEmpty());
        QVERIFY(engine.errorText().isEmpty());
        const QList<lookup::Stroke> strokes = strokesOf(QStringLiteral("大"));
        for (const lookup::Stroke &stroke : strokes)
            engine.addStroke(stroke);
        engine.addStroke({});
        QCOMPARE(engine.strokes().size(), strokes.size());
        engine.undoStroke();
        QCOMPARE(engine.strokes(), strokes.mid(0, strokes.size() - 1));
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
        QVERIFY(pad.engine().errorText().contains(path));
        for (const lookup::Stroke &stroke : strokesOf(QStringLiteral("中")))
            pad.engine().addStroke(stroke);
        pad.refresh();
        QVERIFY(pad.candidates().isEmpty());
        QVERIFY(!pad.findChild<QToolButton *>(QStringLiteral("candidate0"))->isEnabled());
    }

    // A stroke drawn with the mouse reaches the engine; choosing a candidate emits it and
    // empties the pad for the next character.
    void padDrawsAndChooses()
    {
        app::HandwritingPad pad;
        pad.show();
        auto *canvas = pad.findChild<QWidget *>(QStringLiteral("handwritingCanvas"));
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 130));
        for (int x = 40; x <= 230; x += 10)
            QTest::mouseMove(canvas, QPoint(x, 130));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(230, 130));
        QCOMPARE(pad.engine().strokes().size(), 1);
        QVERIFY(pad.candidates().contains(QStringLiteral("一")));

        QSignalSpy chosen(&pad, &app::HandwritingPad::candidateChosen);
        const int at = int(pad.candidates().indexOf(QStringLiteral("一")));
        pad.findChild<QToolButton *>(QStringLiteral("candidate%1").arg(at))->click();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("一"));
        QVERIFY(pad.engine().strokes().isEmpty());
        QVERIFY(pad.candidates().isEmpty());
    }
};

QTEST_MAIN(TestHandwriting)
#include "tst_handwriting.moc"
