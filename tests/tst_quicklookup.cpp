// The quick lookup's engine: reading the box, ranking, the index against plain scans, and the
// worker that answers as the user types.
#include "lookup/query.h"
#include "lookup/quicklookupindex.h"
#include "lookup/quicklookupservice.h"
#include "lookup/simplifier.h"
#include "store/storefile.h"
#include "support/testsupport.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace mc::lookup;
using mc::store::StoreId;

Q_DECLARE_METATYPE(Query::Kind)

class TestQuickLookup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_index = std::make_unique<QuickLookupIndex>(mc::test::fixtureStores()); }

    // clang-format off
    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Query::Kind>("kind");
        QTest::addColumn<QString>("key");       // pinyin key, or the simplified Han text
        QTest::addColumn<QString>("syllables"); // parted syllables, blank-separated
        using K = Query::Kind;
        QTest::newRow("joined") << "zhongguo" << K::Latin << "zhongguo" << "";
        QTest::newRow("parted") << "zhong guo" << K::Latin << "zhongguo" << "zhong guo";
        QTest::newRow("apostrophe") << "xi'an" << K::Latin << "xian" << "xi an";
        QTest::newRow("ambiguous joined") << "xian" << K::Latin << "xian" << "";
        QTest::newRow("ambiguous parted") << "Xi  An" << K::Latin << "xian" << "xi an";
        QTest::newRow("tone digits") << "zhong1guo2" << K::Latin << "zhong1guo2" << "";
        QTest::newRow("tone digits parted") << "zhong1 guo2" << K::Latin << "zhong1guo2" << "";
        QTest::newRow("neutral tone digit") << "ma5" << K::Latin << "ma" << "";
        QTest::newRow("tone marks") << "zhōngguó" << K::Latin << "zhōngguó" << "";
        QTest::newRow("tone marks parted") << "zhōng guó" << K::Latin << "zhōngguó" << "";
        QTest::newRow("initials") << "qfbj" << K::Latin << "qfbj" << "";
        QTest::newRow("v") << "lv" << K::Latin << "lv" << "";
        QTest::newRow("ü") << "lü" << K::Latin << "lv" << "";
        QTest::newRow("u colon") << "nu:" << K::Latin << "nv" << "";
        QTest::newRow("lve") << "lve" << K::Latin << "lve" << "";
        QTest::newRow("lüe") << "lüe" << K::Latin << "lve" << "";
        QTest::newRow("lüè marked") << "lüè" << K::Latin << "lüè" << "";
        QTest::newRow("English, not pinyin") << "ice-cream" << K::Latin << "" << "";
        QTest::newRow("digit first") << "3d" << K::Latin << "" << "";
        QTest::newRow("hanzi") << "中国" << K::Han << "中国" << "";
        QTest::newRow("traditional") << "中國" << K::Han << "中国" << "";
        QTest::newRow("traditional word") << "學習" << K::Han << "学习" << "";
        QTest::newRow("blanks inside hanzi") << " 学 习 " << K::Han << "学习" << "";
        // Han as the index builder decides it: the script, not a table of blocks.
        QTest::newRow("ideographic zero") << "二〇" << K::Han << "二〇" << "";
        QTest::newRow("iteration mark") << "人々" << K::Han << "人々" << "";
        QTest::newRow("mixed") << "zhong国" << K::Mixed << "zhong|国" << "";
        // A page of text is read by its longest start that begins a headword.
        QTest::newRow("page") << QStringLiteral("一帆风顺") + QString(300, u'。') << K::Han << "一帆风顺" << "";
        QTest::newRow("traditional page") << QStringLiteral("學習") + QString(300, u'好') << K::Han << "学习" << "";
        QTest::newRow("longest text a box takes") << QStringLiteral("水") + QString(32766, u'。') << K::Han << "水" << "";
        QTest::newRow("empty") << "   " << K::Empty << "" << "";
    }
    // clang-format on

    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(Query::Kind, kind);
        QFETCH(QString, key);
        QFETCH(QString, syllables);
        const Query q = m_index->parse(text);
        QCOMPARE(q.kind, kind);
        if (kind == Query::Kind::Han)
            QCOMPARE(q.han, key);
        if (kind == Query::Kind::Latin) {
            QCOMPARE(q.pinyinKeys.value(0), key);
            QCOMPARE(q.syllables.join(u' '), syllables);
            QCOMPARE(q.english, text.simplified().toLower());
        }
        if (kind == Query::Kind::Mixed) {
            QStringList parts;
            for (const Query::Part &p : q.parts)
                parts.append(p.text);
            QCOMPARE(parts.join(u'|'), key);
        }
    }

    // First hits of a group, in order, parted by "|"; "…" ends a list that may go on.
    void ranking_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<StoreId>("group");
        QTest::addColumn<QString>("heads");
        const StoreId zi = StoreId::Characters, ci = StoreId::Words, cy = StoreId::Idioms, xhy = StoreId::Xiehouyu,
                      en = StoreId::English, my = StoreId::Sayings;
        QTest::newRow("character") << "水" << zi << "水";
        QTest::newRow("characters of a word") << "学习" << zi << "";
        QTest::newRow("word exact, then starting with") << "一心" << cy << "一心一意|一心一德";
        QTest::newRow("starting with before containing") << "千" << ci << "千方百计|成千上万";
        QTest::newRow("exact before the rest") << "成千上万" << ci << "成千上万";
        QTest::newRow("traditional") << "學習" << ci << "学习";
        QTest::newRow("traditional, longer word") << "中國" << ci << "中国sos儿童村协会";
        QTest::newRow("traditional character") << "開" << zi << "開";
        QTest::newRow("xiehouyu, either half") << "和尚" << xhy << "和尚打伞|丈二和尚";
        QTest::newRow("xiehouyu second half") << "一窍" << xhy << "擀面杖吹火";
        QTest::newRow("saying") << "光阴" << my << "一寸光阴一寸金，寸金难买寸光阴。";
        QTest::newRow("English by explanation") << "苹果" << en << "apple";
        QTest::newRow("English prefix") << "appl" << en << "apple";
        QTest::newRow("English exact first") << "give" << en << "give|give up";
        QTest::newRow("English with blank") << "ice c" << en << "ice cream";
        QTest::newRow("pinyin joined") << "yixinyiyi" << cy << "一心一意";
        QTest::newRow("pinyin prefix") << "yixiny" << cy << "一心一意|一心一德";
        QTest::newRow("pinyin parted") << "yi xin yi" << cy << "一心一意|一心一德";
        QTest::newRow("pinyin parted, no join") << "xiny i" << cy << "";
        QTest::newRow("tone digits") << "yi1xin1yi1yi4" << cy << "一心一意";
        QTest::newRow("tone marks") << "yīxīnyīy" << cy << "一心一意";
        QTest::newRow("initials") << "qfbj" << cy << "千方百计";
        QTest::newRow("initials prefix") << "yxy" << cy << "一心一意|一心一德";
        QTest::newRow("v for ü") << "lv" << zi << "绿";
        QTest::newRow("ü") << "lü" << zi << "绿";
        QTest::newRow("nv") << "nv" << ci << "女儿";
        QTest::newRow("mixed") << "一xia" << ci << "一下";
        QTest::newRow("mixed, pinyin first") << "ma妈" << ci << "妈妈";
        QTest::newRow("mixed, wrong reading") << "一hua" << ci << "";
        QTest::newRow("frequency first") << "x" << ci << "学习|…";
        QTest::newRow("no pinyin for sayings") << "yi" << my << "";
    }

    void ranking()
    {
        QFETCH(QString, text);
        QFETCH(StoreId, group);
        QFETCH(QString, heads);
        const GroupResult r = m_index->search(m_index->parse(text), group, 50);
        QStringList got;
        for (const Hit &h : r.hits)
            got.append(h.head);
        QStringList want = heads.split(u'|', Qt::SkipEmptyParts);
        if (want.endsWith(QStringLiteral("…"))) {
            want.removeLast();
            got = got.mid(0, want.size());
        }
        QCOMPARE(got, want);
        if (!heads.contains(QStringLiteral("…")))
            QCOMPARE(r.count, int(r.hits.size()));
    }

    // The hit shown first is the best match over all groups, whatever group it is in.
    void bestOverAllGroups_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<StoreId>("group"); // Characters with an empty head: nothing found
        QTest::addColumn<QString>("head");
        const StoreId zi = StoreId::Characters, ci = StoreId::Words, cy = StoreId::Idioms, xhy = StoreId::Xiehouyu,
                      en = StoreId::English, my = StoreId::Sayings;
        QTest::newRow("character") << "水" << zi << "水";
        QTest::newRow("word over its characters") << "学习" << ci << "学习";
        QTest::newRow("traditional word") << "學習" << ci << "学习";
        QTest::newRow("idiom over the same word") << "一心一意" << cy << "一心一意";
        QTest::newRow("starting with over characters") << "和尚" << xhy << "和尚打伞";
        QTest::newRow("containing over characters") << "光阴" << my << "一寸光阴一寸金，寸金难买寸光阴。";
        QTest::newRow("English headword") << "apple" << en << "apple";
        QTest::newRow("English explanation over characters") << "苹果" << en << "apple";
        QTest::newRow("pinyin, same entry in two groups") << "yixinyiyi" << cy << "一心一意";
        QTest::newRow("pinyin start, the earlier group's own first") << "yixinyi" << ci << "一心一德";
        QTest::newRow("nothing") << "qqqq" << zi << "";
    }
    void bestOverAllGroups() { checkBest(*m_index); }

    // Fifty queries of every kind on the full stores, as a reader types them.
    // clang-format off
    void bestInFullStores_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<StoreId>("group");
        QTest::addColumn<QString>("head");
        const StoreId zi = StoreId::Characters, ci = StoreId::Words, cy = StoreId::Idioms, xhy = StoreId::Xiehouyu,
                      en = StoreId::English, my = StoreId::Sayings;
        QTest::newRow("character") << "水" << zi << "水";
        QTest::newRow("character, many readings") << "行" << zi << "行";
        QTest::newRow("character, common") << "我" << zi << "我";
        QTest::newRow("character, traditional") << "龍" << zi << "龙";
        QTest::newRow("character beyond the BMP") << "𪚥" << zi << "𪚥";
        QTest::newRow("word 银行") << "银行" << ci << "银行";
        QTest::newRow("word 学习") << "学习" << ci << "学习";
        QTest::newRow("word 中国") << "中国" << ci << "中国";
        QTest::newRow("word 苹果") << "苹果" << ci << "苹果";
        QTest::newRow("word 电脑") << "电脑" << ci << "电脑";
        QTest::newRow("word 朋友") << "朋友" << ci << "朋友";
        QTest::newRow("word 图书馆") << "图书馆" << ci << "图书馆";
        QTest::newRow("word 经济") << "经济" << ci << "经济";
        QTest::newRow("word 西安") << "西安" << ci << "西安";
        QTest::newRow("idiom 画蛇添足") << "画蛇添足" << cy << "画蛇添足";
        QTest::newRow("idiom 一心一意") << "一心一意" << cy << "一心一意";
        QTest::newRow("idiom 守株待兔") << "守株待兔" << cy << "守株待兔";
        QTest::newRow("idiom 完璧归赵") << "完璧归赵" << cy << "完璧归赵";
        QTest::newRow("idiom also a xiehouyu") << "丈二和尚" << cy << "丈二和尚";
        QTest::newRow("idiom, start") << "画蛇" << cy << "画蛇添足";
        QTest::newRow("xiehouyu") << "和尚打伞" << xhy << "和尚打伞";
        QTest::newRow("xiehouyu 外甥打灯笼") << "外甥打灯笼" << xhy << "外甥打灯笼";
        QTest::newRow("saying") << "三人行必有我师焉" << my << "三人行必有我师焉。";
        QTest::newRow("traditional 學習") << "學習" << ci << "学习";
        QTest::newRow("traditional 銀行") << "銀行" << ci << "银行";
        QTest::newRow("traditional idiom") << "畫蛇添足" << cy << "画蛇添足";
        QTest::newRow("traditional 圖書館") << "圖書館" << ci << "图书馆";
        QTest::newRow("traditional 國家") << "國家" << ci << "国家";
        QTest::newRow("pinyin yinhang") << "yinhang" << ci << "银行";
        QTest::newRow("pinyin xuexi") << "xuexi" << ci << "学习";
        QTest::newRow("pinyin zhongguo") << "zhongguo" << ci << "中国";
        QTest::newRow("pinyin pingguo") << "pingguo" << ci << "苹果";
        QTest::newRow("pinyin of an idiom") << "huashetianzu" << cy << "画蛇添足";
        QTest::newRow("pinyin shouzhudaitu") << "shouzhudaitu" << cy << "守株待兔";
        QTest::newRow("tone marks") << "yínháng" << ci << "银行";
        QTest::newRow("tone marks parted") << "xué xí" << ci << "学习";
        QTest::newRow("tone marks zhōngguó") << "zhōngguó" << ci << "中国";
        QTest::newRow("tone digits") << "yin2hang2" << ci << "银行";
        QTest::newRow("tone digits parted") << "xue2 xi2" << ci << "学习";
        QTest::newRow("one syllable") << "zhong" << zi << "中";
        QTest::newRow("apostrophe") << "xi'an" << ci << "西安";
        QTest::newRow("v for ü") << "lvse" << ci << "绿色";
        QTest::newRow("initials hstz") << "hstz" << cy << "画蛇添足";
        QTest::newRow("initials yxyy") << "yxyy" << cy << "一心一意";
        QTest::newRow("mixed yin行") << "yin行" << ci << "银行";
        QTest::newRow("mixed 中guo") << "中guo" << ci << "中国";
        QTest::newRow("English apple") << "apple" << en << "apple";
        QTest::newRow("English computer") << "computer" << en << "computer";
        QTest::newRow("English phrase") << "give up" << en << "give up";
        QTest::newRow("English capital") << "Hello" << en << "hello";
    }
    // clang-format on
    void bestInFullStores()
    {
        const QString full = QStringLiteral(MC_SOURCE_DIR "/data");
        if (!QFileInfo::exists(full + QStringLiteral("/search.db")))
            QSKIP("the full stores are not built (make stores)");
        static QuickLookupIndex index(full);
        checkBest(index);
    }

    // Random pieces of the stores' own texts: the index finds exactly the rows a scan finds.
    void agreesWithScans()
    {
        struct Column {
            StoreId store;
            QString file, sql;
        };
        const QList<Column> columns = {
            {StoreId::Words, QStringLiteral("xhi.db"), QStringLiteral("SELECT rowid, word FROM dict")},
            {StoreId::Idioms, QStringLiteral("xhg.db"), QStringLiteral("SELECT rowid, name FROM cy")},
            {StoreId::Xiehouyu, QStringLiteral("xhd.db"), QStringLiteral("SELECT rowid, name || '|' || end1 FROM xhy")},
            {StoreId::English, QStringLiteral("xhk.db"), QStringLiteral("SELECT rowid, 解释 FROM 英语单词")},
            {StoreId::Sayings, QStringLiteral("xhe.db"), QStringLiteral("SELECT rowid, name FROM mylib")},
        };
        QRandomGenerator random(20261209);
        int checked = 0;
        for (const Column &c : columns) {
            mc::store::StoreFile file(mc::test::fixtureStores() + u'/' + c.file, false);
            QList<QPair<qint64, QString>> rows;
            mc::store::Statement all(file, c.sql, {});
            while (all.next())
                rows.append({all.integer(0), all.text(1)});
            for (int i = 0; i < 80; ++i) {
                // A run of Han characters from a random row.
                const QString text = rows.at(random.bounded(int(rows.size()))).second;
                QList<uint> han;
                for (uint ch : text.toUcs4())
                    han.append(isHan(ch) ? ch : 0);
                const int start = random.bounded(int(han.size()));
                const int length = 1 + random.bounded(3);
                QString piece;
                for (int k = start; k < han.size() && k < start + length && han.at(k); ++k)
                    piece += QString::fromUcs4(reinterpret_cast<const char32_t *>(&han.at(k)), 1);
                if (piece.isEmpty())
                    continue;
                QSet<qint64> scanned;
                for (const auto &[rowId, t] : rows) {
                    if (t.contains(piece))
                        scanned.insert(rowId);
                }
                const GroupResult r = m_index->search(m_index->parse(piece), c.store, -1);
                QSet<qint64> found;
                for (const Hit &h : r.hits)
                    found.insert(h.rowId);
                QVERIFY2(found == scanned, qPrintable(piece + u' ' + c.file));
                QCOMPARE(r.count, int(scanned.size()));
                ++checked;
            }
        }
        QVERIFY(checked > 200);
    }

    void serviceAnswersOnlyTheNewest()
    {
        QuickLookupService service(mc::test::fixtureStores());
        QSignalSpy answers(&service, &QuickLookupService::resultsReady);
        service.search(QStringLiteral("y"));
        service.search(QStringLiteral("yi"));
        service.search(QStringLiteral("一心"));
        QVERIFY(answers.wait(30000));
        QTest::qWait(50);
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.at(0).at(0).toString(), QStringLiteral("一心"));
        const auto results = answers.at(0).at(1).value<QList<GroupResult>>();
        QCOMPARE(results.size(), groups().size());
        const auto idioms = std::find_if(results.cbegin(), results.cend(),
                                         [](const GroupResult &r) { return r.store == StoreId::Idioms; });
        QCOMPARE(idioms->count, 2);

        QSignalSpy rest(&service, &QuickLookupService::groupReady);
        service.loadAll(StoreId::Words);
        QVERIFY(rest.wait(30000));
        QCOMPARE(rest.at(0).at(1).value<GroupResult>().store, StoreId::Words);
    }

private:
    static void checkBest(QuickLookupIndex &index)
    {
        QFETCH(QString, text);
        QFETCH(StoreId, group);
        QFETCH(QString, head);
        const QList<GroupResult> results = index.searchAll(index.parse(text), QuickLookupService::kFirstHits);
        const std::optional<StoreId> best = bestGroup(results);
        QCOMPARE(best.has_value(), !head.isEmpty());
        if (!best)
            return;
        const auto r
            = std::find_if(results.cbegin(), results.cend(), [&](const GroupResult &g) { return g.store == *best; });
        QCOMPARE(groupInfo(*best).title + u' ' + r->hits.constFirst().head, groupInfo(group).title + u' ' + head);
    }

    std::unique_ptr<QuickLookupIndex> m_index;
};

QTEST_GUILESS_MAIN(TestQuickLookup)
#include "tst_quicklookup.moc"
