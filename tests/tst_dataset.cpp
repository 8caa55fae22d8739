#include "core/error.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/datasetmodel.h"
#include "store/storefile.h"
#include "support/testsupport.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace mc;
using store::Dataset;

class TestDataset final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;

    std::unique_ptr<Dataset> openOn(const QString &query, const QString &path = {})
    {
        auto d = std::make_unique<Dataset>(QStringLiteral("ADOQuery2"));
        d->setConnectionText(store::connectionText(path.isEmpty() ? m_path : path, QStringLiteral("pw")));
        d->setKeyColumns({QStringLiteral("name"), QStringLiteral("strokes")});
        d->appendQuery(query);
        d->open();
        return d;
    }

    static QStringList names(const Dataset &d)
    {
        QStringList out;
        for (int i = 0; i < d.recordCount(); ++i)
            out.append(d.keyValue(i, QStringLiteral("name")));
        return out;
    }

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath(QStringLiteral("hz.db"));
        test::makeStore(
            m_path,
            QStringLiteral("CREATE TABLE hz(name TEXT COLLATE NOCASE, spell TEXT, strokes INTEGER, "
                           "content TEXT, part TEXT COLLATE NOCASE)"),
            QStringLiteral("hz"),
            {{QStringLiteral("中"), QStringLiteral("zhōng"), 4, QStringLiteral("中间"), QStringLiteral("丨")},
             {QStringLiteral("阿"), QStringLiteral("ā"), 7, QStringLiteral("阿姨"), QStringLiteral("阝")},
             {QStringLiteral("十"), QStringLiteral("shí"), 2, QStringLiteral("数目"), QStringLiteral("十")},
             {QStringLiteral("爸"), QStringLiteral("bà"), 8, QStringLiteral("父亲"), QStringLiteral("父")},
             {QStringLiteral("Ab"), QStringLiteral("ab"), 10, QString(), QStringLiteral("x")},
             {QStringLiteral("中"), QStringLiteral("zhòng"), 4, QStringLiteral("击中"), QStringLiteral("丨")}});
    }

    void opensOnFirstRowWithLazyFields()
    {
        auto d = openOn(QStringLiteral("select * from hz"));
        QCOMPARE(d->recordCount(), 6);
        QCOMPARE(d->currentRow(), 0);
        QCOMPARE(d->value(QStringLiteral("spell")), QStringLiteral("zhōng"));
        QCOMPARE(d->value(QStringLiteral("STROKES")), QStringLiteral("4")); // names ignore case
        d->setCurrentRow(3);
        QCOMPARE(d->value(QStringLiteral("content")), QStringLiteral("父亲"));
        QVERIFY(!d->isKeyColumn(QStringLiteral("content"))); // read when current, not held
        QCOMPARE(d->value(QStringLiteral("nosuchcolumn")), QString());
    }

    void searchesMatchLikeTheOriginalEngine_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("equality ignores case")
            << QStringLiteral("select * from hz where name = \"ab\"") << QStringList{QStringLiteral("Ab")};
        QTest::newRow("like with percent")
            << QStringLiteral("select * from hz where content like \"%阿%\"") << QStringList{QStringLiteral("阿")};
        QTest::newRow("full-width wildcard")
            << QStringLiteral("select * from hz where content like \"击？\"") << QStringList{QStringLiteral("中")};
        QTest::newRow("numeric") << QStringLiteral("select * from hz where strokes = 4")
                                 << QStringList{QStringLiteral("中"), QStringLiteral("中")};
        QTest::newRow("quote in keyword is data")
            << QStringLiteral("select * from hz where name like \"%中\"\"%\"") << QStringList{};
        QTest::newRow("no match") << QStringLiteral("select * from hz where part = \"龠\"") << QStringList{};
    }
    void searchesMatchLikeTheOriginalEngine()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        auto d = openOn(query);
        QCOMPARE(names(*d), expected);
        QCOMPARE(d->currentRow(), expected.isEmpty() ? -1 : 0);
        if (expected.isEmpty())
            QCOMPARE(d->value(QStringLiteral("spell")), QString());
    }

    void sortsLoadedRowsStably_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QStringList>("expected");
        // Pinyin order (ā < bà < shí < zhōng); the zh collation puts Han before Latin letters.
        QTest::newRow("name ASC") << QStringLiteral("name ASC")
                                  << QStringList{QStringLiteral("阿"), QStringLiteral("爸"), QStringLiteral("十"),
                                                 QStringLiteral("中"), QStringLiteral("中"), QStringLiteral("Ab")};
        QTest::newRow("name DESC") << QStringLiteral("name DESC")
                                   << QStringList{QStringLiteral("Ab"), QStringLiteral("中"), QStringLiteral("中"),
                                                  QStringLiteral("十"), QStringLiteral("爸"), QStringLiteral("阿")};
        QTest::newRow("strokes ASC numerically")
            << QStringLiteral("strokes ASC")
            << QStringList{QStringLiteral("十"), QStringLiteral("中"), QStringLiteral("中"),
                           QStringLiteral("阿"), QStringLiteral("爸"), QStringLiteral("Ab")};
    }
    void sortsLoadedRowsStably()
    {
        QFETCH(QString, sort);
        QFETCH(QStringList, expected);
        auto d = openOn(QStringLiteral("select * from hz"));
        d->setSort(sort);
        QCOMPARE(names(*d), expected);
        // Ties keep their store order: the two 中 rows stay zhōng before zhòng.
        const int first = int(names(*d).indexOf(QStringLiteral("中")));
        d->setCurrentRow(first);
        QCOMPARE(d->value(QStringLiteral("spell")), QStringLiteral("zhōng"));
        d->setCurrentRow(first + 1);
        QCOMPARE(d->value(QStringLiteral("spell")), QStringLiteral("zhòng"));
        // Reopening restores the store's order.
        d->open();
        QCOMPARE(names(*d).first(), QStringLiteral("中"));
        QCOMPARE(names(*d).last(), QStringLiteral("中"));
    }

    void closedDatasetRefusesCountAndSort()
    {
        auto d = openOn(QStringLiteral("select * from hz"));
        d->clearQuery();
        QVERIFY(!d->isOpen());
        QVERIFY_THROWS_EXCEPTION(Error, d->recordCount());
        QVERIFY_THROWS_EXCEPTION(Error, d->setSort(QStringLiteral("name ASC")));
        QCOMPARE(d->value(QStringLiteral("name")), QString());
        d->appendQuery(QStringLiteral("select * from nosuchtable"));
        QVERIFY_THROWS_EXCEPTION(Error, d->open());
        QVERIFY(!d->isOpen());
        d->clearQuery();
        d->appendQuery(QStringLiteral("select * from hz"));
        d->open();
        QVERIFY_THROWS_EXCEPTION(Error, d->setSort(QStringLiteral("content ASC")));
        QVERIFY_THROWS_EXCEPTION(Error, d->setSort(QStringLiteral("name sideways")));
    }

    void storeIsHeldExclusively()
    {
        auto first = openOn(QStringLiteral("select * from hz"));
        try {
            openOn(QStringLiteral("select * from hz"));
            QFAIL("second open of a held store succeeded");
        } catch (const Error &e) {
            QVERIFY(e.text().contains(m_path));
        }
        first.reset();
        QCOMPARE(openOn(QStringLiteral("select * from hz"))->recordCount(), 6);
    }

    // With a lock folder, a store is held per folder (per user), not on the shared file.
    // clang-format off
    void heldStoreMeetsOnlyCopiesWithTheSameLockFolder_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("secondOpens");
        QTest::newRow("on the file") << QString() << QString() << false;
        QTest::newRow("same user") << "a" << "a" << false;
        QTest::newRow("two users") << "a" << "b" << true;
    }
    // clang-format on
    void heldStoreMeetsOnlyCopiesWithTheSameLockFolder()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, secondOpens);
        QTemporaryDir users;
        auto lockFolder = [&users](const QString &user) {
            QDir(users.path()).mkpath(user);
            return user.isEmpty() ? user : users.filePath(user);
        };
        store::StoreFile::setLockFolder(lockFolder(first));
        const store::StoreFile held(m_path, true);
        store::StoreFile::setLockFolder(lockFolder(second));
        bool opened = true;
        try {
            const store::StoreFile other(m_path, true);
        } catch (const Error &e) {
            opened = false;
            QVERIFY2(e.text().contains(QStringLiteral("另一个程序")), qPrintable(e.text()));
        }
        store::StoreFile::setLockFolder({});
        QCOMPARE(opened, secondOpens);
    }

    void missingOrInvalidStoreNamesTheFile()
    {
        const QString missing = m_dir.filePath(QStringLiteral("none.db"));
        QVERIFY_THROWS_EXCEPTION(Error, openOn(QStringLiteral("select * from hz"), missing));
        const QString junk = m_dir.filePath(QStringLiteral("junk.db"));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        try {
            openOn(QStringLiteral("select * from hz"), junk);
            QFAIL("opened a file that is no store");
        } catch (const Error &e) {
            QVERIFY(e.text().contains(junk));
        }
    }

    // A damaged table must fail clearly: a double-quoted missing name used to become a string,
    // and a missing list column used to be left out, both giving wrong lists without a word.
    void missingColumnIsAnError_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("named");
        QTest::newRow("list column") << QStringList{QStringLiteral("name"), QStringLiteral("oldname")}
                                     << QStringLiteral("select * from hz") << QStringLiteral("oldname");
        QTest::newRow("searched column") << QStringList{QStringLiteral("name")}
                                         << QStringLiteral("select * from hz where pycode like \"%name%\"")
                                         << QStringLiteral("hz.db");
        QTest::newRow("compared with its own name")
            << QStringList{QStringLiteral("name")} << QStringLiteral("select * from hz where ID = \"ID\"")
            << QStringLiteral("hz.db");
    }
    void missingColumnIsAnError()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, query);
        QFETCH(QString, named);
        Dataset d(QStringLiteral("ADOQuery2"));
        d.setConnectionText(store::connectionText(m_path, QStringLiteral("pw")));
        d.setKeyColumns(keys);
        d.appendQuery(query);
        try {
            d.open();
            QFAIL(qPrintable(QStringLiteral("opened with %1 rows").arg(d.recordCount())));
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(named), qPrintable(e.text()));
            QVERIFY2(e.text().endsWith(QStringLiteral("。")), qPrintable(e.text()));
        }
        QVERIFY(!d.isOpen());
    }

    void storeChecksTableAndColumnsWhenFirstReached()
    {
        Dataset d(QStringLiteral("ADOQuery2"));
        d.setConnectionText(store::connectionText(m_path, QStringLiteral("pw")));
        d.setKeyColumns({QStringLiteral("name")});
        d.setStoreTable(QStringLiteral("hz"), {QStringLiteral("name"), QStringLiteral("spell"), QStringLiteral("url")});
        d.appendQuery(QStringLiteral("select * from hz"));
        QVERIFY_THROWS_EXCEPTION(Error, d.open());
        try {
            d.open();
        } catch (const Error &e) {
            QCOMPARE(e.text(), QStringLiteral("数据库文件 %1 中的表 hz 缺少列 url。").arg(m_path));
        }
        // The failed check holds no lock: the same store opens once the check is met.
        d.setStoreTable(QStringLiteral("hz"), {QStringLiteral("name"), QStringLiteral("spell")});
        d.open();
        QCOMPARE(d.recordCount(), 6);
    }

    // Whatever statement reaches a store connection, it can only read its own table.
    void connectionOnlyReads_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("reading its table") << QStringLiteral("SELECT name FROM hz WHERE name LIKE ?") << true;
        QTest::newRow("its columns") << QStringLiteral("PRAGMA table_info(\"hz\")") << true;
        QTest::newRow("another table") << QStringLiteral("SELECT * FROM other") << false;
        QTest::newRow("delete") << QStringLiteral("DELETE FROM hz") << false;
        QTest::newRow("temporary table") << QStringLiteral("CREATE TEMP TABLE t(x)") << false;
        QTest::newRow("attach") << QStringLiteral("ATTACH DATABASE ':memory:' AS m") << false;
        QTest::newRow("writable schema") << QStringLiteral("PRAGMA writable_schema = 1") << false;
        QTest::newRow("query only off") << QStringLiteral("PRAGMA query_only = 0") << false;
        QTest::newRow("extension") << QStringLiteral("SELECT load_extension('x')") << false;
        QTest::newRow("double-quoted string") << QStringLiteral("SELECT \"nosuch\" FROM hz") << false;
    }
    void connectionOnlyReads()
    {
        QFETCH(QString, sql);
        QFETCH(bool, allowed);
        const QString path = m_dir.filePath(QStringLiteral("two.db"));
        if (!QFile::exists(path)) {
            test::makeStore(path, QStringLiteral("CREATE TABLE hz(name TEXT)"), QStringLiteral("hz"),
                            {{QStringLiteral("中")}});
            sqlite3 *db = nullptr;
            sqlite3_open(QFile::encodeName(path).constData(), &db);
            sqlite3_exec(db, "CREATE TABLE other(x); INSERT INTO other VALUES (1)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        store::StoreFile file(path, false, {QStringLiteral("hz")});
        QVariantList params;
        if (sql.contains(QLatin1Char('?')))
            params.append(QStringLiteral("%"));
        bool ran = true;
        try {
            store::Statement statement(file, sql, params);
            while (statement.next()) {}
        } catch (const Error &e) {
            ran = false;
            QVERIFY2(e.text().endsWith(QStringLiteral("。")), qPrintable(e.text()));
        }
        QCOMPARE(ran, allowed);
        if (!allowed) // query_only stays on whatever was tried
            QVERIFY_THROWS_EXCEPTION(Error, store::Statement(file, QStringLiteral("CREATE TEMP TABLE u(x)"), {}));
    }

    // A damaged store's field of megabytes is held and shown by its start only, so that neither
    // opening the list nor drawing it grows with the field; numbers stay numbers.
    void longFieldIsHeldAndShownByItsStart()
    {
        const QString path = m_dir.filePath(QStringLiteral("long.db"));
        const QString huge(2 * 1024 * 1024, u'长');
        test::makeStore(path, QStringLiteral("CREATE TABLE hz(name TEXT, strokes INTEGER, content TEXT)"),
                        QStringLiteral("hz"), {{huge, 8, huge}, {QStringLiteral("短"), 12, QStringLiteral("短")}});
        auto d = openOn(QStringLiteral("select * from hz"), path);
        QCOMPARE(d->keyValue(0, QStringLiteral("name")), huge.left(Dataset::kHeldLength));
        QCOMPARE(d->value(QStringLiteral("content")), huge.left(Dataset::kHeldLength));
        d->setSort(QStringLiteral("strokes DESC"));
        QCOMPARE(d->keyValue(0, QStringLiteral("name")), QStringLiteral("短"));
        store::DatasetModel model(d.get(), {{QStringLiteral("name"), QStringLiteral("简体")}});
        const QString shown = model.data(model.index(1, 0), Qt::DisplayRole).toString();
        QCOMPARE(shown, huge.left(store::DatasetModel::kShownLength) + QStringLiteral("…"));
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("短"));
    }

    void modelAndSelectionFollowTheCurrentRow()
    {
        auto d = openOn(QStringLiteral("select * from hz"));
        store::DatasetModel model(d.get(), {{QStringLiteral("name"), QStringLiteral("简体")}});
        QItemSelectionModel selection(&model);
        store::bindSelection(d.get(), &selection);
        QCOMPARE(model.rowCount(), 6);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("简体"));
        QCOMPARE(selection.currentIndex().row(), 0);
        selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(d->currentRow(), 2);
        d->setCurrentRow(4);
        QCOMPARE(selection.currentIndex().row(), 4);
        d->clearQuery();
        d->appendQuery(QStringLiteral("select * from hz where name = \"none\""));
        d->open();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
