// Keyword rules the store-driven search test cannot reach: byte splitting of radical keywords,
// what counts as a number, and the radical table itself.
#include "search/radicals.h"
#include "search/searchtable.h"

#include <QTest>

using namespace mc::search;
using namespace Qt::Literals::StringLiterals;

class TestSearchTable final : public QObject {
    Q_OBJECT
private slots:
    void searchableKeyword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("searched");
        QTest::newRow("ordinary") << u"成？上 a%_\\"_s << u"成？上 a%_\\"_s;
        QTest::newRow("nul first") << u"\u0000abc"_s << u"abc"_s;
        QTest::newRow("tabs and line breaks") << u"a\tb\r\nc\u007f\u0085"_s << u"abc"_s;
        QTest::newRow("pair kept") << u"𠀀x"_s << u"𠀀x"_s;
        QTest::newRow("lone high surrogate") << QString(QChar(0xD840)) + u"x"_s << u"x"_s;
        QTest::newRow("lone low surrogate") << u"x"_s + QString(QChar(0xDC00)) << u"x"_s;
        QTest::newRow("pair reversed") << QString(QChar(0xDC00)) + QString(QChar(0xD840)) << QString();
        QTest::newRow("ideographic space kept") << u"\u3000"_s << u"\u3000"_s;
    }
    void searchableKeyword()
    {
        QFETCH(QString, typed);
        QFETCH(QString, searched);
        QCOMPARE(mc::search::searchableKeyword(typed), searched);
    }

    void queryText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("query"); // empty: the search does not run
        QTest::newRow("radical 12") << 1 << u"口12"_s << u"select * from hz where part = \"口\" and sum=\"12\""_s;
        QTest::newRow("two characters") << 1 << u"木木"_s << u"select * from hz where part = \"木\" and sum=\"木\""_s;
        QTest::newRow("two bytes") << 1 << u"ab"_s << u"select * from hz where part = \"ab\""_s;
        QTest::newRow("quote in strokes")
            << 1 << u"口\"1"_s << u"select * from hz where part = \"口\" and sum=\"\"\"1\""_s;
        QTest::newRow("placeholder-like keyword")
            << 1 << u"{radical}"_s << u"select * from hz where part = \"{r\" and sum=\"ad\""_s;
        QTest::newRow("strokes with blanks") << 3 << u" 8 "_s << u"select * from hz where strokes= 8 "_s;
        QTest::newRow("strokes injected") << 3 << u"8 or 1=1"_s << QString();
    }

    void queryText()
    {
        QFETCH(int, mode);
        QFETCH(QString, keyword);
        QFETCH(QString, query);
        const SearchEntry *entry = findSearch(SearchButton::Character, mode);
        QVERIFY(entry);
        QCOMPARE(buildQuery(*entry, keyword, QLocale::c()).value_or(QString()), query);
    }

    void number_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("number");
        QTest::newRow("blanks and sign") << u"  -12 "_s << u"C"_s << true;
        QTest::newRow("exponent") << u"1e2"_s << u"C"_s << true;
        QTest::newRow("fraction") << u"1.5"_s << u"C"_s << true;
        QTest::newRow("comma where point") << u"1,5"_s << u"C"_s << false;
        QTest::newRow("comma where comma") << u"1,5"_s << u"de_DE"_s << true;
        QTest::newRow("full-width digit") << u"８"_s << u"zh_CN"_s << false;
        QTest::newRow("blanks only") << u"   "_s << u"C"_s << false;
        QTest::newRow("sign only") << u"-"_s << u"C"_s << false;
        QTest::newRow("bare exponent") << u"1e"_s << u"C"_s << false;
        QTest::newRow("infinity") << u"inf"_s << u"C"_s << false;
        QTest::newRow("group separator") << u"1,000"_s << u"en_US"_s << false;
        QTest::newRow("trailing quote") << u"8\""_s << u"C"_s << false;
    }

    void number()
    {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(bool, number);
        QCOMPARE(readsAsNumber(text, QLocale(locale)), number);
    }

    void radicalTable()
    {
        QCOMPARE(radicalList().size(), 329);
        QCOMPARE(radicalList().count(QString()), 73);
        const QList<std::tuple<int, int, QString>> cells
            = {{0, 0, u"丶"_s},   {0, 7, QString()}, {3, 0, u"口"_s},    {8, 16, u"毋"_s},   {8, 17, QString()},
               {17, 17, u"幹"_s}, {18, 4, u"龠"_s},  {18, 5, QString()}, {18, 17, QString()}};
        for (const auto &[row, column, text] : cells)
            QCOMPARE(radicalAt(row, column), text);
        for (const RadicalGroup &group : radicalGroups())
            QVERIFY(!radicalAt(group.firstRow, 0).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchTable)
#include "tst_searchtable.moc"
