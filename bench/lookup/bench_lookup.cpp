// Every prefix of 1,000 real queries typed key by key into the quick lookup (first 50 hits and
// the count of all six groups per keystroke), beside the same keystrokes done as LIKE '%…%'
// scans over the stores in the same run. Needs the full stores and search.db in data/.
// Queries: 300 words of the frequency ranking, their pinyin, their initials, 100 English words.
//   bench_lookup [N]                 scans on every Nth keystroke (8)
//   bench_lookup --answers FILE      also writes every keystroke's answers (count and hits per group)
//   bench_lookup --compare FILE      and compares them with a file written so; exits 1 when they differ
#include "lookup/quicklookupindex.h"
#include "store/storefile.h"
#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace mc;
using mc::bench::cpuMs;
using mc::bench::percentile;
using namespace mc::lookup;

namespace {

// One line per keystroke and group: the text, the group, its count and the rowids of its hits.
QString answerLine(const QString &text, const GroupResult &r)
{
    QStringList rows;
    for (const Hit &h : r.hits)
        rows.append(QString::number(h.rowId));
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(text)
        .arg(groupInfo(r.store).indexSection)
        .arg(r.count)
        .arg(rows.join(u' '));
}

// Compares the answers with a file of earlier ones; prints the first differences.
bool sameAnswers(const QStringList &answers, const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::printf("compare: cannot read %s\n", qPrintable(file));
        return false;
    }
    const QStringList earlier = QString::fromUtf8(in.readAll()).split(u'\n', Qt::SkipEmptyParts);
    int differ = 0;
    for (qsizetype i = 0; i < std::max(answers.size(), earlier.size()); ++i) {
        if (answers.value(i) == earlier.value(i))
            continue;
        if (++differ <= 10)
            std::printf("  differs: now  %s\n           then %s\n", qPrintable(answers.value(i).left(160)),
                        qPrintable(earlier.value(i).left(160)));
    }
    std::printf("compare with %s: %lld answers now, %lld then, %d differ\n", qPrintable(file), answers.size(),
                earlier.size(), differ);
    return differ == 0;
}

QStringList column(const QString &file, const QString &sql)
{
    store::StoreFile store(file, false);
    store::Statement st(store, sql, {});
    QStringList out;
    while (st.next())
        out.append(st.text(0));
    return out;
}

// One scan per group over the columns the lookup searches, reading every matching row.
struct Scan {
    QString file, sql;
};

