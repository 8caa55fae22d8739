// The parts panel, the practice sheet dialog and what the quick lookup window shows of them.
#include "app/learn/learnhooks.h"
#include "app/learn/partspanel.h"
#include "app/learn/sheetdialog.h"
#include "app/windows/quicklookupwindow.h"
#include "core/error.h"
#include "learn/partsindex.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace mc;
using namespace Qt::StringLiterals;

class TestLearnWidgets final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString data() const { return m_dir.filePath(u"data"_s); }

    static QStringList listed(const app::PartsPanel &panel)
    {
        QStringList out;
        for (int i = 0; i < panel.resultList()->count(); ++i)
            out.append(panel.resultList()->item(i)->text());
        return out;
    }

private slots:
    void initTestCase() { test::copyFixtureStores(m_dir.path()); }

    // Clicks on the panel's buttons, "-" for 撤销 and "0" for 清除, and what is listed after them.
    void partsPanel_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("listed");
        QTest::newRow("two parts") << "氵可"
                                   << "河";
        QTest::newRow("a part twice") << "木木"
                                      << "林森";
        QTest::newRow("undone") << "木木木-"
                                << "林森";
        QTest::newRow("cleared") << "木木0"
                                 << "";
        QTest::newRow("none hold them all") << "女氵"
                                            << "";
    }
    void partsPanel()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, listed);
        app::PartsPanel panel(data());
        for (const QString &click : learn::codePoints(clicks)) {
            if (click == u"-")
                panel.findChild<QToolButton *>(u"PartsUndo"_s)->click();
            else if (click == u"0")
                panel.findChild<QToolButton *>(u"PartsClear"_s)->click();
            else if (QToolButton *button = panel.partButton(click))
                button->click();
            else
                QFAIL(qPrintable(click + u" not on the panel"_s));
        }
        QCOMPARE(TestLearnWidgets::listed(panel), learn::codePoints(listed));
        QCOMPARE(panel.results(), learn::codePoints(listed));
        const QString count = panel.findChild<QLabel *>(u"PartsCount"_s)->text();
        if (panel.picks().isEmpty())
            QVERIFY(count.isEmpty());
        else
            QVERIFY2(count.contains(listed.isEmpty() ? u"没有"_s : QString::number(listed.size())), qPrintable(count));
    }

    void partsPanelChoosesAndNeedsItsData()
    {
        app::PartsPanel panel(data());
        QVERIFY(!panel.partButton(u"一"_s)); // single strokes narrow nothing
        QSignalSpy chosen(&panel, &app::PartsPanel::characterChosen);
        panel.setPicks({u"子"_s, u"木"_s});
        QCOMPARE(panel.results(), QStringList{u"李"_s});
        panel.resultList()->itemClicked(panel.resultList()->item(0));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toString(), u"李"_s);
        QVERIFY_THROWS_EXCEPTION(Error, app::PartsPanel(m_dir.filePath(u"nothing"_s)));
    }

    void sheetDialog()
    {
        app::SheetDialog dialog(data(), u"永吗"_s);
        QVERIFY(dialog.sheet());
        QCOMPARE(dialog.sheet()->characterCount(), 2);
        QVERIFY2(dialog.summary()->text().contains(u"只有范字：吗"_s), qPrintable(dialog.summary()->text()));
        dialog.cellsBox()->setValue(12);
        dialog.tracingBox()->setValue(0);
        dialog.gridBox()->setCurrentIndex(1);
        dialog.titleBox()->setText(u"练习"_s);
        const learn::SheetOptions &options = dialog.sheet()->options();
        QCOMPARE(options.cellsPerRow, 12);
        QCOMPARE(options.tracingCopies, 0);
        QCOMPARE(options.grid, learn::GridKind::Mi);
        QCOMPARE(options.title, u"练习"_s);
        const QString file = m_dir.filePath(u"dialog.pdf"_s);
        QCOMPARE(dialog.savePdf(file), 1);
        QProcess info;
        info.start(u"pdfinfo"_s, {file});
        QVERIFY(info.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(u"练习"_s));
        // Nothing to practise: nothing to save or print.
        dialog.textBox()->setText(u"abc"_s);
        QVERIFY(!dialog.sheet());
        QVERIFY(!dialog.findChild<QPushButton *>(u"SheetSave"_s)->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton *>(u"SheetPrint"_s)->isEnabled());
        QCOMPARE(dialog.savePdf(file), 0);
    }

    // A query typed as "+木子" opens the parts panel with those parts; a character entry shows how
    // the character is built before its explanation.
    void inTheQuickLookup()
    {
        const test::WorkingFolder folder;
        app::QuickLookupWindow window({}, nullptr, folder.filePath(u"data"_s));
        window.show();
        auto *parts = window.findChild<QToolButton *>(u"QuickLookupParts"_s);
        QVERIFY(parts && !parts->isChecked());
        window.box()->setText(u"+木子"_s);
        QVERIFY(parts->isChecked());
        auto *panel = window.findChild<app::PartsPanel *>();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->results(), QStringList{u"李"_s});

        window.lookUp(u"河"_s);
        auto *entry = window.findChild<QTextBrowser *>(u"QuickLookupEntry"_s);
        QVERIFY(QTest::qWaitFor([entry] { return entry->toPlainText().contains(u"形旁 氵，声旁 可"_s); }, 20000));
        const QString text = entry->toPlainText();
        QVERIFY2(text.indexOf(u"结构：左右结构"_s) < text.indexOf(u"解释"_s), qPrintable(text));
        parts->click();
        QVERIFY(!panel->isVisible());
    }
};

QTEST_MAIN(TestLearnWidgets)
#include "tst_learnwidgets.moc"
