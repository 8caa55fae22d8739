// The searches, the radical picker and the list buttons driven through the real main window.
#include "app/application.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/messages.h"
#include "search/texts.h"
#include "store/dataset.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTest>

using namespace mc;
using namespace Qt::Literals::StringLiterals;
namespace texts = mc::search::texts;

class TestSearchWindow final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::WorkingFolder> m_folder;
    std::unique_ptr<RecordingMessages> m_messages;
    std::unique_ptr<app::Application> m_app;

    QWidget *main() { return m_app->windows().main; }
    template <class T>
    T *find(const QString &name)
    {
        T *found = main()->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit *box(const QString &name) { return find<QLineEdit>(name); }
    QAbstractButton *button(const QString &name) { return find<QAbstractButton>(name); }
    store::Dataset *dataset(const QString &name) { return find<store::Dataset>(name); }
    QAbstractButton *buttonCaptioned(const QString &caption)
    {
        for (QAbstractButton *b : main()->findChildren<QAbstractButton *>()) {
            if (b->text() == caption)
                return b;
        }
        qFatal("no button %s", qPrintable(caption));
    }
    QStringList names(store::Dataset *d, const QString &column = u"name"_s)
    {
        QStringList list;
        for (int i = 0; d->isOpen() && i < d->recordCount(); ++i)
            list.append(d->keyValue(i, column));
        return list;
    }
    void setKeyword(const QString &name, const QString &keyword) { box(name)->setText(keyword); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        m_folder = std::make_unique<test::WorkingFolder>();
        m_messages = std::make_unique<RecordingMessages>();
        m_app = std::make_unique<app::Application>();
        QVERIFY(m_app->start());
        QVERIFY(QTest::qWaitForWindowExposed(main()));
    }

    void cleanupTestCase()
    {
        m_app.reset();
        m_messages.reset();
        m_folder.reset();
    }

    void init() { m_messages->clear(); }

    void placeholderClick()
    {
        QLineEdit *edit = box(u"Edit4"_s);
        QCOMPARE(edit->text(), texts::kPlaceholder);
        // Reaching the box by keyboard keeps the placeholder, and a search then asks for a keyword.
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), texts::kPlaceholder);
        const QString before = dataset(u"ADOQuery1"_s)->queryText();
        QTest::mouseClick(button(u"PDJButton3"_s), Qt::LeftButton);
        QCOMPARE(m_messages->lastText(), texts::kEnterKeyword);
        QCOMPARE(m_messages->lastKind(), Messages::Kind::Information);
        QCOMPARE(dataset(u"ADOQuery1"_s)->queryText(), before);
        QCOMPARE(dataset(u"ADOQuery1"_s)->recordCount(), 18);

        QVERIFY(edit->palette().color(QPalette::Text) != QColor(Qt::black));
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::black));
        QTest::keyClicks(edit, u"x"_s);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), u"x"_s);
    }

    // Enter in a keyword box runs that box's own search button.
    void enterKey_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("queryHas"); // what the search the box runs asks for
        QTest::newRow("edit2") << u"edit2"_s << u"ADOQuery2"_s << int(Qt::NoModifier) << u"from hz"_s;
        QTest::newRow("edit2 shift") << u"edit2"_s << u"ADOQuery2"_s << int(Qt::ShiftModifier) << u"from hz"_s;
        QTest::newRow("Edit1 ctrl") << u"Edit1"_s << u"ADOQuery3"_s << int(Qt::ControlModifier) << u"from xhy"_s;
        QTest::newRow("Edit4") << u"Edit4"_s << u"ADOQuery1"_s << int(Qt::NoModifier) << u"from cy"_s;
        QTest::newRow("Edit6 exact") << u"Edit6"_s << u"ADOQuery7"_s << int(Qt::NoModifier) << u"单词 ="_s;
        QTest::newRow("Edit8") << u"Edit8"_s << u"ADOQuery4"_s << int(Qt::NoModifier) << u"mylib where name"_s;
        QTest::newRow("Edit9 persons") << u"Edit9"_s << u"ADOQuery4"_s << int(Qt::NoModifier) << u"derivation like"_s;
        QTest::newRow("Edit10") << u"Edit10"_s << u"ADOQuery5"_s << int(Qt::NoModifier) << u"from dict"_s;
    }

    void enterKey()
    {
        QFETCH(QString, box);
        QFETCH(QString, dataset);
        QFETCH(int, modifiers);
        QFETCH(QString, queryHas);
        store::Dataset *d = this->dataset(dataset);
        const QString before = d->queryText();
        QStringList opened;
        const QMetaObject::Connection watch = connect(d, &store::Dataset::reset, this, [&] {
            if (d->isOpen())
                opened.append(d->queryText());
        });
        const auto unwatch = qScopeGuard([&] { disconnect(watch); });
        setKeyword(box, u"?"_s);
        QTest::keyClick(this->box(box), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QVERIFY(!opened.isEmpty());
        // The search itself; a search that finds nothing may reopen the whole list after it.
        QVERIFY2(opened.constFirst().contains(queryHas), qPrintable(opened.join(u'\n')));
        opened.clear();
        QTest::keyClick(this->box(box), Qt::Key_Enter, Qt::KeyboardModifiers(modifiers) | Qt::KeypadModifier);
        QVERIFY(!opened.isEmpty());
        if (d->queryText() != before) {
            d->clearQuery();
            d->appendQuery(before);
            d->open();
        }
    }

    void searchesThroughTheWindow_data()
    {
        QTest::addColumn<QString>("modeControl");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("message");

        QTest::newRow("idiom pinyin") << u"ComboBox2"_s << 1 << u"Edit4"_s << u"q?b?"_s << u"PDJButton3"_s
                                      << u"ADOQuery1"_s << u"select * from cy where pyjm like \"%q？b？%\""_s
                                      << QString();
        QTest::newRow("sayings") << QString() << 0 << u"Edit8"_s << u"千里"_s << u"PDJButton21"_s << u"ADOQuery4"_s
                                 << u"select * from mylib where name like \"%千里%\""_s << QString();
        QTest::newRow("xiehouyu second half")
            << u"ComboBox3"_s << 2 << u"Edit1"_s << u"无能"_s << u"PDJButton5"_s << u"ADOQuery3"_s
            << u"select * from xhy where end1 like \"%无能%\""_s << QString();
        QTest::newRow("english fuzzy") << QString() << 0 << u"Edit6"_s << u"ch"_s << u"PDJButton15"_s << u"ADOQuery7"_s
                                       << u"select * from 英语单词 where 单词 like \"%ch%\""_s << u"符合条件记录4条"_s;
        QTest::newRow("persons") << QString() << 0 << u"Edit9"_s << u"杜甫"_s << u"PDJButton24"_s << u"ADOQuery4"_s
                                 << u"select * from mylib where derivation like \"%杜甫%\""_s << QString();
        QTest::newRow("word none") << QString() << 0 << u"Edit10"_s << u"龙"_s << u"PDJButton27"_s << u"ADOQuery5"_s
                                   << u"select * from dict where word like \"%龙%\""_s
                                   << u"关键字 龙 没有搜索到结果！"_s;
    }

    void searchesThroughTheWindow()
    {
        QFETCH(QString, modeControl);
        QFETCH(int, mode);
        QFETCH(QString, box);
        QFETCH(QString, keyword);
        QFETCH(QString, button);
        QFETCH(QString, dataset);
        QFETCH(QString, query);
        QFETCH(QString, message);
        if (!modeControl.isEmpty())
            find<QComboBox>(modeControl)->setCurrentIndex(mode);
        setKeyword(box, keyword);
        QTest::mouseClick(this->button(button), Qt::LeftButton);
        QCOMPARE(this->dataset(dataset)->queryText(), query);
        QCOMPARE(m_messages->lastText(), message);
        if (!modeControl.isEmpty())
            find<QComboBox>(modeControl)->setCurrentIndex(0);
    }

    void directionAndHelp()
    {
        QAbstractButton *direction = button(u"PDJButton9"_s);
        store::Dataset *english = dataset(u"ADOQuery7"_s);
        const QString before = english->queryText();
        QCOMPARE(direction->text(), texts::kEnglishToChinese);
        QTest::mouseClick(direction, Qt::LeftButton);
        QCOMPARE(direction->text(), texts::kChineseToEnglish);
        QCOMPARE(english->queryText(), before);
        setKeyword(u"Edit6"_s, u"筷子"_s);
        QTest::mouseClick(button(u"PDJButton10"_s), Qt::LeftButton);
        QCOMPARE(english->queryText(), u"select * from 英语单词 where 解释 = \"筷子\""_s);
        QCOMPARE(names(english, u"单词"_s), QStringList{u"chopsticks"_s});
        QCOMPARE(m_messages->lastText(), u"符合条件记录1条"_s);
        QTest::mouseClick(direction, Qt::LeftButton);
        QCOMPARE(direction->text(), texts::kEnglishToChinese);
        QCOMPARE(names(english, u"单词"_s), QStringList{u"chopsticks"_s});

        QTest::mouseClick(button(u"PDJButton4"_s), Qt::LeftButton);
        QCOMPARE(m_messages->lastText(), texts::kIdiomHelp);
        QCOMPARE(m_messages->lastKind(), Messages::Kind::Information);
        QTest::mouseClick(button(u"PDJButton6"_s), Qt::LeftButton);
        QCOMPARE(m_messages->lastText(), texts::kXiehouyuHelp);
    }

    void radicalPicker()
    {
        auto *modes = find<QComboBox>(u"combobox1"_s);
        QWidget *picker = m_app->windows().radicalPicker();
        store::Dataset *characters = dataset(u"ADOQuery2"_s);
        setKeyword(u"edit2"_s, u"kept"_s);
        const QString before = characters->queryText();
        modes->setFocus();
        modes->setCurrentIndex(0);
        QTest::keyClick(modes, Qt::Key_Down); // the user picks item 1
        QCOMPARE(modes->currentIndex(), 1);
        QVERIFY(picker->isVisible());
        QVERIFY(!picker->isModal());
        QCOMPARE(box(u"edit2"_s)->text(), u"kept"_s);
        QCOMPARE(characters->queryText(), before);

        // Confirming at once writes the first radical and starts nothing.
        QTest::mouseClick(picker->findChild<QAbstractButton *>(u"Button1"_s), Qt::LeftButton);
        QVERIFY(!picker->isVisible());
        QCOMPARE(box(u"edit2"_s)->text(), u"丶"_s);
        QCOMPARE(characters->queryText(), before);

        // 口 and 3: the search looks for part 口 and sum 3.
        QTest::keyClick(modes, Qt::Key_Up);
        QVERIFY(!picker->isVisible());
        QTest::keyClick(modes, Qt::Key_Down);
        QVERIFY(picker->isVisible());
        auto *table = picker->findChild<QTableWidget *>(u"StringGrid1"_s);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(3, 0)).center());
        auto *strokes = picker->findChild<QLineEdit *>(u"edit1"_s);
        QTest::mouseClick(strokes, Qt::LeftButton);
        QTest::keyClicks(strokes, u"3"_s);
        QTest::mouseClick(picker->findChild<QAbstractButton *>(u"Button1"_s), Qt::LeftButton);
        QCOMPARE(box(u"edit2"_s)->text(), u"口3"_s);
        QTest::mouseClick(button(u"PDJButton1"_s), Qt::LeftButton);
        QCOMPARE(characters->queryText(), u"select * from hz where part = \"口\" and sum=\"3\""_s);
        QCOMPARE(names(characters), (QStringList{u"吃"_s, u"吗"_s}));

        QTest::keyClick(modes, Qt::Key_Up);
        QCOMPARE(modes->currentIndex(), 0);
    }

    void orderButtons_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("refresh");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("character") << u"PDJButton8"_s << texts::kRefreshCharacters << u"ADOQuery2"_s
                                   << QStringList{texts::kByAlphabet, texts::kByStrokeCount, texts::kByAlphabet,
                                                  texts::kByStrokeCount};
        QTest::newRow("idiom") << u"PDJButton19"_s << texts::kRefreshIdioms << u"ADOQuery1"_s
                               << QStringList{texts::kIdiomOrderStart, texts::kAscending, texts::kDescending,
                                              texts::kAscending};
        QTest::newRow("xiehouyu") << u"PDJButton20"_s << texts::kRefreshXiehouyu << u"ADOQuery3"_s
                                  << QStringList{texts::kAlphabetAscending, texts::kAlphabetDescending,
                                                 texts::kAlphabetAscending, texts::kAlphabetDescending};
    }

    void orderButtons()
    {
        QFETCH(QString, order);
        QFETCH(QString, refresh);
        QFETCH(QString, dataset);
        QFETCH(QStringList, captions);
        QAbstractButton *orderButton = button(order);
        store::Dataset *d = this->dataset(dataset);
        QTest::mouseClick(buttonCaptioned(refresh), Qt::LeftButton);
        const QStringList storeOrder = names(d);
        QCOMPARE(orderButton->text(), captions.at(0));
        for (int click = 1; click <= 3; ++click) {
            QTest::mouseClick(orderButton, Qt::LeftButton);
            QCOMPARE(orderButton->text(), captions.at(click));
            QCOMPARE(names(d).size(), storeOrder.size());
            QVERIFY(names(d) != storeOrder);
        }
        // A refresh brings back the store's order; the caption stays.
        QTest::mouseClick(buttonCaptioned(refresh), Qt::LeftButton);
        QCOMPARE(names(d), storeOrder);
        QCOMPARE(orderButton->text(), captions.at(3));
        QVERIFY(m_messages->shown().isEmpty());
    }

    void sortAfterStrokeSearchWithoutNumber()
    {
        auto *modes = find<QComboBox>(u"combobox1"_s);
        store::Dataset *characters = dataset(u"ADOQuery2"_s);
        QAbstractButton *order = button(u"PDJButton8"_s);
        QTest::mouseClick(order, Qt::LeftButton);
        const QString caption = order->text();
        // A search after a sort lists in the store's order; the caption stays.
        modes->setCurrentIndex(2);
        setKeyword(u"edit2"_s, u"4"_s);
        QTest::mouseClick(button(u"PDJButton1"_s), Qt::LeftButton);
        QCOMPARE(names(characters), u"木 水 永 村 林 树 森 您 长 离 烪 珲"_s.split(u' '));
        QCOMPARE(order->text(), caption);

        modes->setCurrentIndex(3);
        setKeyword(u"edit2"_s, u"十"_s);
        QTest::mouseClick(button(u"PDJButton1"_s), Qt::LeftButton);
        QVERIFY(m_messages->shown().isEmpty());
        QVERIFY(!characters->isOpen());
        QTest::mouseClick(order, Qt::LeftButton);
        QCOMPARE(m_messages->shown().size(), 1);
        QCOMPARE(m_messages->lastKind(), Messages::Kind::Error);
        QCOMPARE(order->text(), caption);
        QTest::mouseClick(buttonCaptioned(texts::kRefreshCharacters), Qt::LeftButton);
        QCOMPARE(characters->recordCount(), 47);
        QCOMPARE(box(u"edit2"_s)->text(), u"十"_s);
        QCOMPARE(modes->currentIndex(), 3);
        modes->setCurrentIndex(0);
    }
};

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
