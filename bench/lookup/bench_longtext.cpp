// A long pasted text in the quick lookup: what one keystroke costs the lookup's thread (reading the
// text and the first 50 hits with counts of all six groups) for 1,000 and 32,767 characters of
// text (sayings, idiom and word explanations, random characters), beside a 12-character phrase of the same
// text in the same run. With --whole the
// texts are also searched whole, as they were before the lookup read only their start (the
// 32,767-character one takes minutes). Needs the full stores and search.db in data/.
#include "lookup/quicklookupindex.h"
#include "lookup/simplifier.h"
#include "store/storefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

using namespace mc;
using namespace mc::lookup;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// One column of a store run together: text of the kind a user copies from a page.
QString storeText(const QString &file, const QString &sql, qsizetype length)
{
    store::StoreFile store(file, false);
    store::Statement st(store, sql, {});
    QString text;
    while (text.size() < length && st.next())
        text += st.text(0);
    return text.left(length);
}

// Characters of the character store in random order: the text no headword begins past its
// first few characters, and the most distinct characters a text can have.
QString randomText(qsizetype length)
{
    store::StoreFile characters(QStringLiteral("data/xhb.db"), false);
    store::Statement st(characters, QStringLiteral("SELECT name FROM hz WHERE length(name) = 1"), {});
    QStringList all;
    while (st.next())
        all.append(st.text(0));
    QRandomGenerator random(21);
    QString text;
    while (text.size() < length)
        text += all.at(random.bounded(int(all.size())));
    return text.left(length);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(QStringLiteral("data/search.db"))) {
        std::printf("bench_longtext: data/search.db missing; build the stores first\n");
        return 0;
    }
    const bool whole = app.arguments().contains(QStringLiteral("--whole"));
    constexpr int kHits = 50;
    constexpr int kRuns = 5;
    QuickLookupIndex index(QStringLiteral("data"));
    Simplifier simplifier;
    index.warmUp(); // as the quick lookup does when its window opens

    QElapsedTimer t;
    const QList<std::pair<const char *, QString>> texts{
        {"sayings", storeText(QStringLiteral("data/xhe.db"), QStringLiteral("SELECT name FROM mylib"), 32767)},
        {"idiom explanations",
         storeText(QStringLiteral("data/xhg.db"), QStringLiteral("SELECT content FROM cy"), 32767)},
        {"word explanations",
         storeText(QStringLiteral("data/xhi.db"), QStringLiteral("SELECT content FROM dict WHERE length(content) > 20"),
                   32767)},
        {"random characters", randomText(32767)},
    };
    for (const auto &[kind, text] : texts) {
        std::printf("%s: %s…\n", kind, qPrintable(text.left(16)));
        for (const qsizetype length : {qsizetype(12), qsizetype(1000), qsizetype(32767)}) {
            const QString typed = text.left(length);
            QList<double> ms;
            qsizetype searched = 0;
            for (int run = 0; run < kRuns; ++run) {
                t.start();
                const Query query = index.parse(typed);
                index.searchAll(query, kHits);
                ms.append(double(t.nsecsElapsed()) / 1e6);
                searched = query.kind == Query::Kind::Han ? query.han.size() : query.english.size();
            }
            std::printf("  %6lld characters: median %.1f ms, max %.1f ms (searched as its first %lld)\n",
                        qlonglong(length), median(ms), *std::max_element(ms.cbegin(), ms.cend()), qlonglong(searched));
        }
        if (!whole)
            continue;
        for (const qsizetype length : {qsizetype(12), qsizetype(1000), qsizetype(32767)}) {
            t.start();
            index.searchAll(parseQuery(text.left(length), &simplifier), kHits);
            std::printf("  %6lld characters searched whole: %.1f ms\n", qlonglong(length),
                        double(t.nsecsElapsed()) / 1e6);
        }
    }
    return 0;
}
