// Finding characters by their parts, and the structure block of a character's entry.
#include "core/error.h"
#include "learn/partsindex.h"
#include "learn/structure.h"
#include "store/storefile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <map>
#include <memory>

using namespace mc;
using namespace Qt::StringLiterals;
using namespace mc::learn;

namespace {

QStringList chars(const QString &text)
{
    return codePoints(text);
}

// The full build's parts.db, when there is one (the tests that need it skip without it).
QString fullData()
{
    const QString dir = QStringLiteral(MC_SOURCE_DIR "/data");
    return QFileInfo(PartsIndex::fileIn(dir)).size() > 1000000 ? dir : QString();
}

} // namespace

class TestParts final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<PartsIndex> m_fixture;

private slots:
    void initTestCase() { m_fixture = std::make_unique<PartsIndex>(test::fixtureStores()); }

    void search_data()
    {
        QTest::addColumn<QString>("picks");
        QTest::addColumn<QString>("found");
        QTest::newRow("meaning and sound part") << "氵可"
                                                << "河";
        QTest::newRow("picked twice must occur twice") << "木木"
                                                       << "林森";
        QTest::newRow("three times") << "木木木"
                                     << "森";
        QTest::newRow("at any depth, most frequent first") << "口可"
                                                           << "呵河哥";
        QTest::newRow("the part of a part") << "丁氵"
                                            << "河";
        QTest::newRow("a nested part that is a character") << "林"
                                                           << "森";
        QTest::newRow("order of picks does not matter") << "子木"
                                                        << "李";
        QTest::newRow("a part no character holds") << "木马"
                                                   << "";
        QTest::newRow("not a part at all") << "木x"
                                           << "";
        QTest::newRow("nothing picked") << ""
                                        << "";
    }
    void search()
    {
        QFETCH(QString, picks);
        QFETCH(QString, found);
        QCOMPARE(m_fixture->search(chars(picks)), chars(found));
    }

    void searchLimit()
    {
        QCOMPARE(m_fixture->search(chars(QStringLiteral("口")), 2), chars(QStringLiteral("叫可")));
        QCOMPARE(m_fixture->search(chars(QStringLiteral("口")), 0), QStringList());
    }

    void typedComponents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<bool>("typed");
        QTest::newRow("plus") << "+木子" << chars(QStringLiteral("木子")) << true;
        QTest::newRow("full-width plus, blanks") << " ＋木　子 " << chars(QStringLiteral("木子")) << true;
        QTest::newRow("plus between") << "+木+子" << chars(QStringLiteral("木子")) << true;
        QTest::newRow("outside the basic plane") << "+\U00020000木" << QStringList{u"\U00020000"_s, u"木"_s} << true;
        QTest::newRow("no plus") << "木子" << QStringList() << false;
        QTest::newRow("plus only") << "+ " << QStringList() << false;
        QTest::newRow("plus later") << "木+子" << QStringList() << false;
    }
    void typedComponents()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, parts);
        QFETCH(bool, typed);
        const auto got = PartsIndex::typedComponents(text);
        QCOMPARE(got.has_value(), typed);
        if (typed)
            QCOMPARE(*got, parts);
    }

    // clang-format off
    void structure_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("地") << "地" << QStringList{u"结构：左右结构"_s, u"部件：土、也"_s, u"造字：形声字，形旁 土，声旁 也"_s};
        QTest::newRow("河") << "河" << QStringList{u"结构：左右结构"_s, u"部件：氵、可"_s, u"造字：形声字，形旁 氵，声旁 可"_s};
        QTest::newRow("林") << "林" << QStringList{u"结构：左右结构"_s, u"部件：木、木"_s, u"造字：会意字"_s};
        QTest::newRow("森") << "森" << QStringList{u"结构：品字结构"_s, u"部件：木、林"_s, u"造字：会意字"_s};
        QTest::newRow("品") << "品" << QStringList{u"结构：品字结构"_s, u"部件：口、口、口"_s, u"造字：会意字"_s};
        QTest::newRow("问") << "问" << QStringList{u"结构：半包围结构（上三包围）"_s, u"部件：门、口"_s, u"造字：形声字，形旁 口，声旁 门"_s};
        QTest::newRow("国") << "国" << QStringList{u"结构：全包围结构"_s, u"部件：囗、玉"_s, u"造字：会意字"_s};
        QTest::newRow("这") << "这" << QStringList{u"结构：半包围结构（左下包围）"_s, u"部件：辶、文"_s};
        QTest::newRow("左") << "左" << QStringList{u"结构：半包围结构（左上包围）"_s, u"部件：工"_s, u"造字：象形字"_s};
        QTest::newRow("右") << "右" << QStringList{u"结构：半包围结构（左上包围）"_s, u"部件：口"_s};
        QTest::newRow("可") << "可" << QStringList{u"结构：穿插结构"_s, u"部件：丁、口"_s, u"造字：形声字，形旁 丁，声旁 口"_s};
        QTest::newRow("口") << "口" << QStringList{u"结构：独体字"_s, u"造字：象形字"_s};
        QTest::newRow("unknown") << "人" << QStringList();
    }
    // clang-format on
    void structure()
    {
        QFETCH(QString, character);
        QFETCH(QStringList, lines);
        QCOMPARE(structureLines(m_fixture->parts(character)), lines);
        // Read on its own (the stroke page does), the character is described the same way.
        QCOMPARE(structureLines(PartsIndex::readParts(test::fixtureStores(), character)), lines);
    }

    void englishOnlyWhereNothingElseExplains()
    {
        const CharacterParts di = m_fixture->parts(QStringLiteral("地"));
        QVERIFY(!structureLines(di, true).join(u'\n').contains(QStringLiteral("英文")));
        QCOMPARE(structureLines(di, false).last(), QStringLiteral("英文：earth"));
        // No note, no line.
        QVERIFY(!structureLines(m_fixture->parts(QStringLiteral("这")), false)
                     .join(u'\n')
                     .contains(QStringLiteral("英文")));
    }

    void strokeMap()
    {
        const CharacterParts ma = m_fixture->parts(QStringLiteral("妈"));
        using R = StrokeRole;
        QCOMPARE(ma.roles, (QList<R>{R::Meaning, R::Meaning, R::Meaning, R::Sound, R::Sound, R::Sound}));
        QCOMPARE(ma.pieces, chars(QStringLiteral("女女女马马马")));
        QVERIFY(!PartsIndex::readParts(test::fixtureStores(), QString()).isValid());
        QVERIFY(!PartsIndex::readParts(QStringLiteral("/nonexistent"), QStringLiteral("妈")).isValid());
        QVERIFY_THROWS_EXCEPTION(Error, PartsIndex(QStringLiteral("/nonexistent")));
    }

    // The panel's components, checked against what a search for each finds.
    void panelOfTheFixture()
    {
        const QList<Component> panel = m_fixture->panel(5);
        QCOMPARE(panel.size(), 5);
        int strokes = 0;
        for (const Component &c : panel) {
            QVERIFY2(c.strokes >= 2, qPrintable(c.text));
            QVERIFY(c.strokes >= strokes);
            strokes = c.strokes;
            QCOMPARE(c.characters, int(m_fixture->search({c.text}).size()));
        }
        const QList<Component> all = m_fixture->panel(-1);
        for (const Component &c : all) {
            const bool left
                = std::none_of(panel.begin(), panel.end(), [&](const Component &p) { return p.text == c.text; });
            // Nothing left out occurs in more characters than the least of those taken.
            if (left)
                QVERIFY(c.characters <= std::min_element(panel.begin(), panel.end(), [](auto &a, auto &b) {
                                            return a.characters < b.characters;
                                        })->characters);
        }
    }

    // The full data: 200 random picks of one to four components against a plain scan of every
    // character's parts.
    void searchAgainstPlainScan()
    {
        const QString dir = fullData();
        if (dir.isEmpty())
            QSKIP("no full build in data/ (make stores)");
        const PartsIndex index(dir);
        QStringList order;
        QList<std::map<QString, int>> deep;
        store::readRows(PartsIndex::fileIn(dir), QStringLiteral("SELECT ch, deep FROM parts ORDER BY ord"), {},
                        [&](const store::Statement &row) {
                            order.append(row.text(0));
                            std::map<QString, int> counts;
                            for (const QString &c : codePoints(row.text(1)))
                                ++counts[c];
                            deep.append(counts);
                        });
        QCOMPARE(index.size(), order.size());
        QRandomGenerator random(25);
        int nonEmpty = 0;
        for (int n = 0; n < 200; ++n) {
            // Mostly parts of one character, so that most picks find something; every fifth
            // pick mixes in a part of another.
            const auto &source = deep.at(random.bounded(int(deep.size())));
            if (source.empty()) {
                --n;
                continue;
            }
            QStringList picks;
            const int count = 1 + random.bounded(4);
            for (int k = 0; k < count; ++k) {
                const auto &from = (n % 5 == 4 && k == 0) ? deep.at(random.bounded(int(deep.size()))) : source;
                if (from.empty())
                    continue;
                auto it = from.begin();
                std::advance(it, random.bounded(int(from.size())));
                picks.append(it->first);
            }
            std::map<QString, int> wanted;
            for (const QString &p : picks)
                ++wanted[p];
            QStringList expected;
            for (qsizetype i = 0; i < order.size(); ++i) {
                const auto &have = deep.at(i);
                const bool all = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [&](const auto &w) {
                    const auto h = have.find(w.first);
                    return h != have.end() && h->second >= w.second;
                });
                if (all)
                    expected.append(order.at(i));
            }
            nonEmpty += expected.isEmpty() ? 0 : 1;
            QCOMPARE(index.search(picks), expected);
        }
        QVERIFY2(nonEmpty > 150, qPrintable(QString::number(nonEmpty)));
    }

    void panelOfTheFullData()
    {
        const QString dir = fullData();
        if (dir.isEmpty())
            QSKIP("no full build in data/ (make stores)");
        const PartsIndex index(dir);
        const QList<Component> panel = index.panel();
        QCOMPARE(panel.size(), 200);
        QStringList texts;
        for (const Component &c : panel)
            texts.append(c.text);
        for (const char *common : {"氵", "口", "木", "扌", "亻", "艹", "土", "日", "女"})
            QVERIFY2(texts.contains(QString::fromUtf8(common)), common);
        QCOMPARE(index.search(chars(QStringLiteral("氵可"))).value(0), QStringLiteral("河"));
        QVERIFY(index.search(chars(QStringLiteral("木木"))).mid(0, 5).contains(QStringLiteral("林")));
        QCOMPARE(index.search(chars(QStringLiteral("木子"))).value(0), QStringLiteral("李"));
    }
};

QTEST_GUILESS_MAIN(TestParts)
#include "tst_parts.moc"
