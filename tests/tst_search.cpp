// The keyword search and the order buttons on the fixture stores, without a window.
#include "platform/busy.h"
#include "platform/guard.h"
#include "search/keywordsearch.h"
#include "search/listorder.h"
#include "search/searchtable.h"
#include "search/texts.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/stores.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QTest>
#include <memory>

using namespace mc;
using namespace mc::search;
using namespace Qt::Literals::StringLiterals;

namespace {

class PlainBox final : public KeywordBox {
public:
    QString value;
    QString text() const override { return value; }
    void setText(const QString &text) override { value = text; }
};

// Counts the busy window's showings and checks they never nest or go unanswered.
class RecordingBusy final : public BusyIndicator {
public:
    int shown = 0;
    bool visible = false;
    bool nested = false;
    void showBusy() override
    {
        nested = nested || visible;
        visible = true;
        ++shown;
    }
    void hideBusy() override { visible = false; }
};

QString listColumn(const QString &table)
{
    if (table == u"dict"_s)
        return u"word"_s;
    if (table == u"英语单词"_s)
        return u"单词"_s;
    return u"name"_s;
}

QStringList rows(const store::Dataset &d)
{
    QStringList names;
    if (!d.isOpen())
        return names;
    for (int i = 0; i < d.recordCount(); ++i)
        names.append(d.keyValue(i, listColumn(d.table())));
    return names;
}

QStringList shownTexts(const RecordingMessages &messages)
{
    QStringList texts;
    for (const RecordingMessages::Shown &s : messages.shown()) {
        const char *kind = s.kind == Messages::Kind::Information ? "information: "
            : s.kind == Messages::Kind::Plain                    ? "plain: "
                                                                 : "error: ";
        texts.append(QString::fromLatin1(kind) + s.text);
    }
    return texts;
}

} // namespace

