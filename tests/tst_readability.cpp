#include "app/application.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/growth.h"
#include "app/widgets/onscreen.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "lookup/scriptchoice.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace mc;

namespace {

const QString kRunExplanation
    = QStringLiteral("vi. 跑，奔跑；逃跑；运转，开动；竞选；流动，流出；延续，继续有效；蔓延；褪色；（抽丝）脱线\n"
                     "vt. 使奔跑；跑过，跑完；经营，管理；操作，开动；运送；使流动，倾注；竞选；冒（险）\n"
                     "n. 跑，奔跑；赛跑；路程，旅程；趋势，动向；连续，一连串；挤兑；（抽丝）脱线；一段时间\n"
                     "adj. 融化的；熔化的；浇铸的\n"
                     "第五行：进行中的一次运行或试验，这一行必须能够完整地看到\n"
                     "第六行：最后一行，滚动到底时必须完整可见");

const QString kClassical = QStringLiteral("【國語辭典】\r\n1.說話。如：「說話算數。」\r\n"
                                          "——教育部《重編國語辭典修訂本》，CC BY-ND 3.0 TW");

// Six small stores holding the entries whose texts were cut off: a long reading list, a long
// word reading, a long idiom story, a long English explanation.
void makeStores(const QString &dir)
{
    QDir(dir).mkpath(QStringLiteral("data"));
    auto path = [&dir](const char *file) { return dir + QStringLiteral("/data/") + QString::fromLatin1(file); };
    test::makeStore(path("xhb.db"),
                    QStringLiteral("CREATE TABLE hz(name, oldname, spell, part, sum, partstrokes, strokes INTEGER, "
                                   "wbcode, areacode, pycode, content, url)"),
                    QStringLiteral("hz"),
                    {{QStringLiteral("行"), QStringLiteral("行"), QStringLiteral("xíng,háng,hàng,héng"),
                      QStringLiteral("彳"), QStringLiteral("3"), QStringLiteral("3"), 6, QStringLiteral("tfhh"),
                      QStringLiteral("4876"), QStringLiteral("xing hang heng "), QStringLiteral("走。"), QString()}});
    test::makeStore(path("xhi.db"), QStringLiteral("CREATE TABLE dict(ID INTEGER, word, ord, spell, content)"),
                    QStringLiteral("dict"),
                    {{362994, QStringLiteral("说话"), QStringLiteral("說話"), QStringLiteral("shuō huà"), kClassical},
                     {362995, QStringLiteral("世界大学生运动会"), QStringLiteral("世界大學生運動會"),
                      QStringLiteral("shì jiè dà xué shēng yùn dòng huì"), QStringLiteral("国际大学生体育比赛。")}});
    QStringList story;
    for (int i = 1; i <= 12; ++i)
        story.append(QStringLiteral("第%1句：战国时赵国得到楚国的和氏璧，秦昭王写信给赵王，愿以十五城换璧。").arg(i));
    test::makeStore(path("xhg.db"), QStringLiteral("CREATE TABLE cy(name, spell, pyjm, content, derivation, samples)"),
                    QStringLiteral("cy"),
                    {{QStringLiteral("完璧归赵"), QStringLiteral("wán bì guī zhào"), QStringLiteral("wbgz"),
                      QStringLiteral("本指蔺相如将和氏璧完好地从秦国送回赵国。"), story.join(QString()),
                      QStringLiteral("示例。")}});
    test::makeStore(path("xhd.db"), QStringLiteral("CREATE TABLE xhy(name, end1)"), QStringLiteral("xhy"),
                    {{QStringLiteral("八仙过海"), QStringLiteral("各显神通")}});
    test::makeStore(path("xhk.db"), QStringLiteral("CREATE TABLE 英语单词(单词, 解释)"), QStringLiteral("英语单词"),
                    {{QStringLiteral("run"), kRunExplanation}});
    test::makeStore(path("xhe.db"), QStringLiteral("CREATE TABLE mylib(name, derivation)"), QStringLiteral("mylib"),
                    {{QStringLiteral("学而不厌，诲人不倦。"), QStringLiteral("孔子")}});
}

} // namespace

