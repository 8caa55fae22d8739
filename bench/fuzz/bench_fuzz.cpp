// The keyword fuzz run of tests/tst_fuzz at full size: a million random keywords (and the hostile
// list) through the searches on the full stores in data/. Prints the cases run, every statement
// shape seen, errors and messages by kind, and the time. Run from the project root:
//   bench_fuzz [--cases N] [--seconds S] [--seed N]
// --seconds stops early and reports what has run. The stores are compared byte for byte after.
#include "support/keywordfuzz.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <csignal>

namespace {
volatile std::sig_atomic_t g_stop = 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char *name, qint64 fallback) {
        const qsizetype at = args.indexOf(QLatin1StringView(name));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toLongLong() : fallback;
    };
    const qint64 cases = option("--cases", 1000000);
    const qint64 seconds = option("--seconds", 0);
    const quint32 seed = quint32(option("--seed", 20261209));
    std::signal(SIGINT, [](int) { g_stop = 1; });
    std::signal(SIGTERM, [](int) { g_stop = 1; });

    QTextStream out(stdout);
    const auto before = mc::test::fileDigests(QStringLiteral("data"));
    QElapsedTimer wall;
    wall.start();
    mc::test::FuzzReport report;
    qint64 keywords = 0;
    {
        mc::test::KeywordFuzz fuzz(false, 1);
        for (const QString &keyword : mc::test::hostileKeywords()) {
            for (int i = 0; i < 21; ++i)
                fuzz.run(keyword, report);
            ++keywords;
        }
        mc::test::KeywordSource source(seed);
        while (report.cases < cases && !g_stop && (seconds == 0 || wall.elapsed() < seconds * 1000)) {
            fuzz.run(source.next(), report);
            ++keywords;
            if (report.cases % 50000 == 0) {
                out << "  " << report.cases << " cases, " << wall.elapsed() / 1000 << " s" << Qt::endl;
            }
        }
    }
    const bool unchanged = mc::test::fileDigests(QStringLiteral("data")) == before;

    out << "cases (keyword × search): " << report.cases << " from " << keywords << " keywords\n";
    out << "time: " << QString::number(wall.elapsed() / 1000.0, 'f', 1) << " s wall, "
        << QString::number(report.seconds, 'f', 1) << " s in searches, "
        << QString::number(report.seconds * 1000.0 / qMax<qint64>(1, report.cases), 'f', 2) << " ms a case\n";
    out << "statement shapes seen: " << report.shapes.size() << " (expected set "
        << "from plain searches; unexpected: " << report.unexpectedShapes.size() << ")\n";
    for (auto it = report.shapes.cbegin(); it != report.shapes.cend(); ++it)
        out << "  " << it.value() << "\t" << it.key() << '\n';
    out << "errors by kind: " << (report.errors.isEmpty() ? "none" : "") << '\n';
    for (auto it = report.errors.cbegin(); it != report.errors.cend(); ++it)
        out << "  " << it.value() << "\t" << it.key() << '\n';
    out << "refused or reported without a search:\n";
    for (auto it = report.messages.cbegin(); it != report.messages.cend(); ++it)
        out << "  " << it.value() << "\t" << it.key() << '\n';
    out << "foreign failures: " << report.foreignFailures.size() << '\n';
    out << "stores byte-identical afterwards: " << (unchanged ? "yes" : "NO") << Qt::endl;
    return report.unexpectedShapes.isEmpty() && report.foreignFailures.isEmpty() && unchanged ? 0 : 1;
}
