#include "app/widgets/historypanel.h"
#include "core/error.h"
#include "lookup/entryreader.h"
#include "lookup/userdata.h"
#include "platform/messages.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <sqlite3.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace mc;
using lookup::Entry;
using store::StoreId;

using namespace Qt::StringLiterals;

namespace {

Entry word(const QString &key)
{
    return {StoreId::Words, key, QStringLiteral("pīn yīn"), QStringLiteral("释义")};
}

QStringList keys(const QList<Entry> &entries)
{
    QStringList found;
    for (const Entry &e : entries)
        found.append(e.key);
    return found;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keys of one list as another program reading the file sees them, newest first.
QStringList keysInFile(const QString &path, const char *table)
{
    QStringList found;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        const QByteArray sql = QByteArray("SELECT key FROM ") + table + " ORDER BY seq DESC";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                found.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return found;
}

} // namespace

class TestUserData : public QObject {
    Q_OBJECT
private slots:
    // History and word book come back after a restart, newest first; a lookup made again moves
    // to the top instead of showing twice, and only the last 200 are kept.
    void keptAcrossRestarts()
    {
        QTemporaryDir dir;
        RecordingMessages messages;
        const Entry idiom{StoreId::Idioms, QStringLiteral("一帆风顺"), QStringLiteral("yī fān fēng shùn"),
                          QStringLiteral("比喻非常顺利，\n\"没有\"阻碍。")};
        {
            lookup::UserData data;
            data.open(dir.filePath(QStringLiteral("new/folder")));
            QVERIFY(data.isKept());
            for (int i = 0; i < 205; ++i)
                data.addLookup(word(QString::number(i)));
            data.addLookup(idiom);
            data.addLookup(word(QStringLiteral("10")));
            data.addLookup(word(QString()));
            QVERIFY(data.toggleFavourite(idiom));
            QVERIFY(data.toggleFavourite(word(QStringLiteral("甲"))));
            QVERIFY(!data.toggleFavourite(word(QStringLiteral("甲"))));
        }
        lookup::UserData data;
        data.open(dir.filePath(QStringLiteral("new/folder")));
        const QList<Entry> history = data.history();
        QCOMPARE(history.size(), lookup::UserData::kHistoryLimit);
        QCOMPARE(keys(history).mid(0, 3), QStringList({QStringLiteral("10"), idiom.key, QStringLiteral("204")}));
        QCOMPARE(history.at(1), idiom);
        QCOMPARE(keys(history).count(QStringLiteral("10")), 1);
        QVERIFY(!keys(history).contains(QStringLiteral("5"))); // the six oldest went
        QVERIFY(keys(history).contains(QStringLiteral("6")));
        QCOMPARE(data.favourites(), QList<Entry>{idiom});
        QVERIFY(data.isFavourite(StoreId::Idioms, idiom.key));
        QVERIFY(!data.isFavourite(StoreId::Words, idiom.key)); // the store is part of the entry
        QVERIFY(messages.shown().isEmpty());
    }

    // The file names each store by a key of its own, whatever order the program keeps its stores
    // in: files written before read back into the right stores, and a row of a store this copy
    // does not know is left out.
    void storesKeepTheirNamesInTheFile_data()
    {
        QTest::addColumn<StoreId>("store");
        QTest::addColumn<QString>("key");
        QTest::newRow("characters") << StoreId::Characters << u"characters"_s;
        QTest::newRow("words") << StoreId::Words << u"words"_s;
        QTest::newRow("idioms") << StoreId::Idioms << u"idioms"_s;
        QTest::newRow("xiehouyu") << StoreId::Xiehouyu << u"xiehouyu"_s;
        QTest::newRow("english") << StoreId::English << u"english"_s;
        QTest::newRow("sayings") << StoreId::Sayings << u"sayings"_s;
    }
    void storesKeepTheirNamesInTheFile()
    {
        QFETCH(StoreId, store);
        QFETCH(QString, key);
        QTemporaryDir dir;
        RecordingMessages messages;
        {
            lookup::UserData data;
            data.open(dir.path());
            data.addLookup({store, u"甲"_s, {}, {}});
        }
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(dir.filePath(u"userdata.db"_s)).constData(), &db), SQLITE_OK);
        auto exec = [db](const QString &sql) {
            return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        };
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT store FROM history", -1, &stmt, nullptr);
        QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
        const QString written = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        QCOMPARE(exec(u"INSERT INTO history(store, key) VALUES ('%1', '乙'), ('poems', '丙')"_s.arg(key)), SQLITE_OK);
        sqlite3_close(db);
        QCOMPARE(written, key);

