// Time from a search command to the list's first row, beside the same SQL through the raw
// sqlite3 C API in the same run. Uses the built stores in data/ when present, else a synthetic
// 300,000-row word store with idiom and character stores beside it.
#include "core/error.h"
#include "platform/messages.h"
#include "search/keywordsearch.h"
#include "search/searchtable.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/datasetmodel.h"
#include "store/dialect.h"
#include "store/stores.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

using namespace mc;

namespace {

constexpr int kRuns = 21;

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

double elapsedMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// The two sides run in turns, so that both meet the same load on the machine.
std::pair<double, double> timeBoth(const std::function<void()> &a, const std::function<void()> &b)
{
    a(); // warm the page cache once
    b();
    QList<double> first;
    QList<double> second;
    for (int i = 0; i < kRuns; ++i) {
        first.append(elapsedMs(a));
        second.append(elapsedMs(b));
    }
    return {median(first), median(second)};
}

class Box final : public search::KeywordBox {
public:
    QString value;
    QString text() const override { return value; }
    void setText(const QString &text) override { value = text; }
};

// Answers every message at once, so only the search is timed.
class QuietMessages final : public Messages {
public:
    void information(const QString &) override {}
    void plain(const QString &) override {}
    bool confirm(const QString &) override { return false; }
    void error(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    void applicationError(const QString &) override {}
};

void exec(sqlite3 *db, const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err);
        std::exit(1);
    }
}

// Stores shaped like the built ones (same columns, collation and indexes): 300,000 words.
void makeSynthetic(const QString &dir)
{
    QDir().mkpath(dir + QStringLiteral("/data"));
    const QString pool = QStringLiteral(
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而"
        "方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应"
        "开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命");
    const QStringList syllables = {QStringLiteral("ma"),    QStringLiteral("shui"), QStringLiteral("ren"),
                                   QStringLiteral("zhong"), QStringLiteral("guo"),  QStringLiteral("tian")};
    quint32 seed = 11;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    auto text = [&](int chars) {
        QString s;
        for (int i = 0; i < chars; ++i)
            s.append(pool.at(int((next() >> 8) % quint32(pool.size()))));
        return s;
    };
    struct Spec {
        QString file, create, insert;
        int rows;
    };
    const QString t = QStringLiteral("TEXT COLLATE NOCASE");
    const QList<Spec> specs = {
        {QStringLiteral("xhi.db"),
         QStringLiteral("CREATE TABLE dict(ID INTEGER, word %1, ord %1, spell %1, content %1);"
                        "CREATE INDEX i1 ON dict(ID); CREATE INDEX i2 ON dict(word)")
             .arg(t),
         QStringLiteral("INSERT INTO dict VALUES(?1, ?2, ?2, ?3, ?4)"), 300000},
        {QStringLiteral("xhg.db"),
         QStringLiteral("CREATE TABLE cy(name %1, spell %1, pyjm %1, content %1, derivation %1, samples %1);"
                        "CREATE INDEX i1 ON cy(name)")
             .arg(t),
         QStringLiteral("INSERT INTO cy VALUES(?2, ?3, ?3, ?4, ?4, ?4)"), 32000},
        {QStringLiteral("xhb.db"),
         QStringLiteral(
             "CREATE TABLE hz(name %1, oldname %1, spell %1, part %1, sum %1, partstrokes %1, strokes INTEGER,"
             " wbcode %1, areacode %1, pycode %1, content %1, url %1); CREATE INDEX i1 ON hz(name);"
             " CREATE INDEX i2 ON hz(pycode); CREATE INDEX i3 ON hz(strokes)")
             .arg(t),
         QStringLiteral("INSERT INTO hz VALUES(?2, ?2, ?3, '口', '3', '3', ?1 % 30, '', '', ?3 || ' ', ?4, '')"),
         21000},
    };
    for (const Spec &spec : specs) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(dir + QStringLiteral("/data/") + spec.file).constData(), &db);
        exec(db, spec.create);
        exec(db, QStringLiteral("BEGIN"));
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, spec.insert.toUtf8().constData(), -1, &stmt, nullptr);
        for (int i = 0; i < spec.rows; ++i) {
            const int nameChars = spec.file == QLatin1String("xhb.db") ? 1 : 2 + int(next() >> 29);
            const QByteArray name = text(nameChars).toUtf8();
            const QByteArray spell = syllables.at(int((next() >> 8) % 6)).toUtf8();
            const QByteArray content = text(100).toUtf8();
            sqlite3_bind_int(stmt, 1, i < 42 ? 362994 + i : 400000 + i);
            sqlite3_bind_text(stmt, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 3, spell.constData(), int(spell.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 4, content.constData(), int(content.size()), SQLITE_TRANSIENT);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        exec(db, QStringLiteral("COMMIT"));
        sqlite3_close(db);
    }
}

