// Finding characters by their parts and making practice sheets, on the full stores in data/.
//   bench_learn [picks]   random picks of one to four components (2,000)
// Parts: every pick through the index, beside a plain scan of every character's parts (held in
// memory) for the same pick, in the same run. Sheets: the 100 most frequent characters as a PDF
// (stroke data and readings read from the stores, then drawn), beside a PDF of as many pages
// holding only their header.
#include "learn/partsindex.h"
#include "learn/practicesheet.h"
#include "learn/sheetsource.h"
#include "services/strokes.h"
#include "store/storefile.h"
#include "timing.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

using namespace mc;
using mc::bench::cpuMs;
using mc::bench::percentile;
using namespace mc::learn;

namespace {

void benchParts(const QString &data, int count)
{
    QElapsedTimer load;
    load.start();
    const PartsIndex index(data);
    const double loadMs = double(load.nsecsElapsed()) / 1e6;

    QStringList order;
    QList<std::map<QString, int>> deep;
    store::readRows(PartsIndex::fileIn(data), QStringLiteral("SELECT ch, deep FROM parts ORDER BY ord"), {},
                    [&](const store::Statement &row) {
                        order.append(row.text(0));
                        std::map<QString, int> counts;
                        for (const QString &c : codePoints(row.text(1)))
                            ++counts[c];
                        deep.append(counts);
                    });
    // Half the picks from the panel (what a user clicks), half from one character's parts.
    const QList<Component> panel = index.panel();
    QRandomGenerator random(7);
    QList<QStringList> picks;
    while (picks.size() < count) {
        QStringList pick;
        const int n = 1 + random.bounded(4);
        const auto &source = deep.at(random.bounded(int(deep.size())));
        for (int k = 0; k < n; ++k) {
            if (picks.size() % 2 == 0 || source.empty()) {
                pick.append(panel.at(random.bounded(int(panel.size()))).text);
            } else {
                auto it = source.begin();
                std::advance(it, random.bounded(int(source.size())));
                pick.append(it->first);
            }
        }
        picks.append(pick);
    }
    QList<double> wall, cpu, scan;
    qsizetype found = 0;
    for (const QStringList &pick : picks) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        found += index.search(pick).size();
        wall.append(double(t.nsecsElapsed()) / 1e6);
        cpu.append(cpuMs() - c0);
        std::map<QString, int> wanted;
        for (const QString &p : pick)
            ++wanted[p];
        t.restart();
        QStringList plain;
        for (qsizetype i = 0; i < order.size(); ++i) {
            const auto &have = deep.at(i);
            if (std::all_of(wanted.begin(), wanted.end(), [&](const auto &w) {
                    const auto h = have.find(w.first);
                    return h != have.end() && h->second >= w.second;
                }))
                plain.append(order.at(i));
        }
        scan.append(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("parts index: %d characters, %lld components, loaded in %.1f ms\n", index.size(),
                qsizetype(index.panel(-1).size()), loadMs);
    std::printf("%lld picks of 1-4 components, %.1f characters found on average\n", picks.size(),
                double(found) / double(picks.size()));
    std::printf("  %-28s median %7.3f ms   p95 %7.3f ms   max %7.3f ms\n", "index search (wall)", percentile(wall, 0.5),
                percentile(wall, 0.95), percentile(wall, 1.0));
    std::printf("  %-28s median %7.3f ms   p95 %7.3f ms\n", "index search (processor)", percentile(cpu, 0.5),
                percentile(cpu, 0.95));
    std::printf("  %-28s median %7.3f ms   p95 %7.3f ms\n", "plain scan (wall)", percentile(scan, 0.5),
                percentile(scan, 0.95));
    std::printf("  scan / index: median %.0fx, p95 %.0fx\n", percentile(scan, 0.5) / percentile(wall, 0.5),
                percentile(scan, 0.95) / percentile(wall, 0.95));
}

void benchSheet(const QString &data)
{
    QStringList chars;
    store::readRows(PartsIndex::fileIn(data), QStringLiteral("SELECT ch FROM parts ORDER BY ord LIMIT 100"), {},
                    [&](const store::Statement &row) { chars.append(row.text(0)); });
    const QString strokes = QDir(data).filePath(QStringLiteral("strokes.db"));
    QTemporaryDir dir;
    QList<double> loadMs, drawMs, totalMs, cpu, blankMs;
    int pages = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        const QList<SheetCharacter> sheetChars = loadSheetCharacters(
            chars, data, [&strokes](const QString &c) { return services::strokeData(strokes, c); });
        const double loaded = double(t.nsecsElapsed()) / 1e6;
        const PracticeSheet sheet(sheetChars, SheetOptions());
        pages = sheet.writePdf(dir.filePath(QStringLiteral("sheet.pdf")));
        const double total = double(t.nsecsElapsed()) / 1e6;
        cpu.append(cpuMs() - c0);
        loadMs.append(loaded);
        drawMs.append(total - loaded);
        totalMs.append(total);
        // The fixed cost: the same number of pages with a line of text each.
        t.restart();
        QPdfWriter blank(dir.filePath(QStringLiteral("blank.pdf")));
        blank.setResolution(600);
        PracticeSheet::useA4(blank);
        QPainter painter(&blank);
        for (int p = 0; p < pages; ++p) {
            if (p > 0)
                blank.newPage();
            painter.drawText(100, 100, QStringLiteral("字帖 %1").arg(p));
        }
        painter.end();
        blankMs.append(double(t.nsecsElapsed()) / 1e6);
    }
    const qint64 size = QFileInfo(dir.filePath(QStringLiteral("sheet.pdf"))).size();
    std::printf("practice sheet: 100 most frequent characters, %d pages, %.0f KB (median of 5 runs)\n", pages,
                double(size) / 1024.0);
    std::printf("  %-28s %8.1f ms\n", "read strokes and readings", percentile(loadMs, 0.5));
    std::printf("  %-28s %8.1f ms\n", "draw and write the PDF", percentile(drawMs, 0.5));
    std::printf("  %-28s %8.1f ms  (processor %.1f ms)\n", "whole sheet", percentile(totalMs, 0.5),
                percentile(cpu, 0.5));
    std::printf("  %-28s %8.1f ms  (sheet / blank %.1fx)\n", "blank pages, header only", percentile(blankMs, 0.5),
                percentile(totalMs, 0.5) / percentile(blankMs, 0.5));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString data = QStringLiteral("data");
    if (!QFileInfo::exists(PartsIndex::fileIn(data))) {
        std::printf("bench_learn: no data/parts.db (make stores)\n");
        return 0;
    }
    const int picks = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    benchParts(data, picks > 0 ? picks : 2000);
    benchSheet(data);
    return 0;
}
