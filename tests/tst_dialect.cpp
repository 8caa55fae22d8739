#include "core/error.h"
#include "store/dialect.h"

#include <QTest>

using namespace mc;
using store::translateQuery;

class TestDialect final : public QObject {
    Q_OBJECT
private slots:
    void translates_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QVariantList>("params");

        QTest::newRow("whole table") << QStringLiteral("select * from hz") << QStringLiteral("hz") << QString()
                                     << QVariantList{};
        QTest::newRow("cjk names") << QStringLiteral("select * from 英语单词 where 单词 like \"%app%\"")
                                   << QStringLiteral("英语单词") << QStringLiteral("\"单词\" LIKE ?")
                                   << QVariantList{QStringLiteral("%app%")};
        QTest::newRow("numeric range") << QStringLiteral("select * from dict where ID>362993 and ID<363036")
                                       << QStringLiteral("dict") << QStringLiteral("\"ID\" > ? AND \"ID\" < ?")
                                       << QVariantList{qlonglong(362993), qlonglong(363036)};
        QTest::newRow("text equality ignores case")
            << QStringLiteral("SELECT * FROM hz WHERE part = \"口\" and sum = \"3\"") << QStringLiteral("hz")
            << QStringLiteral("\"part\" = ? COLLATE NOCASE AND \"sum\" = ? COLLATE NOCASE")
            << QVariantList{QStringLiteral("口"), QStringLiteral("3")};
        QTest::newRow("full-width question mark is one character")
            << QStringLiteral("select * from cy where name like \"%成？上？%\"") << QStringLiteral("cy")
            << QStringLiteral("\"name\" LIKE ?") << QVariantList{QStringLiteral("%成_上_%")};
        QTest::newRow("doubled quote is a quote")
            << QStringLiteral("select * from cy where name like \"%成\"\"千%\"") << QStringLiteral("cy")
            << QStringLiteral("\"name\" LIKE ?") << QVariantList{QStringLiteral("%成\"千%")};
        QTest::newRow("blanks stay in the literal")
            << QStringLiteral("select * from xhy where name like \"%   %\" or end1 like \"%   %\"")
            << QStringLiteral("xhy") << QStringLiteral("\"name\" LIKE ? OR \"end1\" LIKE ?")
            << QVariantList{QStringLiteral("%   %"), QStringLiteral("%   %")};
        QTest::newRow("statement-like keyword stays data")
            << QStringLiteral("select * from cy where name like \"%x; drop table cy%\"") << QStringLiteral("cy")
            << QStringLiteral("\"name\" LIKE ?") << QVariantList{QStringLiteral("%x; drop table cy%")};
        QTest::newRow("parentheses") << QStringLiteral("select * from hz where (part = \"木\") and strokes = 8")
                                     << QStringLiteral("hz")
                                     << QStringLiteral("(\"part\" = ? COLLATE NOCASE) AND \"strokes\" = ?")
                                     << QVariantList{QStringLiteral("木"), qlonglong(8)};
        // Every way a number may be typed reaches the store as that number.
        const struct {
            const char *name;
            const char16_t *literal;
            QVariant value;
        } numbers[] = {{"plus sign", u"+8", qlonglong(8)},
                       {"minus sign", u"-8", qlonglong(-8)},
                       {"leading point", u".5", 0.5},
                       {"trailing point", u"5.", 5.0},
                       {"exponent", u"1e1", 10.0},
                       {"signed exponent", u"-.5E+1", -5.0},
                       {"blanks around", u"  8  ", qlonglong(8)}};
        for (const auto &number : numbers)
            QTest::newRow(number.name) << QStringLiteral("select * from hz where strokes=")
                    + QString::fromUtf16(number.literal)
                                       << QStringLiteral("hz") << QStringLiteral("\"strokes\" = ?")
                                       << QVariantList{number.value};
    }
    void translates()
    {
        QFETCH(QString, query);
        QFETCH(QString, table);
        QFETCH(QString, where);
        QFETCH(QVariantList, params);
        const store::TranslatedQuery t = translateQuery(query);
        QCOMPARE(t.table, table);
        QCOMPARE(t.where, where);
        QCOMPARE(t.params, params);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("empty") << QString();
        QTest::newRow("delete") << QStringLiteral("delete from hz");
        QTest::newRow("columns") << QStringLiteral("select name from hz");
        QTest::newRow("two statements") << QStringLiteral("select * from hz; delete from hz");
        QTest::newRow("unterminated literal") << QStringLiteral("select * from hz where name = \"a");
        QTest::newRow("unquoted keyword") << QStringLiteral("select * from hz where strokes = 1 or 1");
        QTest::newRow("comment") << QStringLiteral("select * from hz -- x");
        QTest::newRow("subquery") << QStringLiteral("select * from hz where name = (select 1)");
        QTest::newRow("number in like") << QStringLiteral("select * from hz where name like 5");
        QTest::newRow("trailing junk") << QStringLiteral("select * from hz where name = \"a\" \"b\"");
        QTest::newRow("decimal comma") << QStringLiteral("select * from hz where strokes=1,5");
        QTest::newRow("bare exponent") << QStringLiteral("select * from hz where strokes=1e");
        QTest::newRow("two points") << QStringLiteral("select * from hz where strokes=1.2.3");
        QTest::newRow("lone point") << QStringLiteral("select * from hz where strokes=.");
        QTest::newRow("too large") << QStringLiteral("select * from hz where strokes=1e999");
    }
    void refuses()
    {
        QFETCH(QString, query);
        try {
            translateQuery(query);
            QFAIL("accepted");
        } catch (const Error &e) {
            QVERIFY(!e.text().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
