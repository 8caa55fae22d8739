// Query texts of every search, the keyword rules behind them, and the radical table.
#include "search/radicals.h"
#include "search/searchtable.h"

#include <QTest>

using namespace mc::search;
using namespace Qt::Literals::StringLiterals;

class TestSearchTable final : public QObject {
    Q_OBJECT
private slots:
    void queryText_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("query"); // empty: the search does not run

        auto row = [](const char *name, const char *button, int mode, const QString &keyword, const QString &query) {
            QTest::newRow(name) << QString::fromLatin1(button) << mode << keyword << query;
        };
        row("character", "PDJButton1", 0, u"口"_s, u"select * from hz where name = \"口\""_s);
        row("radical alone", "PDJButton1", 1, u"口"_s, u"select * from hz where part = \"口\""_s);
        row("radical 3", "PDJButton1", 1, u"口3"_s, u"select * from hz where part = \"口\" and sum=\"3\""_s);
        row("radical 12", "PDJButton1", 1, u"口12"_s, u"select * from hz where part = \"口\" and sum=\"12\""_s);
        row("radical 123", "PDJButton1", 1, u"口123"_s, u"select * from hz where part = \"口\" and sum=\"12\""_s);
        row("radical typed twice", "PDJButton1", 1, u"木木"_s, u"select * from hz where part = \"木\" and sum=\"木\""_s);
        row("radical two letters", "PDJButton1", 1, u"ab"_s, u"select * from hz where part = \"ab\""_s);
        row("radical quote in strokes", "PDJButton1", 1, u"口\"1"_s,
            u"select * from hz where part = \"口\" and sum=\"\"\"1\""_s);
        row("radical strokes hold a placeholder", "PDJButton1", 1, u"{radical}"_s,
            u"select * from hz where part = \"{r\" and sum=\"ad\""_s);
        row("radical strokes", "PDJButton1", 2, u"3"_s, u"select * from hz where partstrokes = \"3\""_s);
        row("strokes", "PDJButton1", 3, u"8"_s, u"select * from hz where strokes=8"_s);
        row("strokes with blanks", "PDJButton1", 3, u" 8 "_s, u"select * from hz where strokes= 8 "_s);
        row("strokes fraction", "PDJButton1", 3, u"7.5"_s, u"select * from hz where strokes=7.5"_s);
        row("strokes not a number", "PDJButton1", 3, u"十"_s, QString());
        row("strokes injected", "PDJButton1", 3, u"8 or 1=1"_s, QString());
        row("pinyin contains", "PDJButton1", 4, u"ma"_s, u"select * from hz where pycode like \"%ma%\""_s);
        row("pinyin equals", "PDJButton1", 5, u"ma"_s, u"select * from hz where pycode = \"ma \""_s);
        row("idiom name", "PDJButton3", 0, u"成？上？"_s, u"select * from cy where name like \"%成？上？%\""_s);
        row("idiom blanks", "PDJButton3", 0, u" "_s, u"select * from cy where name like \"% %\""_s);
        row("idiom quote", "PDJButton3", 0, u"成\"千"_s, u"select * from cy where name like \"%成\"\"千%\""_s);
        row("idiom pinyin", "PDJButton3", 1, u"qfbj"_s, u"select * from cy where pyjm like \"%qfbj%\""_s);
        row("idiom meaning", "PDJButton3", 2, u"多"_s, u"select * from cy where content like \"%多%\""_s);
        row("idiom source", "PDJButton3", 3, u"孟子"_s, u"select * from cy where derivation like \"%孟子%\""_s);
        row("idiom sample", "PDJButton3", 4, u"广场"_s, u"select * from cy where samples like \"%广场%\""_s);
        row("xiehouyu either", "PDJButton5", 0, u"阿斗"_s,
            u"select * from xhy where name like \"%阿斗%\"or end1 like \"%阿斗%\""_s);
        row("xiehouyu first", "PDJButton5", 1, u"阿斗"_s, u"select * from xhy where name like \"%阿斗%\""_s);
        row("xiehouyu second", "PDJButton5", 2, u"无能"_s, u"select * from xhy where end1 like \"%无能%\""_s);
        row("english exact", "PDJButton10", 0, u"cat"_s, u"select * from 英语单词 where 单词 = \"cat\""_s);
        row("chinese exact", "PDJButton10", 1, u"筷子"_s, u"select * from 英语单词 where 解释 = \"筷子\""_s);
        row("english fuzzy", "PDJButton15", 0, u"ca"_s, u"select * from 英语单词 where 单词 like \"%ca%\""_s);
        row("chinese fuzzy", "PDJButton15", 1, u"猫"_s, u"select * from 英语单词 where 解释 like \"%猫%\""_s);
        row("sayings", "PDJButton21", 0, u"千里"_s, u"select * from mylib where name like \"%千里%\""_s);
        row("persons", "PDJButton24", 0, u"王勃"_s, u"select * from mylib where derivation like \"%王勃%\""_s);
        row("word", "PDJButton27", 0, u"一心"_s, u"select * from dict where word like \"%一心%\""_s);
    }

    void queryText()
    {
        QFETCH(QString, button);
        QFETCH(int, mode);
        QFETCH(QString, keyword);
        QFETCH(QString, query);
        const SearchEntry *entry = findSearch(button, mode);
        QVERIFY(entry);
        const std::optional<QString> built = buildQuery(*entry, keyword, QLocale::c());
        QCOMPARE(built.value_or(QString()), query);
    }

    void everySearchIsInTheTable()
    {
        QCOMPARE(searches().size(), 21);
        for (const SearchEntry &entry : searches())
            QCOMPARE(findSearch(entry.button, entry.mode), &entry);
        QVERIFY(!findSearch(QStringLiteral("PDJButton1"), 6));
        QVERIFY(!findSearch(QStringLiteral("PDJButton9"), 0));
    }

    void questionMarks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("searched");
        QTest::newRow("half-width") << u"a?b?"_s << u"a？b？"_s;
        QTest::newRow("full-width kept") << u"a？b"_s << u"a？b"_s;
        QTest::newRow("only marks") << u"??"_s << u"？？"_s;
    }

    void questionMarks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, searched);
        QCOMPARE(normaliseQuestionMarks(typed), searched);
    }

    void number_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("number");
        QTest::newRow("digits") << u"8"_s << u"C"_s << true;
        QTest::newRow("blanks and sign") << u"  -12 "_s << u"C"_s << true;
        QTest::newRow("exponent") << u"1e2"_s << u"C"_s << true;
        QTest::newRow("fraction") << u"1.5"_s << u"C"_s << true;
        QTest::newRow("comma where point") << u"1,5"_s << u"C"_s << false;
        QTest::newRow("comma where comma") << u"1,5"_s << u"de_DE"_s << true;
        QTest::newRow("point where comma") << u"1.5"_s << u"de_DE"_s << false;
        QTest::newRow("chinese numeral") << u"十"_s << u"zh_CN"_s << false;
        QTest::newRow("full-width digit") << u"８"_s << u"zh_CN"_s << false;
        QTest::newRow("blanks only") << u"   "_s << u"C"_s << false;
        QTest::newRow("sign only") << u"-"_s << u"C"_s << false;
        QTest::newRow("bare exponent") << u"1e"_s << u"C"_s << false;
        QTest::newRow("infinity") << u"inf"_s << u"C"_s << false;
        QTest::newRow("group separator") << u"1,000"_s << u"en_US"_s << false;
        QTest::newRow("trailing text") << u"8\""_s << u"C"_s << false;
    }

    void number()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(bool, number);
        QCOMPARE(readsAsNumber(text, QLocale(locale)), number);
    }

    void reports()
    {
        QCOMPARE(successReport(Report::Matches, 12), u"符合条件记录12条"_s);
        QCOMPARE(successReport(Report::Found, 3), u"查到 3 条记录"_s);
        QVERIFY(successReport(Report::None, 3).isEmpty());
        QCOMPARE(noResultMessage(*findSearch(QStringLiteral("PDJButton27"), 0), u"a？"_s),
                 u"关键字 a？ 没有搜索到结果！"_s);
    }

    void radicalTable()
    {
        const QStringList &list = radicalList();
        QCOMPARE(list.size(), 329);
        QCOMPARE(list.count(QString()), 73);
        QCOMPARE(radicalAt(0, 0), u"丶"_s);
        QCOMPARE(radicalAt(0, 6), u"乙"_s);
        QCOMPARE(radicalAt(0, 7), QString());
        QCOMPARE(radicalAt(3, 0), u"口"_s);
        QCOMPARE(radicalAt(8, 16), u"毋"_s);
        QCOMPARE(radicalAt(8, 17), QString());
        QCOMPARE(radicalAt(17, 17), u"幹"_s);
        QCOMPARE(radicalAt(18, 4), u"龠"_s);
        QCOMPARE(radicalAt(18, 5), QString());
        QCOMPARE(radicalAt(18, 17), QString());
        // Every group starts on a new row.
        for (const RadicalGroup &group : radicalGroups())
            QVERIFY(!radicalAt(group.firstRow, 0).isEmpty());
    }

    void bands()
    {
        const QList<int> white = {0, 3, 4, 5, 9, 10, 13, 14, 16};
        for (int row = 0; row < kRadicalRows; ++row) {
            const Band band = bandOfRow(row);
            if (white.contains(row)) {
                QCOMPARE(band.background, QColor(255, 255, 255));
                QCOMPARE(band.text, QColor(100, 100, 100));
            } else {
                QCOMPARE(band.background, QColor(240, 240, 240));
                QCOMPARE(band.text, QColor(0, 0, 0));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSearchTable)
#include "tst_searchtable.moc"
