#include "lookup/selectionlookup.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;
using lookup::Entry;
using store::StoreId;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<StoreId>)

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    // Every case starts as a first run: both switches off.
    void init() { QSettings().clear(); }

    // The longest idiom or word at the first Chinese character, else that character.
    void bestEntry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<StoreId>>("store"); // nullopt: no entry
        QTest::addColumn<QString>("key");
        const auto idiom = std::optional(StoreId::Idioms);
        const auto words = std::optional(StoreId::Words);
        const auto characters = std::optional(StoreId::Characters);
        QTest::newRow("idiom beats word of same length")
            << QStringLiteral("一帆风顺地走") << idiom << QStringLiteral("一帆风顺");
        QTest::newRow("idiom longer than word") << QStringLiteral("马到成功了") << idiom << QStringLiteral("马到成功");
        QTest::newRow("word") << QStringLiteral("今天天气好") << words << QStringLiteral("今天");
        QTest::newRow("longest word") << QStringLiteral("一下子") << words << QStringLiteral("一下");
        QTest::newRow("English first") << QStringLiteral("hello 女儿们") << words << QStringLiteral("女儿");
        QTest::newRow("letters inside") << QStringLiteral("卡拉OK厅") << words << QStringLiteral("卡拉OK");
        QTest::newRow("character") << QStringLiteral("  林子\n") << characters << QStringLiteral("林");
        QTest::newRow("stops at punctuation") << QStringLiteral("说，今天") << characters << QStringLiteral("说");
        QTest::newRow("beyond the BMP") << QStringLiteral("𪚥字") << characters << QStringLiteral("𪚥");
        QTest::newRow("unknown character") << QStringLiteral("丟了") << std::optional<StoreId>() << QString();
        QTest::newRow("English only") << QStringLiteral("a dictionary, 2024") << std::optional<StoreId>() << QString();
        QTest::newRow("empty") << QString() << std::optional<StoreId>() << QString();
    }
    void bestEntry()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<StoreId>, store);
        QFETCH(QString, key);
        const std::optional<Entry> entry = lookup::SelectionLookup(test::fixtureStores()).lookup(text);
        QCOMPARE(entry.has_value(), store.has_value());
        if (!entry)
            return;
        QCOMPARE(entry->store, *store);
        QCOMPARE(entry->key, key);
        QVERIFY(!entry->pinyin.isEmpty());
        QVERIFY(!entry->explanation.contains(QStringLiteral("【基本解释】")));
    }

    // Off at first and remembered; while on, only texts with an entry are reported.
    void watcherDecides()
    {
        const lookup::SelectionLookup engine(test::fixtureStores());
        {
            lookup::SelectionWatcher watcher(engine, nullptr);
            QVERIFY(!watcher.isOn());
            QSignalSpy found(&watcher, &lookup::SelectionWatcher::found);
            watcher.consider(QStringLiteral("今天"));
            QCOMPARE(found.size(), 0);
            watcher.action()->trigger();
        }
        lookup::SelectionWatcher watcher(engine, nullptr);
        QVERIFY(watcher.isOn());
        QCOMPARE(watcher.action()->text(), QStringLiteral("划词查询"));
        QSignalSpy found(&watcher, &lookup::SelectionWatcher::found);
        watcher.consider(QStringLiteral("hello"));
        watcher.consider(QStringLiteral("今天天气好"));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.at(0).at(0).value<Entry>().key, QStringLiteral("今天"));
        QCOMPARE(watcher.lastText(), QStringLiteral("今天天气好"));
        watcher.setOn(false);
        QVERIFY(!QSettings().value(QStringLiteral("lookup/selectionLookup")).toBool());
    }

    // Sequences of changes as the system reports them, decided once they rest ("settle"). Steps:
    // "sel TEXT" another program selects, "own-sel TEXT" the program itself does, "late TEXT"
    // another program selects while the program has not yet heard it lost its own selection;
    // "copy", "own-copy" and "find" likewise for the clipboard and the find buffer.
    void watcherSequences_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("clipboardToo");
        QTest::addColumn<QStringList>("found"); // keys, in order
        const auto steps = [](const char *text) { return QString::fromUtf8(text).split(u'|'); };
        const QStringList none;
        QTest::newRow("selection") << steps("sel 今天天气好|settle") << false << QStringList{u"今天"_s};
        QTest::newRow("own selection left alone") << steps("own-sel 今天天气好|settle") << false << none;
        QTest::newRow("own selection, then another program's")
            << steps("own-sel 一帆风顺|settle|sel 今天天气好|settle") << false << QStringList{u"今天"_s};
        QTest::newRow("taken over before the program heard")
            << steps("own-sel 一帆风顺|settle|late 今天天气好|settle") << false << QStringList{u"今天"_s};
        QTest::newRow("dragged: the selection as it rests")
            << steps("sel 马|sel 马到|sel 马到成功了|settle") << false << QStringList{u"马到成功"_s};
        QTest::newRow("copied, clipboard not watched") << steps("copy 今天天气好|settle") << false << none;
        QTest::newRow("copied, clipboard watched") << steps("copy 今天天气好|settle") << true << QStringList{u"今天"_s};
        QTest::newRow("own copy") << steps("own-copy 今天天气好|settle") << true << none;
        QTest::newRow("find buffer") << steps("find 今天天气好|settle") << true << none;
        QTest::newRow("selected, then copied")
            << steps("sel 马到成功了|settle|copy 今天天气好|settle") << true << QStringList{u"马到成功"_s, u"今天"_s};
    }
    void watcherSequences()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, clipboardToo);
        QFETCH(QStringList, found);
        QHash<int, QString> texts;
        QHash<int, bool> ours;
        const lookup::SelectionLookup engine(test::fixtureStores());
        lookup::SelectionWatcher watcher(engine,
                                         lookup::SelectionSource{[&](QClipboard::Mode m) { return texts.value(m); },
                                                                 [&](QClipboard::Mode m) { return ours.value(m); }});
        watcher.setOn(true);
        watcher.clipboardAction()->setChecked(clipboardToo);
        QSignalSpy spy(&watcher, &lookup::SelectionWatcher::found);
        for (const QString &step : steps) {
            const QString kind = step.section(u' ', 0, 0);
            const QString text = step.section(u' ', 1);
            if (kind == QLatin1String("settle")) {
                watcher.settle();
                continue;
            }
            const QClipboard::Mode mode = kind.endsWith(QLatin1String("copy")) ? QClipboard::Clipboard
                : kind == QLatin1String("find")                                ? QClipboard::FindBuffer
                                                                               : QClipboard::Selection;
            texts[mode] = text;
            ours[mode] = kind.startsWith(QLatin1String("own")) || kind == QLatin1String("late");
            watcher.changed(mode);
            if (kind == QLatin1String("late"))
                ours[mode] = false; // the news that it lost the selection comes in after the change
        }
        QStringList keys;
        for (const QList<QVariant> &args : spy)
            keys.append(args.at(0).value<Entry>().key);
        QCOMPARE(keys, found);
    }

    // The clipboard's item is off at first, remembered, and only to be had while selection lookup
    // is on.
    void clipboardItem()
    {
        const lookup::SelectionLookup engine(test::fixtureStores());
        {
            lookup::SelectionWatcher watcher(engine, nullptr);
            QAction *clipboard = watcher.clipboardAction();
            QCOMPARE(clipboard->text(), QStringLiteral("划词查询也查复制的文字"));
            QVERIFY(clipboard->isCheckable() && !clipboard->isChecked());
            watcher.setOn(false);
            QVERIFY(!clipboard->isEnabled());
            watcher.setOn(true);
            QVERIFY(clipboard->isEnabled());
            clipboard->trigger();
        }
        lookup::SelectionWatcher watcher(engine, nullptr);
        QVERIFY(watcher.clipboardAction()->isChecked());
        watcher.clipboardAction()->trigger();
        watcher.setOn(false);
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
