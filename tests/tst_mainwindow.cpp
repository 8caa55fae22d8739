#include "app/application.h"
#include "app/servicecommands.h"
#include "app/widgets/widgets.h"
#include "app/windows/lexiconwindow.h"
#include "app/windows/licencedialog.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/htmlview.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/webprofile.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

using namespace mc;

namespace {

// Six small stores whose rows the checks below know by heart.
void makeStores(const QString &dir)
{
    QDir(dir).mkpath(QStringLiteral("data"));
    auto path = [&dir](const char *file) { return dir + QStringLiteral("/data/") + QString::fromLatin1(file); };
    test::makeStore(path("xhb.db"),
                    QStringLiteral("CREATE TABLE hz(name, oldname, spell, part, sum, partstrokes, strokes INTEGER, "
                                   "wbcode, areacode, pycode, content, url)"),
                    QStringLiteral("hz"),
                    {{QStringLiteral("一"), QStringLiteral("一"), QStringLiteral("yī"), QStringLiteral("一"),
                      QStringLiteral("0"), QStringLiteral("1"), 1, QStringLiteral("ggll"), QStringLiteral("5027"),
                      QStringLiteral("yi "), QStringLiteral("数目字。"), QStringLiteral("1")},
                     {QStringLiteral("马"), QStringLiteral("馬"), QStringLiteral("mǎ"), QStringLiteral("马"),
                      QStringLiteral("0"), QStringLiteral("3"), 3, QStringLiteral("cnng"), QStringLiteral("3475"),
                      QStringLiteral("ma "), QStringLiteral("家畜。"), QString()},
                     {QStringLiteral("口"), QStringLiteral("口"), QStringLiteral("kǒu"), QStringLiteral("口"),
                      QStringLiteral("0"), QStringLiteral("3"), 3, QStringLiteral("kkkk"), QStringLiteral("3132"),
                      QStringLiteral("kou "), QStringLiteral("嘴。"), QStringLiteral("1")}});
    QList<QVariantList> words;
    for (int id = 362994; id <= 362996; ++id)
        words.append({id, QStringLiteral("词%1").arg(id), QStringLiteral("詞%1").arg(id), QStringLiteral("cí"),
                      QStringLiteral("释义%1").arg(id)});
    test::makeStore(path("xhi.db"), QStringLiteral("CREATE TABLE dict(ID INTEGER, word, ord, spell, content)"),
                    QStringLiteral("dict"), words);
    QList<QVariantList> idioms;
    for (int i = 0; i < 5; ++i)
        idioms.append({QStringLiteral("成语%1").arg(i), QStringLiteral("chéng yǔ %1").arg(i), QStringLiteral("cy"),
                       QStringLiteral("意思%1").arg(i), QStringLiteral("出处%1").arg(i),
                       QStringLiteral("示例%1").arg(i)});
    test::makeStore(path("xhg.db"), QStringLiteral("CREATE TABLE cy(name, spell, pyjm, content, derivation, samples)"),
                    QStringLiteral("cy"), idioms);
    test::makeStore(path("xhd.db"), QStringLiteral("CREATE TABLE xhy(name, end1)"), QStringLiteral("xhy"),
                    {{QStringLiteral("阿斗当皇帝"), QStringLiteral("有名无实")},
                     {QStringLiteral("八仙过海"), QStringLiteral("各显神通")}});
    test::makeStore(
        path("xhk.db"), QStringLiteral("CREATE TABLE 英语单词(单词, 解释)"), QStringLiteral("英语单词"),
        {{QStringLiteral("apple"), QStringLiteral("苹果")}, {QStringLiteral("book"), QStringLiteral("书")}});
    test::makeStore(path("xhe.db"), QStringLiteral("CREATE TABLE mylib(name, derivation)"), QStringLiteral("mylib"),
                    {{QStringLiteral("学而不厌，诲人不倦。"), QStringLiteral("孔子")},
                     {QStringLiteral("知之为知之，不知为不知。"), QStringLiteral("孔子")}});
}

QStringList names(const char *spaced)
{
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

// Counts the wheel events that reach a widget.
struct WheelCounter final : QObject {
    int wheels = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        wheels += event->type() == QEvent::Wheel;
        return false;
    }
};

const QStringList kPages = {QStringLiteral("flatpanel16"), QStringLiteral("FlatPanel4"), QStringLiteral("FlatPanel1"),
                            QStringLiteral("FlatPanel7"),  QStringLiteral("FlatPanel8"), QStringLiteral("FlatPanel2"),
                            QStringLiteral("FlatPanel12"), QStringLiteral("FlatPanel14")};

} // namespace

class TestMainWindow final : public QObject {
    Q_OBJECT
private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordingMessages> m_messages;
    std::unique_ptr<RecordingShell> m_shell;
    std::unique_ptr<app::Application> m_application;
    app::MainWindow *m_main = nullptr;

