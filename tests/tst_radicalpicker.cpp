// The radical picker on its own: choosing, the stroke box, confirming and closing.
#include "search/radicalpicker.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace mc::search;
using namespace Qt::Literals::StringLiterals;

class TestRadicalPicker final : public QObject {
    Q_OBJECT
private:
    struct Parts {
        QTableWidget *table;
        QLabel *chosen;
        QLineEdit *strokes;
        QPushButton *confirm;
    };

    static Parts parts(RadicalPicker &picker)
    {
        return {picker.findChild<QTableWidget *>(u"StringGrid1"_s), picker.findChild<QLabel *>(u"Label1"_s),
                picker.findChild<QLineEdit *>(u"edit1"_s), picker.findChild<QPushButton *>(u"Button1"_s)};
    }

    static void clickCell(QTableWidget *table, int row, int column)
    {
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void confirmingAtOnceWritesTheFirstRadical()
    {
        RadicalPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(picker.windowTitle(), u"汉字部首检索"_s);
        QSignalSpy confirmed(&picker, &RadicalPicker::confirmed);
        QTest::mouseClick(parts(picker).confirm, Qt::LeftButton);
        QCOMPARE(confirmed.size(), 1);
        QCOMPARE(confirmed.at(0).at(0).toString(), u"丶"_s);
        QVERIFY(!picker.isVisible());
    }

    void chooseAndConfirm_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("radical and strokes") << 3 << 0 << u"3"_s << u"口3"_s;
        QTest::newRow("three digits kept") << 3 << 0 << u"123"_s << u"口123"_s;
        QTest::newRow("letters refused") << 6 << 4 << u"a1b2"_s << u"木12"_s;
        QTest::newRow("radical alone") << 18 << 4 << QString() << u"龠"_s;
        QTest::newRow("empty cell, digits") << 0 << 10 << u"5"_s << u"5"_s;
        QTest::newRow("empty cell, nothing") << 18 << 17 << QString() << QString();
    }

    void chooseAndConfirm()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, keyword);
        RadicalPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        const Parts p = parts(picker);
        clickCell(p.table, row, column);
        QCOMPARE(p.chosen->text(), p.table->item(row, column)->text());
        QTest::mouseClick(p.strokes, Qt::LeftButton);
        QTest::keyClicks(p.strokes, typed);
        QSignalSpy confirmed(&picker, &RadicalPicker::confirmed);
        QTest::mouseClick(p.confirm, Qt::LeftButton);
        QCOMPARE(confirmed.size(), 1);
        QCOMPARE(confirmed.at(0).at(0).toString(), keyword);
    }

    void strokeBoxEmptiesOnEveryClick()
    {
        RadicalPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QLineEdit *strokes = parts(picker).strokes;
        QVERIFY(!strokes->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(strokes->inputMethodHints() & Qt::ImhDigitsOnly);
        QTest::mouseClick(strokes, Qt::LeftButton);
        QTest::keyClicks(strokes, u"12"_s);
        QCOMPARE(strokes->text(), u"12"_s);
        QTest::mouseClick(strokes, Qt::LeftButton);
        QCOMPARE(strokes->text(), QString());
        // Enter in the box does not confirm.
        QSignalSpy confirmed(&picker, &RadicalPicker::confirmed);
        QTest::keyClick(strokes, Qt::Key_Return);
        QCOMPARE(confirmed.size(), 0);
    }

    void arrowKeysChoose()
    {
        RadicalPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        const Parts p = parts(picker);
        p.table->setFocus();
        QTest::keyClick(p.table, Qt::Key_Right);
        QCOMPARE(p.chosen->text(), u"亅"_s);
        QTest::keyClick(p.table, Qt::Key_Down);
        QCOMPARE(p.chosen->text(), u"冫"_s);
    }

    void closingWritesNothingAndKeepsTheChoice()
    {
        RadicalPicker picker;
        QSignalSpy confirmed(&picker, &RadicalPicker::confirmed);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        const Parts p = parts(picker);
        clickCell(p.table, 6, 4);
        QTest::mouseClick(p.strokes, Qt::LeftButton);
        QTest::keyClicks(p.strokes, u"4"_s);
        QVERIFY(picker.close());
        QVERIFY(!picker.isVisible());
        QCOMPARE(confirmed.size(), 0);

        picker.showOver(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(p.chosen->text(), u"木"_s);
        QCOMPARE(p.strokes->text(), u"4"_s);
        QCOMPARE(p.table->currentRow(), 6);
        QCOMPARE(p.table->currentColumn(), 4);
    }

    void wholeTableShowsInBands()
    {
        RadicalPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTableWidget *table = parts(picker).table;
        QCOMPARE(table->rowCount(), 19);
        QCOMPARE(table->columnCount(), 18);
        // No scrolling needed: the last cell lies inside the viewport.
        const QRect last = table->visualRect(table->model()->index(18, 17));
        QVERIFY(table->viewport()->rect().contains(last));

        // The selected first cell keeps its band colour too.
        const QImage image = table->viewport()->grab().toImage();
        auto background = [&](int row, int column) {
            const QRect cell = table->visualRect(table->model()->index(row, column));
            return QColor(image.pixel(cell.right() - 1, cell.bottom() - 1));
        };
        const QColor white(255, 255, 255);
        const QColor grey(240, 240, 240);
        QCOMPARE(background(0, 0), white);
        QCOMPARE(background(1, 3), grey);
        QCOMPARE(background(2, 17), grey);
        QCOMPARE(background(3, 17), white);
        QCOMPARE(background(8, 17), grey);
        QCOMPARE(background(18, 0), grey);
    }
};

QTEST_MAIN(TestRadicalPicker)
#include "tst_radicalpicker.moc"