class TestSearch final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::WorkingFolder> m_folder;
    QHash<QString, std::shared_ptr<store::Dataset>> m_datasets;
    QHash<QString, int> m_wholeTable;
    RecordingBusy m_busy;

    store::Dataset &dataset(const QString &name) { return *m_datasets.value(name); }
    static QString datasetName(store::StoreId store) { return store::storeInfo(store).datasetName; }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        m_folder = std::make_unique<test::WorkingFolder>();
        for (const store::StoreInfo &info : store::stores()) {
            auto d = std::make_shared<store::Dataset>(info.datasetName);
            d->setConnectionText(store::connectionText(info.file, info.password));
            d->setKeyColumns(info.keyColumns);
            d->setTitle(info.title);
            m_datasets.insert(info.datasetName, d);
        }
        BusyIndicator::setCurrent(&m_busy);
    }

    // Every test starts from the lists as start-up leaves them.
    void init()
    {
        for (const store::StoreInfo &info : store::stores()) {
            replaceQuery(dataset(info.datasetName), info.baseQuery);
            m_wholeTable.insert(info.datasetName, dataset(info.datasetName).recordCount());
        }
        m_busy = RecordingBusy();
    }

    void cleanupTestCase()
    {
        BusyIndicator::setCurrent(nullptr);
        m_datasets.clear();
        m_folder.reset();
    }

    void search_data()
    {
        QTest::addColumn<SearchButton>("button");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("box");        // the box after the search
        QTest::addColumn<QStringList>("opened"); // queries opened, in order
        QTest::addColumn<QStringList>("found");  // what the first of them listed
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("busy");      // showings of the busy window
        QTest::addColumn<QString>("after"); // the list afterwards: found, whole, empty, closed, same

        const QString hz = u"select * from hz"_s;
        const QString cy = u"select * from cy"_s;
        const QString xhy = u"select * from xhy"_s;
        const QString en = u"select * from 英语单词"_s;
        const QString my = u"select * from mylib"_s;
        const QString noChar = u"plain: "_s + texts::kNoCharacter;
        const QString noIdiom = u"plain: "_s + texts::kNoIdiom;
        const QString none = u"plain: 没有搜索到结果！"_s;
        auto row = [](const char *name, SearchButton button, int mode, const QString &keyword, const QString &box,
                      const QStringList &opened, const QStringList &found, const QStringList &messages, int busy,
                      const char *after) {
            QTest::newRow(name) << button << mode << keyword << box << opened << found << messages << busy
                                << QString::fromLatin1(after);
        };
        const QStringList nothing;

        row("character", SearchButton::Character, 0, u"口"_s, u"口"_s, {u"select * from hz where name = \"口\""_s},
            {u"口"_s}, nothing, 0, "found");
        row("character none", SearchButton::Character, 0, u"龙"_s, u"龙"_s,
            {u"select * from hz where name = \"龙\""_s, hz}, {}, {noChar}, 1, "whole");
        row("radical", SearchButton::Character, 1, u"口"_s, u"口"_s, {u"select * from hz where part = \"口\""_s},
            u"口 叫 吃 吗 听 唱 喝"_s.split(u' '), nothing, 0, "found");
        row("radical and strokes", SearchButton::Character, 1, u"口3"_s, u"口3"_s,
            {u"select * from hz where part = \"口\" and sum=\"3\""_s}, {u"吃"_s, u"吗"_s}, nothing, 0, "found");
        row("radical and 123", SearchButton::Character, 1, u"木123"_s, u"木123"_s,
            {u"select * from hz where part = \"木\" and sum=\"12\""_s, hz}, {}, {noChar}, 1, "whole");
        row("radical strokes", SearchButton::Character, 2, u"3"_s, u"3"_s,
            {u"select * from hz where partstrokes = \"3\""_s},
            u"口 马 女 叫 吃 吗 妈 江 听 河 骂 唱 绿 喝 猫"_s.split(u' '), nothing, 0, "found");
        row("strokes", SearchButton::Character, 3, u"8"_s, u"8"_s, {u"select * from hz where strokes=8"_s},
            u"林 码 河"_s.split(u' '), nothing, 0, "found");
        row("strokes not a number", SearchButton::Character, 3, u"十"_s, u"十"_s, {}, {}, nothing, 0, "closed");
        row("strokes with a sign", SearchButton::Character, 3, u"+8"_s, u"+8"_s,
            {u"select * from hz where strokes=+8"_s}, u"林 码 河"_s.split(u' '), nothing, 0, "found");
        row("strokes with an exponent", SearchButton::Character, 3, u".8e1"_s, u".8e1"_s,
            {u"select * from hz where strokes=.8e1"_s}, u"林 码 河"_s.split(u' '), nothing, 0, "found");
        row("strokes the store cannot read", SearchButton::Character, 3, u"1e999"_s, u"1e999"_s, {}, {}, {u"error: "_s},
            0, "closed");
        row("pinyin contains", SearchButton::Character, 4, u"ma"_s, u"ma"_s,
            {u"select * from hz where pycode like \"%ma%\""_s}, u"马 吗 妈 码 骂 猫"_s.split(u' '), nothing, 0,
            "found");
        row("pinyin equals", SearchButton::Character, 5, u"ma"_s, u"ma"_s,
            {u"select * from hz where pycode = \"ma \""_s}, u"马 吗 妈 码 骂"_s.split(u' '), nothing, 0, "found");
        row("character quote", SearchButton::Character, 0, u"\""_s, u"\""_s,
            {u"select * from hz where name = \"\"\"\""_s, hz}, {}, {noChar}, 1, "whole");

        row("idiom wildcards", SearchButton::Idiom, 0, u"成?上?"_s, u"成？上？"_s,
            {u"select * from cy where name like \"%成？上？%\""_s}, {u"成千上万"_s}, nothing, 0, "found");
        row("idiom blanks", SearchButton::Idiom, 0, u"  "_s, u"  "_s,
            {u"select * from cy where name like \"%  %\""_s, cy}, {}, {noIdiom}, 1, "whole");
        row("idiom pinyin", SearchButton::Idiom, 1, u"q?b?"_s, u"q？b？"_s,
            {u"select * from cy where pyjm like \"%q？b？%\""_s}, {u"千方百计"_s}, nothing, 0, "found");
        row("idiom quoted meaning", SearchButton::Idiom, 2, u"\"一介不取\""_s, u"\"一介不取\""_s,
            {u"select * from cy where content like \"%\"\"一介不取\"\"%\""_s}, {u"一介不取"_s}, nothing, 0, "found");
        row("idiom quote", SearchButton::Idiom, 0, u"成\"千"_s, u"成\"千"_s,
            {u"select * from cy where name like \"%成\"\"千%\""_s, cy}, {}, {noIdiom}, 1, "whole");
        row("idiom source", SearchButton::Idiom, 3, u"孟子"_s, u"孟子"_s,
            {u"select * from cy where derivation like \"%孟子%\""_s}, {u"一介不取"_s}, nothing, 0, "found");
        row("idiom sample", SearchButton::Idiom, 4, u"广场"_s, u"广场"_s,
            {u"select * from cy where samples like \"%广场%\""_s}, {u"成千上万"_s}, nothing, 0, "found");

        row("xiehouyu either half", SearchButton::Xiehouyu, 0, u"无"_s, u"无"_s,
            {u"select * from xhy where name like \"%无%\"or end1 like \"%无%\""_s},
            u"阿斗当皇帝 和尚打伞 肉包子打狗"_s.split(u' '), nothing, 0, "found");
        row("xiehouyu first half", SearchButton::Xiehouyu, 1, u"和尚"_s, u"和尚"_s,
            {u"select * from xhy where name like \"%和尚%\""_s}, {u"和尚打伞"_s, u"丈二和尚"_s}, nothing, 0, "found");
        row("xiehouyu second half none", SearchButton::Xiehouyu, 2, u"和尚"_s, u"和尚"_s,
            {u"select * from xhy where end1 like \"%和尚%\""_s, xhy}, {}, {none}, 1, "whole");

        row("english exact", SearchButton::EnglishExact, 0, u"cat"_s, u"cat"_s,
            {u"select * from 英语单词 where 单词 = \"cat\""_s}, {u"cat"_s}, {u"plain: 符合条件记录1条"_s}, 0, "found");
        row("chinese exact", SearchButton::EnglishExact, 1, u"筷子"_s, u"筷子"_s,
            {u"select * from 英语单词 where 解释 = \"筷子\""_s}, {u"chopsticks"_s}, {u"plain: 符合条件记录1条"_s}, 0,
            "found");
        row("chinese exact is not english", SearchButton::EnglishExact, 1, u"cat"_s, u"cat"_s,
            {u"select * from 英语单词 where 解释 = \"cat\""_s, en}, {}, {none}, 0, "whole");
        row("english fuzzy", SearchButton::EnglishFuzzy, 0, u"ch"_s, u"ch"_s,
            {u"select * from 英语单词 where 单词 like \"%ch%\""_s}, u"chopsticks March march teacher"_s.split(u' '),
            {u"plain: 符合条件记录4条"_s}, 0, "found");
        row("chinese fuzzy", SearchButton::EnglishFuzzy, 1, u"马"_s, u"马"_s,
            {u"select * from 英语单词 where 解释 like \"%马%\""_s}, {u"horse"_s}, {u"plain: 符合条件记录1条"_s}, 0,
            "found");

        row("sayings", SearchButton::Saying, 0, u"千里"_s, u"千里"_s,
            {u"select * from mylib where name like \"%千里%\""_s},
            {u"千里之行，始于足下。"_s, u"但愿人长久，千里共婵娟。"_s,
             u"不积跬步，无以至千里；不积小流，无以成江海。"_s},
            nothing, 0, "found");
        row("persons", SearchButton::Person, 0, u"王勃"_s, u"王勃"_s,
            {u"select * from mylib where derivation like \"%王勃%\""_s},
            {u"海内存知己，天涯若比邻。"_s, u"落霞与孤鹜齐飞，秋水共长天一色。"_s}, nothing, 0, "found");
        row("persons none", SearchButton::Person, 0, u"鲁迅"_s, u"鲁迅"_s,
            {u"select * from mylib where derivation like \"%鲁迅%\""_s, my}, {}, {none}, 0, "whole");

        row("word", SearchButton::Word, 0, u"一心"_s, u"一心"_s, {u"select * from dict where word like \"%一心%\""_s},
            {u"一心一德"_s, u"一心一意"_s}, {u"plain: 查到 2 条记录"_s}, 1, "found");
        row("word none", SearchButton::Word, 0, u"龙?"_s, u"龙？"_s,
            {u"select * from dict where word like \"%龙？%\""_s}, {}, {u"plain: 关键字 龙？ 没有搜索到结果！"_s}, 1,
            "empty");

        const QStringList enterKeyword = {u"information: 请输入搜索关键字！"_s};
        row("empty", SearchButton::Idiom, 0, QString(), QString(), {}, {}, enterKeyword, 0, "same");
        row("placeholder", SearchButton::Word, 0, texts::kPlaceholder, texts::kPlaceholder, {}, {}, enterKeyword, 0,
            "same");
        // A NUL would end the store's pattern early and match every row.
        row("control characters dropped", SearchButton::Word, 0, u"\u0000龙\t?"_s, u"龙？"_s,
            {u"select * from dict where word like \"%龙？%\""_s}, {}, {u"plain: 关键字 龙？ 没有搜索到结果！"_s}, 1,
            "empty");
        row("control characters only", SearchButton::Idiom, 0, u"\t\r\n\u0000"_s, u"\t\r\n\u0000"_s, {}, {},
            enterKeyword, 0, "same");
        const QString tooLong(kKeywordLimit + 1, u'%');
        row("longer than any entry", SearchButton::EnglishFuzzy, 0, tooLong, tooLong, {}, {},
            {u"information: "_s + texts::kKeywordTooLong}, 0, "same");
    }

    void search()
    {
        QFETCH(SearchButton, button);
        QFETCH(int, mode);
        QFETCH(QString, keyword);
        QFETCH(QString, box);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, found);
        QFETCH(QStringList, messages);
        QFETCH(int, busy);
        QFETCH(QString, after);

        const SearchEntry *entry = findSearch(button, mode);
        QVERIFY(entry);
        const QString name = datasetName(entry->store);
        store::Dataset &d = dataset(name);
        const QString queryBefore = d.queryText();

        QStringList openedQueries;
        QList<QStringList> listed;
        connect(&d, &store::Dataset::reset, this, [&] {
            if (d.isOpen()
                && (openedQueries.isEmpty() || openedQueries.last() != d.queryText() || listed.last() != rows(d))) {
                openedQueries.append(d.queryText());
                listed.append(rows(d));
            }
        });
        RecordingMessages recorder;
        PlainBox keywordBox;
        keywordBox.value = keyword;
        guarded([&] { runSearch(*entry, keywordBox, d); });
        disconnect(&d, nullptr, this, nullptr);

        QCOMPARE(keywordBox.value, box);
        QCOMPARE(openedQueries, opened);
        if (!opened.isEmpty())
            QCOMPARE(listed.first(), found);
        // The store's own error texts are its business: only their kind is checked.
        QStringList shown = shownTexts(recorder);
        for (qsizetype i = 0; i < shown.size() && i < messages.size(); ++i) {
            if (messages.at(i) == u"error: "_s && shown.at(i).startsWith(messages.at(i)))
                shown[i] = messages.at(i);
        }
        QCOMPARE(shown, messages);
        QCOMPARE(m_busy.shown, busy);
        QVERIFY(!m_busy.visible);
        QVERIFY(!m_busy.nested);

        if (after == u"found"_s) {
            QCOMPARE(rows(d), found);
            QCOMPARE(d.currentRow(), 0);
        } else if (after == u"whole"_s) {
            QCOMPARE(d.recordCount(), m_wholeTable.value(name));
            QCOMPARE(d.queryText(), opened.last());
            QCOMPARE(d.currentRow(), 0);
        } else if (after == u"empty"_s) {
            QVERIFY(d.isOpen());
            QCOMPARE(d.recordCount(), 0);
            QCOMPARE(d.value(u"word"_s), QString());
        } else if (after == u"closed"_s) {
            QVERIFY(!d.isOpen());
            QCOMPARE(d.value(u"name"_s), QString());
        } else {
            QCOMPARE(d.queryText(), queryBefore);
            QCOMPARE(d.recordCount(), m_wholeTable.value(name));
        }
    }

    void orderCaptions_data()
    {
        QTest::addColumn<store::StoreId>("section");
        QTest::addColumn<SearchButton>("searchButton");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("captions"); // after each of three clicks
        QTest::addColumn<QList<QStringList>>("orders");

        const QStringList byName = u"唱 吃 喝 叫 口 吗 听"_s.split(u' ');
        const QStringList byStrokes = u"口 叫 吃 吗 听 唱 喝"_s.split(u' ');
        QTest::newRow("character") << store::StoreId::Characters << SearchButton::Character << u"口"_s
                                   << QStringList{texts::kByStrokeCount, texts::kByAlphabet, texts::kByStrokeCount}
                                   << QList<QStringList>{byName, byStrokes, byName};
        const QStringList up = u"一不做 一帆风顺 一介不取 一心一德 一心一意 一叶知秋"_s.split(u' ');
        QStringList down = up;
        std::reverse(down.begin(), down.end());
        QTest::newRow("idiom") << store::StoreId::Idioms << SearchButton::Idiom << u"一"_s
                               << QStringList{texts::kAscending, texts::kDescending, texts::kAscending}
                               << QList<QStringList>{down, up, down};
        const QStringList xup = u"狗拿耗子 孔夫子搬家 肉包子打狗 兔子尾巴 瞎子点灯"_s.split(u' ');
        QStringList xdown = xup;
        std::reverse(xdown.begin(), xdown.end());
        QTest::newRow("xiehouyu") << store::StoreId::Xiehouyu << SearchButton::Xiehouyu << u"子"_s
                                  << QStringList{texts::kAlphabetDescending, texts::kAlphabetAscending,
                                                 texts::kAlphabetDescending}
                                  << QList<QStringList>{xdown, xup, xdown};
    }

    void orderCaptions()
    {
        QFETCH(store::StoreId, section);
        QFETCH(SearchButton, searchButton);
        QFETCH(QString, keyword);
        QFETCH(QStringList, captions);
        QFETCH(QList<QStringList>, orders);

        const OrderButton *order = findOrderButton(section);
        QVERIFY(order);
        store::Dataset &d = dataset(datasetName(section));
        const SearchEntry *entry = findSearch(searchButton, searchButton == SearchButton::Character ? 1 : 0);
        PlainBox box;
        box.value = keyword;
        RecordingMessages recorder;
        runSearch(*entry, box, d);
        const QStringList storeOrder = rows(d);

        QString caption = order->startCaption;
        for (int click = 0; click < 3; ++click) {
            caption = clickOrder(*order, caption, d);
            QCOMPARE(caption, captions.at(click));
            QCOMPARE(rows(d), orders.at(click));
            QCOMPARE(d.currentRow(), 0);
        }
        // A new search brings the store's order back.
        runSearch(*entry, box, d);
        QCOMPARE(rows(d), storeOrder);
        QVERIFY(recorder.shown().isEmpty());
    }

    void sortOnClosedListIsReported()
    {
        store::Dataset &d = dataset(u"ADOQuery2"_s);
        PlainBox box;
        box.value = u"十"_s;
        RecordingMessages recorder;
        runSearch(*findSearch(SearchButton::Character, 3), box, d);
        QVERIFY(!d.isOpen());
        QString caption = texts::kByAlphabet;
        QVERIFY(!guarded([&] { caption = clickOrder(*findOrderButton(store::StoreId::Characters), caption, d); }));
        QCOMPARE(caption, texts::kByAlphabet);
        QCOMPARE(recorder.shown().size(), 1);
        QCOMPARE(recorder.lastKind(), Messages::Kind::Error);
        // The section the user knows, in Chinese punctuation: the report adds no "." after it.
        QCOMPARE(recorder.lastText(), u"明川字典的列表没有载入，无法进行此操作。"_s);
        QVERIFY(!d.isOpen());

        // A refresh lists every character again, behind the busy window.
        reloadWithBusy(d, u"select * from hz"_s);
        QCOMPARE(d.recordCount(), m_wholeTable.value(u"ADOQuery2"_s));
        QCOMPARE(m_busy.shown, 1);
        QVERIFY(!m_busy.visible);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