// The same statement the store runs, by hand: list columns of every match, then the first
// row whole, as the field views show it.
int rawSearch(sqlite3 *db, const store::TranslatedQuery &q, const QStringList &keys)
{
    QString sql = QStringLiteral("SELECT rowid");
    for (const QString &k : keys)
        sql += QStringLiteral(", ") + store::quoteName(k);
    sql += QStringLiteral(" FROM ") + store::quoteName(q.table);
    if (!q.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + q.where;
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    for (int i = 0; i < q.params.size(); ++i) {
        const QVariant &v = q.params.at(i);
        if (v.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else {
            const QByteArray bytes = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
    }
    QList<qint64> rowids;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        rowids.append(sqlite3_column_int64(stmt, 0));
        for (int c = 0; c < keys.size(); ++c)
            sqlite3_column_text(stmt, c + 1);
    }
    sqlite3_finalize(stmt);
    if (rowids.isEmpty())
        return 0;
    const qint64 first = *std::min_element(rowids.begin(), rowids.end());
    const QByteArray one
        = (QStringLiteral("SELECT * FROM ") + store::quoteName(q.table) + QStringLiteral(" WHERE rowid = ?")).toUtf8();
    sqlite3_prepare_v2(db, one.constData(), -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, first);
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sqlite3_column_text(stmt, c);
    }
    sqlite3_finalize(stmt);
    return int(rowids.size());
}

void compare(const char *label, search::SearchButton button, int mode, const QString &keyword)
{
    const search::SearchEntry *entry = search::findSearch(button, mode);
    const store::StoreInfo &info = store::storeInfo(entry->store);
    const QString datasetName = info.datasetName;
    const QString query = *search::buildQuery(*entry, keyword);

    store::Dataset dataset(datasetName);
    dataset.setConnectionText(store::connectionText(info.file, info.password));
    dataset.setKeyColumns(info.keyColumns);
    store::DatasetModel list(&dataset, {{info.keyColumns.first(), QString()}});
    Box box;
    int rows = 0;
    QString firstRow;
    auto viaSearch = [&] {
        box.value = keyword;
        search::runSearch(*entry, box, dataset);
        rows = dataset.isOpen() ? dataset.recordCount() : 0;
        firstRow = list.data(list.index(0, 0), Qt::DisplayRole).toString() + dataset.value(QStringLiteral("content"));
    };

    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(info.file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const store::TranslatedQuery translated = store::translateQuery(query);
    int rawRows = 0;
    auto viaRaw = [&] { rawRows = rawSearch(db, translated, info.keyColumns); };
    const auto [search, raw] = timeBoth(viaSearch, viaRaw);
    sqlite3_close(db);

    std::printf("%-34s search %8.2f ms   raw sqlite3 %8.2f ms   ratio %5.2f   rows %d/%d\n", label, search, raw,
                raw > 0 ? search / raw : 0.0, rows, rawRows);
}

void runAll(const char *where)
{
    std::printf("-- %s, medians of %d runs\n", where, kRuns);
    // A store held by a running copy of the program cannot be opened: say so and go on.
    auto compare = [](const char *label, search::SearchButton button, int mode, const QString &keyword) {
        try {
            ::compare(label, button, mode, keyword);
        } catch (const Error &e) {
            std::printf("%-34s not measured: %s\n", label, qPrintable(e.text()));
        }
    };
    compare("idiom name like %水%", search::SearchButton::Idiom, 0, QStringLiteral("水"));
    compare("word like %水% (one character)", search::SearchButton::Word, 0, QStringLiteral("水"));
    compare("word like %中国人% (three)", search::SearchButton::Word, 0, QStringLiteral("中国人"));
    compare("pycode like %ma%", search::SearchButton::Character, 4, QStringLiteral("ma"));
    compare("character name = 水", search::SearchButton::Character, 0, QStringLiteral("水"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QuietMessages quiet;
    Messages::setCurrent(&quiet);
    const QString root = QDir::currentPath();
    const bool forceSynthetic = QCoreApplication::arguments().contains(QStringLiteral("--synthetic"));
    if (!forceSynthetic && QFile::exists(QStringLiteral("data/xhi.db")) && QFile::exists(QStringLiteral("data/xhg.db"))
        && QFile::exists(QStringLiteral("data/xhb.db"))) {
        runAll("built stores in data/");
    } else {
        QTemporaryDir synthetic;
        makeSynthetic(synthetic.path());
        QDir::setCurrent(synthetic.path());
        runAll("synthetic stores, 300,000 words");
        QDir::setCurrent(root);
    }
    Messages::setCurrent(nullptr);
    return 0;
}
