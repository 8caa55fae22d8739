// Opening stores and running a containment search through a dataset, beside the same SQL
// through the raw sqlite3 C API in the same run.
#include "store/connection.h"
#include "store/dataset.h"
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

using mc::store::Dataset;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

double timeMs(const std::function<void()> &f, int runs = 7)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        samples.append(t.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

void exec(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err);
        std::exit(1);
    }
}

// Synthetic stores shaped like the real ones: 300,000 words and 30,000 idioms with long texts.
void makeSynthetic(const QString &dir)
{
    QDir().mkpath(dir + QStringLiteral("/data"));
    const QString hanzi = QStringLiteral(
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该铁价严");
    auto randomText = [&](quint32 &seed, int chars) {
        QString s;
        s.reserve(chars);
        for (int i = 0; i < chars; ++i) {
            seed = seed * 1664525u + 1013904223u;
            s.append(hanzi.at(int((seed >> 8) % quint32(hanzi.size()))));
        }
        return s.toUtf8();
    };
    struct Spec {
        const char *file, *create, *insert;
        int rows;
        int nameChars;
        int textChars;
    };
    const Spec specs[] = {
        {"xhi.db",
         "CREATE TABLE dict(ID INTEGER, word TEXT COLLATE NOCASE, ord TEXT, spell TEXT, content TEXT);"
         "CREATE INDEX dict_id ON dict(ID);CREATE INDEX dict_word ON dict(word)",
         "INSERT INTO dict VALUES(?1, ?2, ?2, 'pin yin', ?3)", 300000, 2, 100},
        {"xhg.db",
         "CREATE TABLE cy(name TEXT COLLATE NOCASE, spell TEXT, pyjm TEXT, content TEXT, derivation TEXT, samples TEXT)",
         "INSERT INTO cy VALUES(?2, 'pin yin', 'py', ?3, ?3, ?3)", 30000, 4, 100},
        {"xhb.db",
         "CREATE TABLE hz(name TEXT COLLATE NOCASE, oldname TEXT, spell TEXT, part TEXT, sum TEXT, partstrokes TEXT,"
         " strokes INTEGER, wbcode TEXT, areacode TEXT, pycode TEXT, content TEXT, url TEXT)",
         "INSERT INTO hz VALUES(?2, ?2, 'pin', '口', '3', '3', 6, 'kkk', '0000', 'pin ', ?3, '')", 21000, 1, 100},
        {"xhd.db", "CREATE TABLE xhy(name TEXT COLLATE NOCASE, end1 TEXT COLLATE NOCASE)",
         "INSERT INTO xhy VALUES(?2, ?3)", 14000, 8, 8},
        {"xhk.db", "CREATE TABLE 英语单词(单词 TEXT COLLATE NOCASE, 解释 TEXT COLLATE NOCASE)",
         "INSERT INTO 英语单词 VALUES(?2, ?3)", 60000, 6, 20},
        {"xhe.db", "CREATE TABLE mylib(name TEXT COLLATE NOCASE, derivation TEXT COLLATE NOCASE)",
         "INSERT INTO mylib VALUES(?3, ?2)", 6000, 3, 30},
    };
    quint32 seed = 7;
    for (const Spec &spec : specs) {
        const QByteArray path = QFile::encodeName(dir + QStringLiteral("/data/") + QLatin1String(spec.file));
        sqlite3 *db = nullptr;
        sqlite3_open(path.constData(), &db);
        exec(db, spec.create);
        exec(db, "BEGIN");
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, spec.insert, -1, &stmt, nullptr);
        for (int i = 0; i < spec.rows; ++i) {
            // IDs leave the start-up range 362994..363035 to 42 rows, as the real word store does.
            sqlite3_bind_int(stmt, 1, i < 42 ? 362994 + i : i + 400000);
            const QByteArray name = randomText(seed, spec.nameChars);
            const QByteArray text = randomText(seed, spec.textChars); // 100 chars = 300 UTF-8 bytes
            sqlite3_bind_text(stmt, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 3, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
}

double openAllStores()
{
    return timeMs([] {
        QList<std::shared_ptr<Dataset>> sets;
        for (const mc::store::StoreInfo &info : mc::store::stores()) {
            auto d = std::make_shared<Dataset>(info.datasetName);
            d->setConnectionText(mc::store::connectionText(info.file, info.password));
            d->setKeyColumns(info.keyColumns);
            d->appendQuery(info.baseQuery);
            d->open();
            sets.append(d);
        }
    });
}

int rawSearch(sqlite3 *db, const QString &sql, const QString &param)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    const QByteArray p = param.toUtf8();
    sqlite3_bind_text(stmt, 1, p.constData(), int(p.size()), SQLITE_TRANSIENT);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        // Read what a list needs, as the dataset does.
        sqlite3_column_int64(stmt, 0);
        sqlite3_column_text(stmt, 1);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

// Both sides keep their store open, as the program does; each run is one search.
void compareSearch(const char *label, const QString &file, const QString &table, const QString &column,
                   const QString &keyword)
{
    const QString query = QStringLiteral("select * from %1 where %2 like \"%%3%\"").arg(table, column, keyword);
    Dataset d(QStringLiteral("bench"));
    d.setConnectionText(mc::store::connectionText(file, QString()));
    d.setKeyColumns({column});
    int datasetRows = 0;
    const double viaDataset = timeMs(
        [&] {
            d.clearQuery();
            d.appendQuery(query);
            d.open();
            datasetRows = d.recordCount();
        },
        11);

    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    int rawRows = 0;
    const QString sql = QStringLiteral("SELECT rowid, \"%1\" FROM \"%2\" WHERE \"%1\" LIKE ?1").arg(column, table);
    const double raw = timeMs([&] { rawRows = rawSearch(db, sql, QLatin1Char('%') + keyword + QLatin1Char('%')); }, 11);
    sqlite3_close(db);
    std::printf("%-36s dataset %8.2f ms  raw sqlite3 %8.2f ms  ratio %.2f  (%d/%d rows)\n", label, viaDataset, raw,
                raw > 0 ? viaDataset / raw : 0, datasetRows, rawRows);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString projectRoot = QDir::currentPath();

    if (QFile::exists(QStringLiteral("data/xhb.db"))) {
        std::printf("open all six stores (data/):          median %8.2f ms\n", openAllStores());
        compareSearch("word search like %水% (data/)", QStringLiteral("data/xhi.db"), QStringLiteral("dict"),
                      QStringLiteral("word"), QStringLiteral("水"));
    }

    QTemporaryDir synthetic;
    makeSynthetic(synthetic.path());
    QDir::setCurrent(synthetic.path());
    std::printf("open all six stores (synthetic):      median %8.2f ms\n", openAllStores());
    compareSearch("word search like %水% (synthetic)", QStringLiteral("data/xhi.db"), QStringLiteral("dict"),
                  QStringLiteral("word"), QStringLiteral("水"));
    compareSearch("idiom search like %水% (synthetic)", QStringLiteral("data/xhg.db"), QStringLiteral("cy"),
                  QStringLiteral("name"), QStringLiteral("水"));
    compareSearch("idiom text like %水火% (synthetic)", QStringLiteral("data/xhg.db"), QStringLiteral("cy"),
                  QStringLiteral("content"), QStringLiteral("水火"));
    QDir::setCurrent(projectRoot);
    return 0;
}