    template <typename T = QWidget>
    T *control(const QString &name, QWidget *in = nullptr) const
    {
        T *found = (in ? in : m_main)->findChild<T *>(name);
        if (!found)
            qWarning("missing control %s", qPrintable(name));
        return found;
    }
    store::Dataset *dataset(const QString &name) const { return m_main->findChild<store::Dataset *>(name); }
    store::Dataset *dataset(const char *name) const { return dataset(QString::fromLatin1(name)); }
    QStringList visiblePages() const
    {
        QStringList visible;
        for (const QString &page : kPages) {
            if (control(page)->isVisible())
                visible.append(page);
        }
        return visible;
    }
    void click(const QString &name) { control<QAbstractButton>(name)->click(); }
    // "TForm9/name" names a control of a secondary window, by the window's object name.
    QWidget *anyControl(const QString &path) const
    {
        const qsizetype slash = path.indexOf(QLatin1Char('/'));
        if (slash < 0)
            return control(path);
        QWidget *top = m_application->windows().secondary(path.left(slash));
        if (!top)
            return nullptr;
        return path.size() == slash + 1 ? top : control(path.mid(slash + 1), top);
    }
    void activateMain()
    {
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }
    void wheel(QWidget *target, int delta)
    {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

private slots:
    void initTestCase()
    {
        m_previousDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        makeStores(m_dir->path());
        QDir::setCurrent(m_dir->path());
        m_messages = std::make_unique<RecordingMessages>();
        m_shell = std::make_unique<RecordingShell>();
        m_application = std::make_unique<app::Application>();
        QVERIFY(m_application->start());
        m_main = m_application->windows().main;
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }
    void cleanupTestCase()
    {
        m_application.reset();
        QDir::setCurrent(m_previousDir);
    }
    void init() { m_messages->clear(); }

    void startsOnTheWelcomePage()
    {
        QCOMPARE(visiblePages(), QStringList{QStringLiteral("flatpanel16")});
        QCOMPARE(m_main->centralWidget()->size(), QSize(794, 614));
    }

    // clang-format off
    void sectionButtonShowsOnlyItsPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("明川字典") << "fltbtn4" << "FlatPanel4";
        QTest::newRow("成语词典") << "fltbtn6" << "FlatPanel1";
        QTest::newRow("歇后语典") << "fltbtn7" << "FlatPanel7";
        QTest::newRow("英汉词典") << "fltbtn8" << "FlatPanel8";
        QTest::newRow("名人名言") << "fltbtn12" << "FlatPanel2";
        QTest::newRow("名句欣赏") << "fltbtn9" << "FlatPanel12";
        QTest::newRow("明川词典") << "fltbtn5" << "FlatPanel14";
    }
    // clang-format on
    void sectionButtonShowsOnlyItsPage()
    {
        QFETCH(QString, button);
        QFETCH(QString, page);
        click(button);
        QCOMPARE(visiblePages(), QStringList{page});
        QVERIFY(m_messages->shown().isEmpty());
    }

    void idiomPageKeepsItsStateAcrossSwitching()
    {
        click(QStringLiteral("fltbtn6"));
        auto *grid = control<QTableView>(QStringLiteral("DBGrid1"));
        grid->setCurrentIndex(grid->model()->index(3, 0));
        control<QLineEdit>(QStringLiteral("Edit4"))->setText(QStringLiteral("成？"));
        const int scroll = grid->verticalScrollBar()->value();
        click(QStringLiteral("fltbtn7"));
        click(QStringLiteral("fltbtn6"));
        QCOMPARE(dataset("ADOQuery1")->currentRow(), 3);
        QCOMPARE(grid->currentIndex().row(), 3);
        QCOMPARE(grid->verticalScrollBar()->value(), scroll);
        QCOMPARE(control<QLineEdit>(QStringLiteral("Edit4"))->text(), QStringLiteral("成？"));
        QCOMPARE(dataset("ADOQuery1")->recordCount(), 5);
    }

    void movingThroughTheIdiomListUpdatesEveryView()
    {
        click(QStringLiteral("fltbtn6"));
        auto *grid = control<QTableView>(QStringLiteral("DBGrid1"));
        grid->setFocus();
        for (int row : {1, 4, 0}) {
            grid->setCurrentIndex(grid->model()->index(row, 0));
            QCOMPARE(control<QLabel>(QStringLiteral("idiomViewName"))->text(), QStringLiteral("成语%1").arg(row));
            QCOMPARE(control<QLabel>(QStringLiteral("idiomViewSpell"))->text(), QStringLiteral("chéng yǔ %1").arg(row));
            QCOMPARE(control<QPlainTextEdit>(QStringLiteral("idiomMemoDerivation"))->toPlainText(),
                     QStringLiteral("出处%1").arg(row));
            QCOMPARE(control<QPlainTextEdit>(QStringLiteral("idiomMemoContent"))->toPlainText(),
                     QStringLiteral("意思%1").arg(row));
            QCOMPARE(control<QPlainTextEdit>(QStringLiteral("idiomMemoSamples"))->toPlainText(),
                     QStringLiteral("示例%1").arg(row));
        }
    }