const QList<Scan> &scans()
{
    static const QList<Scan> list = {
        {QStringLiteral("data/xhb.db"), QStringLiteral("SELECT rowid FROM hz WHERE name LIKE ?1 OR pycode LIKE ?1")},
        {QStringLiteral("data/xhi.db"), QStringLiteral("SELECT rowid FROM dict WHERE word LIKE ?1 OR spell LIKE ?1")},
        {QStringLiteral("data/xhg.db"),
         QStringLiteral("SELECT rowid FROM cy WHERE name LIKE ?1 OR spell LIKE ?1 OR pyjm LIKE ?1")},
        {QStringLiteral("data/xhd.db"), QStringLiteral("SELECT rowid FROM xhy WHERE name LIKE ?1 OR end1 LIKE ?1")},
        {QStringLiteral("data/xhk.db"),
         QStringLiteral("SELECT rowid FROM 英语单词 WHERE 单词 LIKE ?1 OR 解释 LIKE ?1")},
        {QStringLiteral("data/xhe.db"), QStringLiteral("SELECT rowid FROM mylib WHERE name LIKE ?1")},
    };
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(QStringLiteral("data/search.db"))) {
        std::printf("bench_lookup: data/search.db missing; build the stores first\n");
        return 0;
    }
    // Every 8th keystroke also runs as scans: they take long enough that all of them would keep
    // the run going for a quarter of an hour.
    int scanEvery = 8;
    QString answersFile, compareFile;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--answers") && i + 1 < args.size())
            answersFile = args.at(++i);
        else if (args.at(i) == QLatin1String("--compare") && i + 1 < args.size())
            compareFile = args.at(++i);
        else if (args.at(i).toInt() > 0)
            scanEvery = args.at(i).toInt();
    }
    QRandomGenerator random(20261209);
    const QStringList topWords = column(
        QStringLiteral("data/search.db"),
        QStringLiteral(
            "SELECT coalesce(head, key) FROM entries WHERE sect = 1 AND length(key) BETWEEN 2 AND 4 ORDER BY ord "
            "LIMIT 20000"));
    const QStringList english = column(
        QStringLiteral("data/search.db"),
        QStringLiteral(
            "SELECT key FROM entries WHERE sect = 4 AND key GLOB '[a-z][a-z][a-z]*' AND key NOT GLOB '*[^a-z]*'"));
    store::StoreFile words(QStringLiteral("data/xhi.db"), false);
    QStringList queries;
    for (int i = 0; i < 300; ++i) {
        const QString word = topWords.at(random.bounded(int(std::min<qsizetype>(topWords.size(), 5000))));
        store::Statement spell(words, QStringLiteral("SELECT spell FROM dict WHERE word = ?"), {word});
        const QString reading = spell.next() ? spell.text(0) : QString();
        QString joined, initials;
        for (const QString &syllable : reading.split(u' ', Qt::SkipEmptyParts)) {
            const QString plain = syllable.normalized(QString::NormalizationForm_D)
                                      .remove(QRegularExpression(QStringLiteral("[^a-zA-Z\\x{00FC}]")))
                                      .toLower();
            joined += plain;
            initials += plain.left(1);
        }
        queries << word << joined << initials;
    }
    for (int i = 0; i < 100; ++i)
        queries << english.at(random.bounded(int(english.size())));
    queries.removeAll(QString());

    QuickLookupIndex index(QStringLiteral("data"));
    std::vector<std::unique_ptr<store::StoreFile>> stores;
    for (const Scan &s : scans())
        stores.push_back(std::make_unique<store::StoreFile>(s.file, false));
    index.warmUp(); // as the quick lookup does when its window opens

    QList<double> lookupMs, lookupCpuMs, lookupSampledMs, scanMs;
    QList<std::pair<double, QString>> slowest; // processor time, keystroke
    QMap<store::StoreId, QList<double>> groupMs;
    QStringList answers;
    int keystrokes = 0;
    QElapsedTimer t;
    for (const QString &q : std::as_const(queries)) {
        const QList<uint> chars = q.toUcs4();
        for (int n = 1; n <= chars.size(); ++n) {
            const QString prefix = QString::fromUcs4(reinterpret_cast<const char32_t *>(chars.constData()), n);
            const double cpuStart = cpuMs();
            t.start();
            const Query query = index.parse(prefix);
            double ms = double(t.nsecsElapsed()) / 1e6;
            for (const GroupInfo &info : groups()) {
                t.start();
                const GroupResult result = index.search(query, info.store, 50);
                const double groupTime = double(t.nsecsElapsed()) / 1e6;
                answers.append(answerLine(prefix, result));
                groupMs[info.store].append(groupTime);
                ms += groupTime;
            }
            lookupMs.append(ms);
            lookupCpuMs.append(cpuMs() - cpuStart);
            slowest.append({lookupCpuMs.constLast(), prefix});
            if (keystrokes++ % scanEvery)
                continue;
            lookupSampledMs.append(ms);
            t.start();
            for (size_t g = 0; g < stores.size(); ++g) {
                store::Statement st(*stores.at(g), scans().at(qsizetype(g)).sql, {u'%' + prefix + u'%'});
                while (st.next()) {}
            }
            scanMs.append(double(t.nsecsElapsed()) / 1e6);
        }
    }
    std::printf("queries %lld, keystrokes %d (scans on every %dth: %lld)\n", qsizetype(queries.size()), keystrokes,
                scanEvery, scanMs.size());
    std::printf("quick lookup, all keystrokes: median %.2f ms, p95 %.2f ms, max %.1f ms\n", percentile(lookupMs, 0.5),
                percentile(lookupMs, 0.95), percentile(lookupMs, 1.0));
    std::printf(
        "quick lookup, processor time of all keystrokes: median %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.1f ms\n",
        percentile(lookupCpuMs, 0.5), percentile(lookupCpuMs, 0.95), percentile(lookupCpuMs, 0.99),
        percentile(lookupCpuMs, 1.0));
    std::sort(slowest.begin(), slowest.end(), std::greater<>());
    std::printf("  slowest keystrokes:");
    for (const auto &[ms, text] : slowest.mid(0, 8))
        std::printf(" \"%s\" %.1f ms", qPrintable(text), ms);
    std::printf("\n");
    for (const GroupInfo &info : groups()) {
        std::printf("  group %s: median %.2f ms, p95 %.2f ms\n", qPrintable(info.title),
                    percentile(groupMs.value(info.store), 0.5), percentile(groupMs.value(info.store), 0.95));
    }
    std::printf("quick lookup, scanned keystrokes: median %.2f ms, p95 %.2f ms\n", percentile(lookupSampledMs, 0.5),
                percentile(lookupSampledMs, 0.95));
    std::printf("LIKE scans, same keystrokes: median %.1f ms, p95 %.1f ms\n", percentile(scanMs, 0.5),
                percentile(scanMs, 0.95));
    std::printf("ratio scans / lookup: median %.0fx, p95 %.0fx\n",
                percentile(scanMs, 0.5) / std::max(0.001, percentile(lookupSampledMs, 0.5)),
                percentile(scanMs, 0.95) / std::max(0.001, percentile(lookupSampledMs, 0.95)));
    if (!answersFile.isEmpty()) {
        QFile out(answersFile);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            out.write(answers.join(u'\n').toUtf8() + '\n');
    }
    if (!compareFile.isEmpty() && !sameAnswers(answers, compareFile))
        return 1;
    return 0;
}
