#include "lookup/selectionlookup.h"
#include "support/testsupport.h"

#include <QAction>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;
using lookup::Entry;
using store::StoreId;

Q_DECLARE_METATYPE(std::optional<StoreId>)

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

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

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
