// Random and hostile keywords through every search on the fixture stores: each statement must be
// one the plain searches prepare, every failure the program's own error, and the stores unchanged.
#include "search/searchtable.h"
#include "support/keywordfuzz.h"
#include "support/testsupport.h"

#include <QTest>

using namespace mc;

class TestFuzz final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::WorkingFolder> m_folder;

    static QString summary(const test::FuzzReport &report)
    {
        QStringList lines{QStringLiteral("cases %1, %2 s").arg(report.cases).arg(report.seconds, 0, 'f', 1)};
        for (const QString &shape : report.unexpectedShapes)
            lines.append(QStringLiteral("unexpected statement: ") + shape);
        for (const QString &failure : report.foreignFailures.mid(0, 5))
            lines.append(QStringLiteral("foreign failure: ") + failure);
        for (auto it = report.errors.cbegin(); it != report.errors.cend(); ++it)
            lines.append(QStringLiteral("error %1 × %2").arg(it.key()).arg(it.value()));
        return lines.join(QLatin1Char('\n'));
    }

    void check(const test::FuzzReport &report)
    {
        QVERIFY2(report.unexpectedShapes.isEmpty(), qPrintable(summary(report)));
        QVERIFY2(report.foreignFailures.isEmpty(), qPrintable(summary(report)));
        // The keyword is always data: no search of any keyword may fail in the store. The one
        // refusal is a stroke count no number can hold (1e400), which the query reader names.
        for (const QString &error : report.errors.keys())
            QVERIFY2(error.startsWith(QStringLiteral("查询语句有误：无效的数字")), qPrintable(summary(report)));
        for (const QString &shape : report.shapes.keys())
            QVERIFY2(shape.startsWith(QLatin1String("SELECT ")), qPrintable(shape));
    }

private slots:
    void initTestCase() { m_folder = std::make_unique<test::WorkingFolder>(); }
    void cleanupTestCase() { m_folder.reset(); }

    void hostileKeywordsThroughEverySearch()
    {
        const auto before = test::fileDigests(QStringLiteral("data"));
        test::FuzzReport report;
        const QStringList hostile = test::hostileKeywords();
        QVERIFY(hostile.size() > 60);
        {
            test::KeywordFuzz fuzz(true);
            for (const QString &keyword : hostile)
                fuzz.run(keyword, report);
        }
        check(report);
        QCOMPARE(report.cases, hostile.size() * search::searches().size());
        QCOMPARE(test::fileDigests(QStringLiteral("data")), before);
    }

    void randomKeywordsThroughEverySearch()
    {
        const auto before = test::fileDigests(QStringLiteral("data"));
        test::FuzzReport report;
        {
            // Each keyword goes to the next search in turn, so every search and mode sees about
            // a thousand of them.
            test::KeywordFuzz fuzz(true, 1);
            test::KeywordSource source(20261209);
            for (int i = 0; i < 21000; ++i)
                fuzz.run(source.next(), report);
        }
        check(report);
        qInfo().noquote() << summary(report) << "\nstatement shapes:" << report.shapes.size();
        QCOMPARE(test::fileDigests(QStringLiteral("data")), before);
    }
};

QTEST_GUILESS_MAIN(TestFuzz)
#include "tst_fuzz.moc"