class TestReadability final : public QObject {
    Q_OBJECT
private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordingMessages> m_messages;
    std::unique_ptr<app::Application> m_application;
    app::MainWindow *m_main = nullptr;

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        return m_main->findChild<T *>(name);
    }
    void showPageOf(const char *button) { control<QAbstractButton>(QString::fromLatin1(button))->click(); }
    // The main window's client area at a size, laid out.
    void resizeClient(const QSize &size)
    {
        m_main->resize(size.width(), size.height() + m_main->menuBar()->height());
        QApplication::processEvents();
    }
    QSize designed() const { return m_main->centralWidget()->minimumSize(); }

private slots:
    void initTestCase()
    {
        m_previousDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        makeStores(m_dir->path());
        QDir::setCurrent(m_dir->path());
        m_messages = std::make_unique<RecordingMessages>();
        m_application = std::make_unique<app::Application>();
        QVERIFY(m_application->start());
        m_main = m_application->windows().main;
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void cleanupTestCase()
    {
        lookup::ScriptChoice::instance().setSimplified(false);
        m_application.reset();
        QDir::setCurrent(m_previousDir);
    }

    // clang-format off
    void grownPlaces_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");
        // Designed at (10, 20, 100, 50) in 200 × 100; the control takes the width, half the
        // height and moves down by the other half.
        QTest::newRow("designed size") << QSize(200, 100) << QRect(10, 20, 100, 50);
        QTest::newRow("smaller") << QSize(150, 80) << QRect(10, 20, 100, 50);
        QTest::newRow("wider") << QSize(260, 100) << QRect(10, 20, 160, 50);
        QTest::newRow("taller") << QSize(200, 140) << QRect(10, 40, 100, 70);
        QTest::newRow("narrower, taller") << QSize(120, 141) << QRect(10, 41, 100, 71);
    }
    // clang-format on
    void grownPlaces()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        QCOMPARE(app::grownPlace(QRect(10, 20, 100, 50), {0, 0.5, 1, 0.5}, QSize(200, 100), size), expected);
    }

    // clang-format off
    void windowsKeptOnScreen_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        const QRect area(0, 0, 1366, 768);
        QTest::newRow("inside") << QRect(100, 100, 560, 520) << QRect(100, 100, 560, 520);
        QTest::newRow("off the bottom right") << QRect(1000, 500, 560, 520) << QRect(806, 248, 560, 520);
        QTest::newRow("off the top left") << QRect(-40, -10, 560, 520) << QRect(0, 0, 560, 520);
        QTest::newRow("taller than the screen") << QRect(200, 100, 560, 836) << QRect(200, 0, 560, 768);
    }
    // clang-format on
    void windowsKeptOnScreen()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        QCOMPARE(app::keptOnScreen(frame, QRect(0, 0, 1366, 768)), expected);
    }

    // A window shown partly off its screen is moved onto it whole.
    void shownWindowComesOnScreen()
    {
        QWidget window(m_main, Qt::Window);
        window.resize(560, 520);
        const QRect area = m_main->screen()->availableGeometry();
        window.move(area.bottomRight() - QPoint(100, 100));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY2(area.contains(window.frameGeometry()),
                     qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
    }

    // At the designed size nothing moves; larger, the lists and text areas take the room.
    // clang-format off
    void listsAndTextsGrowWithTheWindow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("growing");
        QTest::newRow("characters") << "fltbtn4" << QStringList{QStringLiteral("dxDBGrid1"), QStringLiteral("dbmemocontent")};
        QTest::newRow("idioms") << "fltbtn6" << QStringList{QStringLiteral("DBGrid1"), QStringLiteral("idiomMemoDerivation"), QStringLiteral("idiomMemoContent"), QStringLiteral("idiomMemoSamples")};
        QTest::newRow("xiehouyu") << "fltbtn7" << QStringList{QStringLiteral("DBGrid3")};
        QTest::newRow("english") << "fltbtn8" << QStringList{QStringLiteral("DBGrid7"), QStringLiteral("englishViewExplanationBox")};
        QTest::newRow("sayings") << "fltbtn12" << QStringList{QStringLiteral("DBGrid4"), QStringLiteral("sayingsViewSayingBox")};
        QTest::newRow("words") << "fltbtn5" << QStringList{QStringLiteral("DBGrid5"), QStringLiteral("wordMemoContent")};
    }
    // clang-format on
    void listsAndTextsGrowWithTheWindow()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, growing);
        showPageOf(qPrintable(button));
        resizeClient(designed());
        QList<QRect> before;
        for (const QString &name : growing) {
            QWidget *widget = control(name);
            QVERIFY2(widget && widget->isVisible(), qPrintable(name));
            before.append(widget->geometry());
        }
        resizeClient(QSize(1366, 700));
        for (int i = 0; i < growing.size(); ++i) {
            const QRect after = control(growing.at(i))->geometry();
            QVERIFY2(after.width() > before.at(i).width() + 300 || after.height() > before.at(i).height() + 40,
                     qPrintable(growing.at(i)));
        }
        resizeClient(designed());
        for (int i = 0; i < growing.size(); ++i)
            QCOMPARE(control(growing.at(i))->geometry(), before.at(i));
    }

    // Scrolled to its end, a long explanation shows its last line whole, at any window size.
    void longExplanationScrollsToItsEnd_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::newRow("designed") << QSize();
        QTest::newRow("larger") << QSize(1000, 700);
    }

    void longExplanationScrollsToItsEnd()
    {
        QFETCH(QSize, client);
        showPageOf("fltbtn8");
        resizeClient(client.isValid() ? client : designed());
        auto *box = control<app::FieldBox>(QStringLiteral("englishViewExplanationBox"));
        QVERIFY(box);
        QVERIFY(box->overflows());
        // Whole within the picture panel, which would otherwise hide its lower part.
        QVERIFY(box->parentWidget()->rect().contains(box->geometry()));
        QScrollBar *bar = box->verticalScrollBar();
        bar->setValue(bar->maximum());
        QApplication::processEvents();
        QLabel *label = box->label();
        const int textHeight = label->heightForWidth(box->viewport()->width());
        QVERIFY2(label->height() >= textHeight,
                 qPrintable(QStringLiteral("%1 < %2").arg(label->height()).arg(textHeight)));
        QCOMPARE(bar->maximum() + box->viewport()->height(), label->height());
        resizeClient(designed());
    }

    // Readings are never cut off: a list of readings is drawn smaller to fit its line, a long
    // word reading wraps onto the lines below it.
    void readingsShowWhole()
    {
        resizeClient(designed());
        showPageOf("fltbtn4");
        auto *spell = control<QLabel>(QStringLiteral("charViewSpell"));
        QCOMPARE(spell->text(), QStringLiteral("xíng,háng,hàng,héng"));
        QVERIFY(QFontMetrics(spell->font()).horizontalAdvance(spell->text()) <= spell->width());

        showPageOf("fltbtn5");
        store::Dataset *words = m_main->dataset(store::StoreId::Words);
        words->setCurrentRow(1);
        auto *box = control<app::FieldBox>(QStringLiteral("wordViewSpellBox"));
        QCOMPARE(box->label()->text(), QStringLiteral("shì jiè dà xué shēng yùn dòng huì"));
        QVERIFY(!box->overflows());
        QVERIFY(box->label()->heightForWidth(box->viewport()->width()) <= box->viewport()->height());
    }

    // A memo shows whole lines only, so its last visible line is never cut in half.
    void memosShowWholeLines_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QSize>("client");
        QTest::newRow("idiom story") << "fltbtn6"
                                     << "idiomMemoDerivation" << QSize();
        QTest::newRow("idiom story, larger") << "fltbtn6"
                                             << "idiomMemoDerivation" << QSize(900, 701);
        QTest::newRow("idiom samples") << "fltbtn6"
                                       << "idiomMemoSamples" << QSize();
        QTest::newRow("word explanation") << "fltbtn5"
                                          << "wordMemoContent" << QSize(1000, 650);
    }

    void memosShowWholeLines()
    {
        QFETCH(QString, button);
        QFETCH(QString, memo);
        QFETCH(QSize, client);
        showPageOf(qPrintable(button));
        resizeClient(client.isValid() ? client : designed());
        auto *view = control<QPlainTextEdit>(memo);
        QVERIFY(view);
        const int line = QFontMetrics(view->font()).lineSpacing();
        QCOMPARE(view->viewport()->height() % line, 0);
        if (memo == QLatin1String("idiomMemoDerivation")) {
            // The story needs more lines than the memo has: it scrolls, whole lines at a time.
            QVERIFY(view->verticalScrollBar()->maximum() > 0);
            QVERIFY(!view->geometry().intersects(control(QStringLiteral("idiomMemoContent"))->geometry()));
        }
        resizeClient(designed());
    }

    // Qt's own texts are Chinese: the buttons of a plain box and the file dialog's.
    void qtTextsInChinese()
    {
        QTranslator translator;
        app::loadQtTranslations(translator);
        const auto remove = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        QVERIFY2(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("是")),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("否")));
        QVERIFY(box.button(QMessageBox::Ok)->text().contains(QStringLiteral("确定")));
        QFileDialog dialog(nullptr, QStringLiteral("导出"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        auto *buttons = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QStringList texts;
        for (QAbstractButton *button : buttons->buttons())
            texts.append(button->text());
        QVERIFY2(texts.join(u' ').contains(QStringLiteral("保存")), qPrintable(texts.join(u' ')));
        QVERIFY2(!texts.join(u' ').contains(QStringLiteral("Cancel")), qPrintable(texts.join(u' ')));
    }

    // Only the marked block is converted; the attribution stays verbatim with a note after it.
    // clang-format off
    void classicalBlockConverted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("markedOnly");
        QTest::addColumn<QString>("expected");
        const QString note = QStringLiteral("（原文为繁体字，此处按读者设定转为简体字显示）");
        const QString source = QStringLiteral("——教育部《重編國語辭典修訂本》，CC BY-ND 3.0 TW");
        QTest::newRow("modern text first") << QStringLiteral("【英文】to speak\r\n【國語辭典】\r\n1.說\r\n") + source
            << true << QStringLiteral("【英文】to speak\r\n【國語辭典】\r\nT1.说\r\n") + source + note;
        QTest::newRow("line feeds") << QStringLiteral("【國語辭典】\n說\n") + source
            << true << QStringLiteral("【國語辭典】\nT说\n") + source + note;
        QTest::newRow("no mark") << QStringLiteral("说话") << true << QStringLiteral("说话");
        QTest::newRow("mark without attribution") << QStringLiteral("【國語辭典】\n說") << true
            << QStringLiteral("【國語辭典】\n說");
        QTest::newRow("short, mark lost") << QStringLiteral("1.說\n") + source << false
            << QStringLiteral("T1.说\n") + source + note;
        QTest::newRow("short, cut before the attribution") << QStringLiteral("1.說…") << false
            << QStringLiteral("T1.说…");
    }
    // clang-format on
    void classicalBlockConverted()
    {
        QFETCH(QString, text);
        QFETCH(bool, markedOnly);
        QFETCH(QString, expected);
        // A stand-in conversion that shows which lines it was given.
        const auto convert = [](const QString &line) {
            return QStringLiteral("T") + QString(line).replace(QStringLiteral("說"), QStringLiteral("说"));
        };
        QCOMPARE(lookup::withClassicalTextSimplified(text, convert, markedOnly), expected);
    }

    // The 國語辭典 text shows in simplified script when the reader chooses it, and the
    // attribution says so; the store keeps the text as it was.
    void classicalTextInTheChosenScript_data()
    {
        QTest::addColumn<bool>("simplified");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }

    void classicalTextInTheChosenScript()
    {
        QFETCH(bool, simplified);
        showPageOf("fltbtn5");
        store::Dataset *words = m_main->dataset(store::StoreId::Words);
        words->setCurrentRow(0);
        auto *memo = control<QPlainTextEdit>(QStringLiteral("wordMemoContent"));
        lookup::ScriptChoice::instance().setSimplified(simplified);
        const QString shown = memo->toPlainText();
        QCOMPARE(shown.contains(QStringLiteral("说话算数")), simplified);
        QCOMPARE(shown.contains(QStringLiteral("說話算數")), !simplified);
        QVERIFY(shown.contains(QStringLiteral("——教育部《重編國語辭典修訂本》，CC BY-ND 3.0 TW")));
        QCOMPARE(shown.contains(QStringLiteral("转为简体字显示")), simplified);
        QCOMPARE(words->value(QStringLiteral("content")), kClassical);
        lookup::ScriptChoice::instance().setSimplified(false);
        QVERIFY(memo->toPlainText().contains(QStringLiteral("說話算數")));
    }
};

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