    // clang-format off
    void wheelMovesOnlyStandardGrids_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("datasetName");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QList<int>>("rows");
        // Towards the user (negative delta) moves down, away moves up, one row per notch.
        QTest::newRow("idiom grid") << "fltbtn6" << "DBGrid1" << "DBGrid1" << "ADOQuery1"
                                    << QList<int>{-120, -120, 120} << QList<int>{1, 2, 1};
        QTest::newRow("xiehouyu grid") << "fltbtn7" << "DBGrid3" << "DBGrid3" << "ADOQuery3"
                                       << QList<int>{-120, -120, 120} << QList<int>{1, 1, 0};
        QTest::newRow("character grid") << "fltbtn4" << "dxDBGrid1" << "dxDBGrid1" << "ADOQuery2"
                                        << QList<int>{-120, -120} << QList<int>{0, 0};
        QTest::newRow("keyword box") << "fltbtn6" << "Edit4" << "DBGrid1" << "ADOQuery1"
                                     << QList<int>{-120, 120} << QList<int>{0, 0};
        // Another window under the mouse scrolls itself; the grid keeps its row.
        QTest::newRow("lexicon window") << "fltbtn6" << "DBGrid1" << "TForm9/webbrowser1" << "ADOQuery1"
                                        << QList<int>{-120, -120} << QList<int>{0, 0};
        QTest::newRow("mode list's drop-down") << "fltbtn6" << "DBGrid1" << "ComboBox2/popup" << "ADOQuery1"
                                               << QList<int>{-120, 120} << QList<int>{0, 0};
    }
    // clang-format on
    void wheelMovesOnlyStandardGrids()
    {
        QFETCH(QString, section);
        QFETCH(QString, focus);
        QFETCH(QString, target);
        QFETCH(QString, datasetName);
        QFETCH(QList<int>, deltas);
        QFETCH(QList<int>, rows);
        click(section);
        store::Dataset *data = dataset(datasetName);
        data->setCurrentRow(0);
        control(focus)->setFocus();
        QCOMPARE(m_main->focusWidget(), control(focus));
        QWidget *under = nullptr;
        if (target == QStringLiteral("ComboBox2/popup")) {
            auto *list = control<QComboBox>(QStringLiteral("ComboBox2"));
            list->showPopup();
            under = list->view()->viewport();
        } else if (target.startsWith(QStringLiteral("TForm9/"))) {
            click(QStringLiteral("FlatButton1"));
            under = anyControl(target);
        } else {
            under = control<QTableView>(target)->viewport();
        }
        QVERIFY(under);
        for (int i = 0; i < deltas.size(); ++i) {
            wheel(under, deltas.at(i));
            QCOMPARE(data->currentRow(), rows.at(i));
        }
        control<QComboBox>(QStringLiteral("ComboBox2"))->hidePopup();
        m_application->windows().lexicon()->hide();
    }

    // clang-format off
    void emptyResultEmptiesEveryView_data()
    {
        QTest::addColumn<QString>("datasetName");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("views");
        QTest::newRow("character") << "ADOQuery2" << "select * from hz where name = \"无\"" << "dxDBGrid1"
                                   << names("charViewSpell charViewName charViewPart charViewWbcode charViewPartstrokes "
                                            "charViewStrokes charViewAreacode dbtxturl dbmemocontent");
        QTest::newRow("word") << "ADOQuery5" << "select * from dict where word like \"%无%\"" << "DBGrid5"
                              << names("wordViewWord wordViewOrd wordViewSpell wordMemoContent");
        QTest::newRow("idiom") << "ADOQuery1" << "select * from cy where name like \"%无%\"" << "DBGrid1"
                               << names("idiomViewName idiomViewSpell idiomMemoDerivation idiomMemoContent "
                                        "idiomMemoSamples");
        QTest::newRow("xiehouyu") << "ADOQuery3" << "select * from xhy where name like \"%无%\"" << "DBGrid3"
                                  << names("DBText11 DBText12");
        QTest::newRow("english") << "ADOQuery7" << "select * from 英语单词 where 单词 = \"none\"" << "DBGrid7"
                                 << names("englishViewWord englishViewExplanation");
        QTest::newRow("sayings") << "ADOQuery4" << "select * from mylib where name like \"%无%\"" << "DBGrid4"
                                 << names("sayingsViewPerson sayingsViewSaying");
    }
    // clang-format on
    void emptyResultEmptiesEveryView()
    {
        QFETCH(QString, datasetName);
        QFETCH(QString, query);
        QFETCH(QString, grid);
        QFETCH(QStringList, views);
        store::Dataset *data = dataset(datasetName);
        const QString base = data->queryText();
        auto text = [this](const QString &name) {
            QWidget *view = control(name);
            if (auto *memo = qobject_cast<QPlainTextEdit *>(view))
                return memo->toPlainText();
            return qobject_cast<QLabel *>(view)->text();
        };
        for (const QString &view : views)
            QVERIFY2(!text(view).isEmpty(), qPrintable(view));
        data->clearQuery();
        data->appendQuery(query);
        data->open();
        QCOMPARE(control<QTableView>(grid)->model()->rowCount(), 0);
        for (const QString &view : views)
            QVERIFY2(text(view).isEmpty(), qPrintable(view));
        data->clearQuery();
        data->appendQuery(base);
        data->open();
        QVERIFY(!text(views.constFirst()).isEmpty());
    }

    // A text longer than its view's box scrolls inside the box and shows whole on hover; the box
    // stays inside its area and its text never runs over a picture beside it.
    // clang-format off
    void longTextsStayInTheirBoxes_data()
    {
        using namespace Qt::StringLiterals;
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("datasetName");
        QTest::addColumn<QString>("create");
        QTest::addColumn<QVariantList>("row");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("picture"); // beside the box, never under its text
        const QString line = QString(60, QChar(0x957F));
        const QString text = QStringList(12, QStringLiteral("every word of a long entry")).join(u' ');
        const QString hz = QStringLiteral("CREATE TABLE hz(name, oldname, spell, part, sum, partstrokes, strokes, "
                                          "wbcode, areacode, pycode, content, url)");
        const QString dict = QStringLiteral("CREATE TABLE dict(ID INTEGER, word, ord, spell, content)");
        const QString cy = QStringLiteral("CREATE TABLE cy(name, spell, pyjm, content, derivation, samples)");
        const QString xhy = QStringLiteral("CREATE TABLE xhy(name, end1)");
        const QString en = QStringLiteral("CREATE TABLE 英语单词(单词, 解释)");
        const QString my = QStringLiteral("CREATE TABLE mylib(name, derivation)");
        const QString no;
        QTest::newRow("character spell") << "fltbtn4" << "ADOQuery2" << hz
                                         << QVariantList{u"一"_s, u"一"_s, text, u"一"_s, u"0"_s, u"1"_s, u"1"_s, u"g"_s, u"1"_s, u"yi "_s, u"x"_s, u""_s}
                                         << "charViewSpell" << no << no;
        QTest::newRow("wubi code") << "fltbtn4" << "ADOQuery2" << hz
                                   << QVariantList{u"一"_s, u"一"_s, u"yī"_s, u"一"_s, u"0"_s, u"1"_s, u"1"_s, text, u"1"_s, u"yi "_s, u"x"_s, u""_s}
                                   << "charViewWbcode" << no << no;
        QTest::newRow("word") << "fltbtn5" << "ADOQuery5" << dict << QVariantList{1, line, u"x"_s, u"x"_s, u"x"_s}
                              << "wordViewWord" << no << "imgWord";
        QTest::newRow("word spell") << "fltbtn5" << "ADOQuery5" << dict << QVariantList{1, u"x"_s, u"x"_s, text, u"x"_s}
                                    << "wordViewSpell" << no << "imgWord";
        QTest::newRow("idiom spell") << "fltbtn6" << "ADOQuery1" << cy << QVariantList{u"x"_s, text, u"x"_s, u"x"_s, u"x"_s, u"x"_s}
                                     << "idiomViewSpell" << no << no;
        QTest::newRow("first half") << "fltbtn7" << "ADOQuery3" << xhy << QVariantList{line, u"x"_s} << "DBText11"
                                    << "点下复制" << "imgXiehouyu";
        QTest::newRow("second half") << "fltbtn7" << "ADOQuery3" << xhy << QVariantList{u"x"_s, line + line}
                                     << "DBText12" << "点下复制" << "imgXiehouyu";
        QTest::newRow("english word") << "fltbtn8" << "ADOQuery7" << en << QVariantList{text, u"x"_s}
                                      << "englishViewWord" << no << "imgEnglish";
        QTest::newRow("english explanation") << "fltbtn8" << "ADOQuery7" << en << QVariantList{u"take"_s, text}
                                             << "englishViewExplanation" << no << "imgEnglish";
        QTest::newRow("person") << "fltbtn12" << "ADOQuery4" << my << QVariantList{u"x"_s, text} << "sayingsViewPerson"
                                << no << "imgSayings";
        QTest::newRow("saying") << "fltbtn12" << "ADOQuery4" << my << QVariantList{text, u"王朗"_s}
                                << "sayingsViewSaying" << no << "imgSayings";
    }
    // clang-format on
    void longTextsStayInTheirBoxes()
    {
        QFETCH(QString, button);
        QFETCH(QString, datasetName);
        QFETCH(QString, create);
        QFETCH(QVariantList, row);
        QFETCH(QString, view);
        QFETCH(QString, hint);
        QFETCH(QString, picture);
        click(button);
        store::Dataset *data = dataset(datasetName);
        const QString connection = data->connectionText();
        const QString base = data->queryText();
        auto reopen = [data](const QString &connectionText, const QString &query) {
            data->setConnectionText(connectionText);
            data->clearQuery();
            data->appendQuery(query);
            data->open();
            QApplication::processEvents();
        };
        const QString store = m_dir->filePath(
            QStringLiteral("long-%1.db").arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-')));
        test::makeStore(store, create, data->table(), {row});
        reopen(store::connectionText(store, QStringLiteral("pw")), QStringLiteral("select * from ") + data->table());

        auto *label = control<QLabel>(view);
        QVERIFY(label);
        auto *box = qobject_cast<QScrollArea *>(label->parentWidget()->parentWidget());
        QVERIFY(box);
        QWidget *area = box->parentWidget();
        QVERIFY2(area->rect().contains(box->geometry()), qPrintable(view));
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(label->toolTip(), hint.isEmpty() ? label->text() : label->text() + QStringLiteral("\n\n") + hint);
        // Where the text lies, in the area's coordinates: the label's contents, as far as the box shows.
        const QRect textPlace
            = QRect(box->mapTo(area, label->contentsRect().topLeft() + label->pos()), label->contentsRect().size())
                  .intersected(box->geometry());
        if (!picture.isEmpty())
            QVERIFY(!textPlace.intersects(control(picture)->geometry()));

        // Back on the usual store, a short text needs no scrolling and the hover shows the hint only.
        reopen(connection, base);
        QCOMPARE(box->verticalScrollBar()->maximum(), 0);
        QCOMPARE(label->toolTip(), hint);
    }

    // clang-format off
    void confirmedCommandsOpenTheirAddress_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("address");
        const QString site = app::service::siteUrl();
        const QString mail = app::service::mailUrl();
        QTest::newRow("软件升级") << "fltbtn14" << "是否确认？\r\n\r\n访问软件网站？" << site;
        QTest::newRow("联系作者") << "fltbtn23" << "是否确认？\r\n\r\n联系软件作者？" << mail;
        QTest::newRow("访问软件网站") << "mniVisitSite" << "是否确认？\r\n\r\n访问软件网站？" << site;
        QTest::newRow("联系软件作者") << "mniContactAuthor" << "是否确认？\r\n\r\n联系软件作者？" << mail;
        QTest::newRow("QQ line") << "lblQQ" << "是否确认？\r\n\r\n启动QQ，与作者会话？" << app::service::chatUrl();
        QTest::newRow("web line") << "lblWeb" << "是否确认？\r\n\r\n访问软件网站？" << site;
        QTest::newRow("e-mail line") << "lblEmail" << "是否确认？\r\n\r\n联系软件作者？" << mail;
        QTest::newRow("studio line") << "lblStudio" << "是否确认？\r\n\r\n访问软件网站？" << site;
        QTest::newRow("more: program") << "TForm5/btnProgram3" << "是否确认？\r\n\r\n访问老青禾工作室软件网站？" << site;
        QTest::newRow("more: footer text") << "TForm5/lblFooter2" << "是否确认？\r\n\r\n访问老青禾工作室软件网站？"
                                           << site;
        QTest::newRow("more: header panel") << "TForm5/pnlHeader" << "是否确认？\r\n\r\n访问老青禾工作室软件网站？"
                                            << site;
    }
    // clang-format on
    void confirmedCommandsOpenTheirAddress()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, question);
        QFETCH(QString, address);
        auto fire = [&] {
            QWidget *in = m_main;
            QString name = trigger;
            if (trigger.startsWith(QStringLiteral("TForm5/"))) {
                in = m_application->windows().more();
                name = trigger.mid(7);
            }
            if (auto *action = m_main->findChild<QAction *>(name))
                action->trigger();
            else if (auto *button = in->findChild<QAbstractButton *>(name))
                button->click();
            else
                QTest::mouseClick(control(name, in), Qt::LeftButton);
        };
        for (const bool yes : {false, true}) {
            m_messages->clear();
            const qsizetype opened = m_shell->opened().size();
            m_messages->answerNext(yes);
            fire();
            QCOMPARE(m_messages->shown().size(), 1);
            QCOMPARE(m_messages->lastKind(), Messages::Kind::Confirmation);
            QCOMPARE(m_messages->lastText(), question);
            if (yes)
                QCOMPARE(m_shell->opened().mid(opened), QStringList{address});
            else
                QCOMPARE(m_shell->opened().size(), opened);
            QVERIFY(m_main->isVisible());
        }
    }

    void serviceBarComesOutAsTheWindowWidens()
    {
        QWidget *topBar = control(QStringLiteral("FlatPanel5"));
        auto reachable = [&](const char *name) {
            QWidget *button = control(QString::fromLatin1(name));
            const QPoint centre = button->mapTo(topBar, button->rect().center());
            return topBar->childAt(centre) == button;
        };
        const QSize designed = m_main->size();
        for (const char *name : {"fltbtn22", "fltbtn14", "fltbtn23"})
            QVERIFY(!reachable(name));
        m_main->resize(1025, designed.height());
        QTRY_COMPARE(m_main->centralWidget()->width(), 1025);
        for (const char *name : {"fltbtn22", "fltbtn14", "fltbtn23"})
            QVERIFY2(reachable(name), name);
        // Only "在线辞海" is reachable where the online dictionary button lies.
        QVERIFY(reachable("FlatButton1"));
        m_main->resize(designed);
        QTRY_COMPARE(m_main->centralWidget()->width(), 794);
    }

    void pagesFollowTheWindowWhileFixedControlsStay()
    {
        click(QStringLiteral("fltbtn6"));
        QWidget *page = control(QStringLiteral("FlatPanel1"));
        QWidget *grid = control(QStringLiteral("DBGrid1"));
        const QSize pageBefore = page->size();
        const QSize gridBefore = grid->size();
        const QRect boxBefore = control(QStringLiteral("Edit4"))->geometry();
        QCOMPARE(pageBefore, QSize(762, 491));
        const QSize designed = m_main->size();
        m_main->resize(designed + QSize(200, 100));
        QTRY_COMPARE(page->size(), pageBefore + QSize(200, 100));
        QCOMPARE(grid->width(), gridBefore.width());
        QCOMPARE(grid->height(), gridBefore.height() + 100);
        QCOMPARE(control(QStringLiteral("Edit4"))->geometry(), boxBefore);
        m_main->resize(designed);
        QTRY_COMPARE(page->size(), pageBefore);
    }

    // clang-format off
    void controlsCarryTheirTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("edit2") << "edit2" << "这里输入搜索关键字" << "";
        QTest::newRow("Edit6") << "Edit6" << "这里输入搜索关键字" << "";
        QTest::newRow("Edit9") << "Edit9" << "这里输入搜索关键字" << "";
        QTest::newRow("PDJButton1") << "PDJButton1" << "搜索" << "";
        QTest::newRow("PDJButton4") << "PDJButton4" << "说明" << "";
        QTest::newRow("PDJButton9") << "PDJButton9" << "英汉模式" << "";
        QTest::newRow("PDJButton15") << "PDJButton15" << "模糊查找" << "";
        QTest::newRow("PDJButton24") << "PDJButton24" << "模糊搜索" << "";
        QTest::newRow("pdjbtn1") << "pdjbtn1" << "查笔顺" << "";
        QTest::newRow("PDJButton8") << "PDJButton8" << "按字母表顺序排列" << "";
        QTest::newRow("PDJButton19") << "PDJButton19" << "【按照升序排列】" << "";
        QTest::newRow("PDJButton20") << "PDJButton20" << "按字母升序排列" << "";
        QTest::newRow("btnRefreshHz") << "btnRefreshHz" << "刷新显示全部汉字" << "";
        QTest::newRow("btnRefreshCy") << "btnRefreshCy" << "【刷新显示全部】" << "";
        QTest::newRow("btnRefreshXhy") << "btnRefreshXhy" << "刷新全部歇后语" << "";
        QTest::newRow("PDJButton33") << "PDJButton33" << "" << "复制解释";
        QTest::newRow("PDJButton26") << "PDJButton26" << "" << "读音";
        QTest::newRow("PDJButton23") << "PDJButton23" << "" << "";
        QTest::newRow("DBText12") << "DBText12" << "有名无实" << "点下复制";
        QTest::newRow("fltbtn11") << "fltbtn11" << "在线辞典-暂时隐藏" << "";
        QTest::newRow("fltbtn13") << "fltbtn13" << "退出软件" << "";
        // The bar's hints name the keys that open the sections, in bar order.
        QTest::newRow("fltbtn4") << "fltbtn4" << "明川字典" << "明川字典（Ctrl+1）";
        QTest::newRow("fltbtn9") << "fltbtn9" << "名句欣赏" << "名句欣赏（Ctrl+6）";
        QTest::newRow("fltbtn5") << "fltbtn5" << "明川词典" << "明川词典（Ctrl+7）";
        QTest::newRow("FlatButton1") << "FlatButton1" << "在线辞海" << "在线辞海（Ctrl+8）";
        // Menus carry access keys after their texts.
        QTest::newRow("mnuSpeech") << "mnuSpeech" << "语音引擎(&S)" << "";
        QTest::newRow("mnuDatabase") << "mnuDatabase" << "数据库扩充(&D)" << "";
        QTest::newRow("mniExtensionNote") << "mniExtensionNote" << "扩充说明(&E)" << "";
    }
    // clang-format on
    void controlsCarryTheirTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        if (auto *action = m_main->findChild<QAction *>(name)) {
            QCOMPARE(action->text(), text);
            return;
        }
        QWidget *widget = control(name);
        QVERIFY(widget);
        QString shown;
        if (auto *menu = qobject_cast<QMenu *>(widget))
            shown = menu->title();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown = button->text();
        else if (auto *box = qobject_cast<QLineEdit *>(widget))
            shown = box->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            shown = label->text();
        QCOMPARE(shown, text);
        QCOMPARE(widget->toolTip(), hint);
    }

    // clang-format off
    void modeListsHoldTheirItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("items");
        QTest::newRow("combobox1") << "combobox1"
                                   << "直接输入汉字检索 按部首检索 按部首笔划数 按全字笔划数 按拼音字母精确检索 "
                                      "按拼音字母模糊检索";
        QTest::newRow("ComboBox2") << "ComboBox2"
                                   << "按成语名称检索 按成语拼音检索 按成语释义检索 按成语出处检索 按成语示例检索";
        QTest::newRow("ComboBox3") << "ComboBox3" << "按模糊查询 按前段查询 按后段查询";
    }
    // clang-format on
    void modeListsHoldTheirItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, items);
        auto *list = control<QComboBox>(name);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->itemText(i));
        QCOMPARE(shown, items.split(QLatin1Char(' ')));
        QCOMPARE(list->currentIndex(), 0);
        QVERIFY(!list->isEditable());
    }

    void classicsListsAndViewsLieInTheirOrder()
    {
        click(QStringLiteral("fltbtn9"));
        auto *titles = control<QListWidget>(QStringLiteral("FlatListBoxExt1"));
        auto *buttons = control<QListWidget>(QStringLiteral("DCOutBarVertListView7"));
        for (QListWidget *list : {titles, buttons}) {
            QCOMPARE(list->count(), 37);
            QCOMPARE(list->item(0)->text(), QStringLiteral("国学经典名句一"));
            QCOMPARE(list->item(36)->text(), QStringLiteral("万年历"));
        }
        // The title list covers the button-style list, the reader view the loader view.
        QWidget *group = control(QStringLiteral("DCOutBarGroup7"));
        QWidget *top = group->childAt(group->rect().center());
        QVERIFY(top == titles || titles->isAncestorOf(top));
        QWidget *reader = control(QStringLiteral("WebBrowser2"));
        QWidget *loader = control(QStringLiteral("WebBrowser1"));
        QVERIFY(reader->isVisible());
        QWidget *area = reader->parentWidget();
        const QPoint inLoader = loader->geometry().center();
        QWidget *shown = area->childAt(inLoader);
        QVERIFY(shown == reader || reader->isAncestorOf(shown));
    }

    void extensionNoteIsAPlainMessage()
    {
        control<QAction>(QStringLiteral("mniExtensionNote"))->trigger();
        QCOMPARE(m_messages->shown().size(), 1);
        QCOMPARE(m_messages->lastKind(), Messages::Kind::Plain);
        QVERIFY(m_messages->lastText().startsWith(QStringLiteral("词汇巨量，不断添加！\r\n")));
    }

    void licenceNoticeIsCompiledIn()
    {
        QFile notice(app::LicenceDialog::noticePath());
        QVERIFY(notice.open(QIODevice::ReadOnly));
        QVERIFY(notice.size() > 0);
        QVERIFY(m_main->findChild<QAction *>(QStringLiteral("mniLicences")));
    }

    void secondaryWindowsOpenFromTheBar()
    {
        QWidget *more = m_application->windows().more();
        click(QStringLiteral("fltbtn22"));
        QVERIFY(more->isVisible());
        click(QStringLiteral("fltbtn22"));
        QVERIFY(more->isVisible());
        more->close();
        QVERIFY(!more->isVisible());

        QWidget *lexicon = m_application->windows().lexicon();
        click(QStringLiteral("FlatButton1"));
        QVERIFY(lexicon->isVisible());
        QCOMPARE(lexicon->pos(), m_main->frameGeometry().topLeft() + app::LexiconWindow::offsetFromMainWindow());
        QCOMPARE(control<QAbstractButton>(QStringLiteral("btnClose"), lexicon)->toolTip(), QStringLiteral("关闭"));
        QTest::mouseClick(control(QStringLiteral("pnlUpperOverlay"), lexicon), Qt::LeftButton);
        QVERIFY(m_messages->shown().isEmpty());
        QTest::mouseClick(control(QStringLiteral("pnlLowerOverlay"), lexicon), Qt::LeftButton);
        QCOMPARE(m_messages->shown().size(), 1);
        QCOMPARE(m_messages->lastText(), QStringLiteral("功能未启用-青禾工作室"));
        // The overlays stop clicks only: the wheel and the keys reach the page beneath them.
        auto *view = control(QStringLiteral("webbrowser1"), lexicon);
        QTRY_VERIFY(view->focusProxy());
        QTRY_VERIFY(view->hasFocus());
        // The page's keyword box has the keys, so typing goes into it at once.
        auto *page = qobject_cast<web::HtmlView *>(view);
        QVERIFY(page);
        QTRY_COMPARE(test::evaluate(*page, QStringLiteral("document.activeElement ? document.activeElement.name : ''"))
                         .toString(),
                     QStringLiteral("q"));
        WheelCounter counter;
        view->focusProxy()->installEventFilter(&counter);
        for (const char *overlay : {"pnlLowerOverlay", "pnlUpperOverlay"})
            wheel(control(QString::fromLatin1(overlay), lexicon), -120);
        QCOMPARE(counter.wheels, 2);
        control<QAbstractButton>(QStringLiteral("btnClose"), lexicon)->click();
        QVERIFY(!lexicon->isVisible());
    }

    void windowsCentreOverTheirOwnerOnlyWhenFirstShown()
    {
        QWidget owner;
        owner.setGeometry(100, 100, 400, 300);
        owner.show();
        QWidget window;
        window.resize(100, 80);
        app::centreOverOnFirstShow(&window, &owner);
        window.show();
        QCOMPARE(window.pos(), owner.frameGeometry().center() - window.rect().center());
        window.hide();
        window.move(5, 5);
        window.show();
        QCOMPARE(window.pos(), QPoint(5, 5));
    }

    // clang-format off
    void keysOpenSectionsAndFocusTheirFirstBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Ctrl+1") << int(Qt::Key_1) << "FlatPanel4" << "edit2";
        QTest::newRow("Ctrl+2") << int(Qt::Key_2) << "FlatPanel1" << "Edit4";
        QTest::newRow("Ctrl+3") << int(Qt::Key_3) << "FlatPanel7" << "Edit1";
        QTest::newRow("Ctrl+4") << int(Qt::Key_4) << "FlatPanel8" << "Edit6";
        QTest::newRow("Ctrl+5") << int(Qt::Key_5) << "FlatPanel2" << "Edit8";
        QTest::newRow("Ctrl+6") << int(Qt::Key_6) << "FlatPanel12" << "FlatListBoxExt1";
        QTest::newRow("Ctrl+7") << int(Qt::Key_7) << "FlatPanel14" << "Edit10";
        QTest::newRow("Ctrl+8") << int(Qt::Key_8) << "TForm9/" << "TForm9/webbrowser1";
    }
    // clang-format on
    void keysOpenSectionsAndFocusTheirFirstBox()
    {
        QFETCH(int, key);
        QFETCH(QString, page);
        QFETCH(QString, focus);
        activateMain();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_main, Qt::Key(key),
                        Qt::ControlModifier);
        QWidget *shown = anyControl(page);
        QTRY_VERIFY(shown->isVisible());
        if (!page.contains(QLatin1Char('/')))
            QCOMPARE(visiblePages(), QStringList{page});
        QWidget *focused = anyControl(focus);
        QTRY_VERIFY(focused->hasFocus());
        // Typing replaces what the box holds (the placeholder at first) at once.
        if (auto *box = qobject_cast<QLineEdit *>(focused)) {
            const QString held = box->text();
            QCOMPARE(box->selectedText(), held);
            QTest::keyClicks(box, QStringLiteral("ma"));
            QCOMPARE(box->text(), QStringLiteral("ma"));
            box->setText(held);
        }
        QVERIFY(m_messages->shown().isEmpty());
        m_application->windows().lexicon()->hide();
    }

    void escapeClosesSecondaryWindows_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("更多精彩") << "TForm5";
        QTest::newRow("在线字典词典") << "TForm6";
        QTest::newRow("笔顺") << "TForm7";
        QTest::newRow("在线辞海") << "TForm9";
        QTest::newRow("部首") << "TForm4";
    }
    void escapeClosesSecondaryWindows()
    {
        QFETCH(QString, window);
        QWidget *shown = anyControl(window + QLatin1Char('/'));
        QVERIFY(shown);
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused && focused->window() == shown ? focused : shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
        QVERIFY(m_main->isVisible());
    }

    void windowIsNeverSmallerThanDesigned()
    {
        const QSize designed = m_main->size();
        // What the window manager enforces, and what a resize from the program gets.
        QCOMPARE(m_main->windowHandle()->minimumSize(), designed);
        m_main->resize(280, 487);
        QCOMPARE(m_main->size(), designed);
        QCOMPARE(m_main->centralWidget()->size(), QSize(794, 614));
    }

    void barButtonsLookAlike()
    {
        // A point low in the button, clear of icon and caption, as the bar shows it.
        QWidget *bar = control(QStringLiteral("FlatPanel3"));
        auto look = [bar](QWidget *button, bool hovered) {
            button->setAttribute(Qt::WA_UnderMouse, hovered);
            const QImage image = bar->grab().toImage();
            button->setAttribute(Qt::WA_UnderMouse, false);
            return image.pixelColor(button->pos() + QPoint(4, 60));
        };
        QWidget *usual = control(QStringLiteral("fltbtn5"));
        for (const char *name : {"fltbtn4", "fltbtn9", "FlatButton1"}) {
            for (const bool hovered : {false, true}) {
                const QColor expected = look(usual, hovered);
                const QColor colour = look(control(QString::fromLatin1(name)), hovered);
                const int difference
                    = qMax(qAbs(colour.red() - expected.red()),
                           qMax(qAbs(colour.green() - expected.green()), qAbs(colour.blue() - expected.blue())));
                QVERIFY2(difference < 8,
                         qPrintable(QStringLiteral("%1 hovered %2: %3 against %4")
                                        .arg(QString::fromLatin1(name))
                                        .arg(hovered)
                                        .arg(colour.name(), expected.name())));
            }
        }
    }

    void placeholdersShowWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<int>("pixels");
        QTest::newRow("edit2") << "edit2" << QRect(16, 70, 121, 27) << 19;
        QTest::newRow("Edit4") << "Edit4" << QRect(225, 16, 137, 27) << 19;
        QTest::newRow("Edit1") << "Edit1" << QRect(172, 30, 181, 27) << 19;
        QTest::newRow("Edit10") << "Edit10" << QRect(40, 28, 177, 27) << 19;
        QTest::newRow("Edit6") << "Edit6" << QRect(120, 20, 161, 24) << 16;
        QTest::newRow("Edit8") << "Edit8" << QRect(360, 17, 209, 24) << 16;
    }
    void placeholdersShowWhole()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(int, pixels);
        auto *box = control<QLineEdit>(name);
        QCOMPARE(box->geometry(), place);
        const QString placeholder = QStringLiteral("这里输入搜索关键字");
        box->setText(placeholder);
        box->setCursorPosition(0);
        // The right edge of the box lies beyond the placeholder's last character.
        QCOMPARE(box->cursorPositionAt(QPoint(box->width() - 4, box->height() / 2)), placeholder.size());
        // Typed text shows in the box's designed size.
        const QFont fitted = box->font();
        box->setText(QStringLiteral("一"));
        QCOMPARE(box->font().pixelSize(), pixels);
        box->setText(placeholder);
        QCOMPARE(box->font(), fitted);
    }

    void closeBoxEndsWithoutAsking()
    {
        QVERIFY(m_main->close());
        QVERIFY(m_messages->shown().isEmpty());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void exitAsksAndEndsOnlyOnYes()
    {
        m_messages->answerNext(false);
        click(QStringLiteral("fltbtn13"));
        QCOMPARE(m_messages->lastText(), QStringLiteral("是否确认？\r\n\r\n马上退出软件！"));
        QVERIFY(m_main->isVisible());
        m_messages->answerNext(true);
        click(QStringLiteral("fltbtn13"));
        QVERIFY(!m_main->isVisible());
    }
};

int main(int argc, char *argv[])
{
    web::registerSchemes();
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