        lookup::UserData data;
        data.open(dir.path());
        const QList<Entry> history = data.history();
        QCOMPARE(keys(history), (QStringList{u"乙"_s, u"甲"_s}));
        for (const Entry &entry : history)
            QCOMPARE(entry.store, store);
        QVERIFY(messages.shown().isEmpty());
    }

    // A user file that is not ours to read is set aside under a new name, with one message, and
    // a fresh file takes its place.
    void damagedFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArrayLiteral("history: 一, 二\n");
        QByteArray header("SQLite format 3\0", 16);
        QTest::newRow("header then noise") << header + QByteArray(4080, '\xa5');
        QTest::newRow("other layout") << QByteArray(); // written below by SQLite
    }
    void damagedFileIsSetAside()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("userdata.db"));
        if (content.isEmpty()) {
            test::makeStore(path, QStringLiteral("CREATE TABLE history(word TEXT)"), QStringLiteral("history"),
                            {{QStringLiteral("一")}});
            content = readAll(path);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        RecordingMessages messages;
        lookup::UserData data;
        data.open(dir.path());
        QVERIFY(data.isKept());
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.lastText().contains(QStringLiteral("已损坏")));
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("userdata-*.damaged.db")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(messages.lastText().contains(aside.constFirst()));
        QCOMPARE(readAll(dir.filePath(aside.constFirst())), content);
        data.addLookup(word(QStringLiteral("二")));
        QCOMPARE(keys(data.history()), QStringList{QStringLiteral("二")});
    }

    // A folder that cannot be created: lookups still work and are listed for this session, with
    // one message and nothing written.
    void unwritableFolderKeepsSessionOnly()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RecordingMessages messages;
        lookup::UserData data;
        data.open(dir.filePath(QStringLiteral("file/mingchuan")));
        QVERIFY(!data.isKept());
        data.addLookup(word(QStringLiteral("一")));
        data.toggleFavourite(word(QStringLiteral("一")));
        QCOMPARE(keys(data.history()), QStringList{QStringLiteral("一")});
        QCOMPARE(keys(data.favourites()), QStringList{QStringLiteral("一")});
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("file")});
    }

    // Another program holding the user file, or a folder that cannot be written: history and word
    // book still show and take changes at once; a held file gets them once it is free.
    void heldOrReadOnlyFileStillShows_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("another program writing") << QStringLiteral("writing");
        QTest::newRow("another program holding it whole") << QStringLiteral("exclusive");
        QTest::newRow("read-only folder") << QStringLiteral("read-only");
    }
    void heldOrReadOnlyFileStillShows()
    {
        QFETCH(QString, obstacle);
        QTemporaryDir dir;
        std::unique_ptr<test::SmallDisk> disk;
        QString folder = dir.filePath(QStringLiteral("user"));
        if (obstacle == QStringLiteral("read-only") && ::geteuid() == 0) {
            disk = std::make_unique<test::SmallDisk>(1024 * 1024); // root writes through file modes
            if (!disk->isMounted())
                QSKIP(qPrintable(disk->whyNot()));
            folder = disk->filePath(QStringLiteral("user"));
        }
        const QString path = QDir(folder).filePath(QStringLiteral("userdata.db"));
        {
            lookup::UserData earlier;
            earlier.open(folder);
            earlier.toggleFavourite(word(QStringLiteral("甲")));
            earlier.addLookup(word(QStringLiteral("乙")));
        }
        sqlite3 *holder = nullptr;
        const auto release = qScopeGuard([&holder] { sqlite3_close(holder); });
        if (obstacle == QStringLiteral("read-only")) {
            if (disk)
                QVERIFY(disk->makeReadOnly());
            else
                QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        } else {
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &holder), SQLITE_OK);
            const char *hold = obstacle == QStringLiteral("writing")
                ? "BEGIN EXCLUSIVE"
                : "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; DELETE FROM history WHERE 0; COMMIT";
            QCOMPARE(sqlite3_exec(holder, hold, nullptr, nullptr, nullptr), SQLITE_OK);
        }

        RecordingMessages messages;
        lookup::UserData data;
        data.open(folder);
        QCOMPARE(keys(data.favourites()), QStringList{QStringLiteral("甲")});
        QCOMPARE(keys(data.history()), QStringList{QStringLiteral("乙")});
        data.addLookup(word(QStringLiteral("丙")));
        data.toggleFavourite(word(QStringLiteral("丁")));
        QCOMPARE(keys(data.history()), QStringList({QStringLiteral("丙"), QStringLiteral("乙")}));
        QCOMPARE(keys(data.favourites()), QStringList({QStringLiteral("丁"), QStringLiteral("甲")}));
        if (obstacle == QStringLiteral("read-only")) {
            ::chmod(QFile::encodeName(folder).constData(), 0755);
            QVERIFY(!data.isKept());
            QCOMPARE(messages.shown().size(), 1);
            QVERIFY(messages.lastText().contains(QStringLiteral("只能读取")));
            return;
        }
        QVERIFY(data.isKept());
        QTRY_VERIFY_WITH_TIMEOUT(messages.lastText().contains(QStringLiteral("正被其他程序使用")), 30000);
        sqlite3_close(std::exchange(holder, nullptr));
        QTRY_COMPARE_WITH_TIMEOUT(keysInFile(path, "favourites"),
                                  QStringList({QStringLiteral("丁"), QStringLiteral("甲")}), 30000);
        QCOMPARE(keysInFile(path, "history"), QStringList({QStringLiteral("丙"), QStringLiteral("乙")}));
        QCOMPARE(messages.shown().size(), 1);
    }

    void csvField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << QStringLiteral("一帆风顺") << QStringLiteral("一帆风顺");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("\"a,b\"");
        QTest::newRow("quote") << QStringLiteral("说\"好\"") << QStringLiteral("\"说\"\"好\"\"\"");
        QTest::newRow("line break") << QStringLiteral("1.甲\n2.乙") << QStringLiteral("\"1.甲\n2.乙\"");
        QTest::newRow("carriage return") << QStringLiteral("甲\r乙") << QStringLiteral("\"甲\r乙\"");
        QTest::newRow("full-width comma") << QStringLiteral("甲，乙") << QStringLiteral("甲，乙");
    }
    void csvField()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(lookup::csvField(text), field);
    }

    // The word book as a flash-card file: UTF-8, oldest first, three columns; the panel's export
    // reports a file it cannot write.
    // An entry shown in the quick lookup as history keeps it: each store's own explanation column,
    // without section heads and reading marks.
    void entryFromFields_data()
    {
        using Fields = QList<QPair<QString, QString>>;
        QTest::addColumn<StoreId>("group");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<Entry>("entry");
        QTest::newRow("character") << StoreId::Characters
                                   << Fields{{u"name"_s, u"水"_s},
                                             {u"spell"_s, u"shuǐ"_s},
                                             {u"url"_s, u"x"_s},
                                             {u"content"_s, u"〔shuǐ〕\n【基本解释】\n\n氢氧化合物。"_s}}
                                   << Entry{StoreId::Characters, u"水"_s, u"shuǐ"_s, u"氢氧化合物。"_s};
        QTest::newRow("xiehouyu") << StoreId::Xiehouyu << Fields{{u"name"_s, u"和尚打伞"_s}, {u"end1"_s, u"无法无天"_s}}
                                  << Entry{StoreId::Xiehouyu, u"和尚打伞"_s, {}, u"无法无天"_s};
        QTest::newRow("English") << StoreId::English << Fields{{u"单词"_s, u"give"_s}, {u"解释"_s, u"v. 给"_s}}
                                 << Entry{StoreId::English, u"give"_s, {}, u"v. 给"_s};
        QTest::newRow("saying") << StoreId::Sayings
                                << Fields{{u"name"_s, u"学而时习之"_s}, {u"derivation"_s, u"论语"_s}}
                                << Entry{StoreId::Sayings, u"学而时习之"_s, {}, u"论语"_s};
        QTest::newRow("idiom: content before source")
            << StoreId::Idioms
            << Fields{{u"name"_s, u"一帆风顺"_s}, {u"derivation"_s, u"出处"_s}, {u"content"_s, u"顺利"_s}}
            << Entry{StoreId::Idioms, u"一帆风顺"_s, {}, u"顺利"_s};
    }
    void entryFromFields()
    {
        using Fields = QList<QPair<QString, QString>>;
        QFETCH(StoreId, group);
        QFETCH(Fields, fields);
        QFETCH(Entry, entry);
        QCOMPARE(lookup::entryOf(group, fields), entry);
    }

    void exportWritesWordBook()
    {
        QTemporaryDir dir;
        RecordingMessages messages;
        lookup::UserData data;
        data.open(dir.path());
        data.toggleFavourite(
            {StoreId::Characters, QStringLiteral("一"), QStringLiteral("yī"), QStringLiteral("数目，\"一\"")});
        data.toggleFavourite({StoreId::English, QStringLiteral("apple"), QString(), QStringLiteral("n.苹果\n苹果树")});
        app::HistoryPanel panel(data);
        const QString path = dir.filePath(QStringLiteral("生词本.csv"));
        QVERIFY(panel.exportTo(path));
        QCOMPARE(QString::fromUtf8(readAll(path)),
                 QStringLiteral("#separator:comma\n#html:false\n#columns:word,pinyin,explanation\n"
                                "一,yī,\"数目，\"\"一\"\"\"\n"
                                "apple,,\"n.苹果\n苹果树\"\n"));
        QVERIFY(!panel.exportTo(dir.filePath(QStringLiteral("missing/生词本.csv"))));
        QCOMPARE(messages.lastKind(), Messages::Kind::Error);
        QVERIFY_THROWS_EXCEPTION(Error, data.exportCsv(dir.path()));
    }

    // A full disk: the earlier export stays whole and the user hears why the new one failed.
    void exportToFullDiskKeepsEarlierFile()
    {
        test::SmallDisk disk(64 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir dir;
        RecordingMessages messages;
        lookup::UserData data;
        data.open(dir.path());
        data.toggleFavourite(word(QStringLiteral("一帆风顺")));
        app::HistoryPanel panel(data);
        const QString path = disk.filePath(QStringLiteral("生词本.csv"));
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("#separator:comma\n");
        earlier.close();
        disk.fill();
        QVERIFY(!panel.exportTo(path));
        QCOMPARE(messages.lastKind(), Messages::Kind::Error);
        QVERIFY(messages.lastText().contains(QStringLiteral("磁盘空间不足")));
        QCOMPARE(readAll(path), QByteArray("#separator:comma\n"));
    }

    // The star in either list puts an entry into the word book or takes it out.
    void panelStarsToggleWordBook()
    {
        QTemporaryDir dir;
        lookup::UserData data;
        data.open(dir.path());
        app::HistoryPanel panel(data);
        auto *history = panel.findChild<QTreeWidget *>(QStringLiteral("historyList"));
        auto *book = panel.findChild<QTreeWidget *>(QStringLiteral("favouritesList"));
        data.addLookup(word(QStringLiteral("今天")));
        data.addLookup(word(QStringLiteral("女儿")));
        QCOMPARE(history->topLevelItemCount(), 2);
        emit history->itemClicked(history->topLevelItem(1), 0);
        QCOMPARE(keys(data.favourites()), QStringList{QStringLiteral("今天")});
        QCOMPARE(book->topLevelItem(0)->text(1), QStringLiteral("今天"));
        QCOMPARE(history->topLevelItem(1)->text(0), QStringLiteral("★"));
        emit history->itemClicked(history->topLevelItem(0), 1); // not the star
        emit book->itemClicked(book->topLevelItem(0), 0);
        QCOMPARE(book->topLevelItemCount(), 0);
        QCOMPARE(history->topLevelItem(1)->text(0), QStringLiteral("☆"));
    }

    // "生成字帖…" hands on the word book's headwords (not the history's), newest first.
    void sheetButtonTakesWordBook()
    {
        QTemporaryDir dir;
        lookup::UserData data;
        data.open(dir.path());
        app::HistoryPanel panel(data);
        data.addLookup(word(QStringLiteral("今天")));
        data.toggleFavourite(word(QStringLiteral("女儿")));
        data.toggleFavourite({StoreId::English, QStringLiteral("apple"), QString(), QStringLiteral("n.苹果")});
        QSignalSpy requested(&panel, &app::HistoryPanel::sheetRequested);
        panel.findChild<QPushButton *>(QStringLiteral("sheetButton"))->click();
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("apple 女儿"));
    }
};

QTEST_MAIN(TestUserData)
#include "tst_userdata.moc"
