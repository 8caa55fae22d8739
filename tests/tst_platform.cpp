#include "core/error.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/textcodec.h"
#include "platform/webprofile.h"
#include "support/doubles.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace mc;

class TestPlatform final : public QObject {
    Q_OBJECT
private slots:
    void byteLengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ascii") << QStringLiteral("abc") << 3;
        QTest::newRow("gbk") << QStringLiteral("汉字") << 4;
        QTest::newRow("ext-a four bytes") << QStringLiteral("㐀") << 4;
        QTest::newRow("ext-b four bytes") << QStringLiteral("𠀀") << 4;
        QTest::newRow("ideographic space") << QStringLiteral("\u3000") << 2;
    }
    void byteLengths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(textcodec::byteLength(text), bytes);
        QCOMPARE(textcodec::decode(textcodec::encode(text)), text);
    }

    void truncationNeverSplitsACharacter()
    {
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("a汉字"), 4), QStringLiteral("a汉"));
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("𠀀x"), 3), QString());
        QCOMPARE(textcodec::truncateToBytes(QStringLiteral("𠀀x"), 5), QStringLiteral("𠀀x"));
    }

    void writtenLinesAreGb18030WithCrLfAndNoBom()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.dat"));
        textcodec::writeLines(path, {QStringLiteral("汉"), QStringLiteral("b")});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xBA\xBA\r\nb\r\n"));
        QVERIFY_THROWS_EXCEPTION(Error, textcodec::writeLines(dir.filePath(QStringLiteral("no/such/dir/x")), {}));
    }

    // A full disk, played by a file size limit on this process: the write fails, the old file
    // stays whole, and the error names the file.
    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lsjt.dat"));
        textcodec::writeLines(path, {QStringLiteral("旧的一页")});
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();

        const QStringList page(2000, QStringLiteral("新的一页，很长很长的一行文字"));
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        try {
            textcodec::writeLines(path, page);
        } catch (const Error &e) {
            error = e.text();
        }
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(error, QStringLiteral("无法写入文件 lsjt.dat。"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("lsjt.dat")});
    }

    // A really full disk: a page short enough to wait in the write buffer fails only when the
    // file is finished, and must fail there rather than leave an empty file behind.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("short page, still buffered") << 40;
        QTest::newRow("long page") << 2000;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, lines);
        test::SmallDisk disk(64 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.whyNot()));
        const QString path = disk.filePath(QStringLiteral("lsjt.dat"));
        textcodec::writeLines(path, {QStringLiteral("旧的一页")});
        disk.fill();
        QString error;
        try {
            textcodec::writeLines(path, QStringList(lines, QStringLiteral("新的一页，很长很长的一行文字")));
        } catch (const Error &e) {
            error = e.text();
        }
        QCOMPARE(error, QStringLiteral("无法写入文件 lsjt.dat：磁盘空间不足。"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("\xBE\xC9\xB5\xC4\xD2\xBB\xD2\xB3\r\n"));
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("filler"), QStringLiteral("lsjt.dat")}));
    }

    void errorReportAddsFullStopUnlessPunctuated_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("找不到文件") << QStringLiteral("找不到文件.");
        QTest::newRow("full stop") << QStringLiteral("Done.") << QStringLiteral("Done.");
        QTest::newRow("chinese stop") << QStringLiteral("出错了。") << QStringLiteral("出错了。");
        QTest::newRow("exclamation") << QStringLiteral("网络暂时出错，请稍后再试！")
                                     << QStringLiteral("网络暂时出错，请稍后再试！");
    }
    void errorReportAddsFullStopUnlessPunctuated()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(errorReportText(text), shown);
    }

    void guardReportsWhatACommandThrows()
    {
        RecordingMessages messages;
        QVERIFY(guarded([] {}));
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!guarded([] { throw Error(QStringLiteral("坏了")); }));
        QVERIFY(!guarded([] { throw std::runtime_error("broken"); }));
        QCOMPARE(messages.shown().size(), 2);
        QCOMPARE(messages.shown().at(0).kind, Messages::Kind::Error);
        QCOMPARE(messages.shown().at(0).text, QStringLiteral("坏了."));
        // A library's English text means nothing to the user.
        QCOMPARE(messages.shown().at(1).text, QStringLiteral("程序内部错误，这项操作没有完成。"));
    }

    // Whatever a text holds, a box shows it as typed: never bold, never a picture it would load.
    void boxesShowPlainText_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("information") << int(Messages::Kind::Information);
        QTest::newRow("plain") << int(Messages::Kind::Plain);
        QTest::newRow("confirmation") << int(Messages::Kind::Confirmation);
        QTest::newRow("error") << int(Messages::Kind::Error);
        QTest::newRow("application error") << int(Messages::Kind::ApplicationError);
    }
    void boxesShowPlainText()
    {
        QFETCH(int, kind);
        const QString text
            = QStringLiteral("关键字 <b>zzqq</b><img src=\"/some/local/picture.png\"> x 没有搜索到结果！");
        int format = -1;
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            format = int(box->textFormat());
            if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
                shown = label->text();
            box->done(0);
        });
        QtMessages boxes;
        switch (Messages::Kind(kind)) {
        case Messages::Kind::Information:
            boxes.information(text);
            break;
        case Messages::Kind::Plain:
            boxes.plain(text);
            break;
        case Messages::Kind::Confirmation:
            boxes.confirm(text);
            break;
        case Messages::Kind::Error:
            boxes.error(text);
            break;
        case Messages::Kind::ApplicationError:
            boxes.applicationError(text);
            break;
        }
        QCOMPARE(format, int(Qt::PlainText));
        QCOMPARE(shown, text);
    }

    // Under a scratch folder: cwd/ is the working directory, prefix/bin the program's folder,
    // prefix/share/mingchuan/data the installed stores; the stores named are created empty.
    void storesAreFoundInTheFirstFolderHoldingAny_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found"); // relative to the scratch folder; empty: none found
        const QString beside = QStringLiteral("prefix/bin/data");
        const QString shared = QStringLiteral("prefix/share/mingchuan/data");
        QTest::newRow("working directory first")
            << QStringList{QStringLiteral("cwd/data/xhi.db"), beside + QStringLiteral("/xhi.db")}
            << QStringLiteral("data");
        QTest::newRow("one store is enough to stop there")
            << QStringList{QStringLiteral("cwd/data/xhg.db"), shared + QStringLiteral("/xhi.db")}
            << QStringLiteral("data");
        QTest::newRow("beside the program")
            << QStringList{beside + QStringLiteral("/xhb.db"), shared + QStringLiteral("/xhi.db")} << beside;
        QTest::newRow("empty working data folder")
            << QStringList{QStringLiteral("cwd/data/other.txt"), shared + QStringLiteral("/xhk.db")} << shared;
        QTest::newRow("none") << QStringList{QStringLiteral("cwd/data/xhi.db.part")} << QString();
    }
    void storesAreFoundInTheFirstFolderHoldingAny()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        QVERIFY(root.mkpath(QStringLiteral("cwd")) && root.mkpath(QStringLiteral("prefix/bin")));
        for (const QString &file : std::as_const(files)) {
            QVERIFY(root.mkpath(QFileInfo(file).path()));
            QFile created(root.filePath(file));
            QVERIFY(created.open(QIODevice::WriteOnly));
        }
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.filePath(QStringLiteral("cwd")));
        const QStringList stores{QStringLiteral("xhi.db"), QStringLiteral("xhb.db"), QStringLiteral("xhg.db"),
                                 QStringLiteral("xhk.db")};
        QString folder, error;
        try {
            folder = paths::findStoreFolder(stores, root.filePath(QStringLiteral("prefix/bin")));
        } catch (const Error &e) {
            error = e.text();
        }
        QDir::setCurrent(previous);
        if (found.isEmpty()) {
            for (const char *looked : {"cwd/data", "prefix/bin/data", "prefix/share/mingchuan/data"})
                QVERIFY2(error.contains(root.filePath(QLatin1String(looked))), qPrintable(error));
            QVERIFY2(error.endsWith(QStringLiteral("。")), qPrintable(error));
        } else {
            QCOMPARE(folder, found == QLatin1String("data") ? found : root.filePath(found));
        }
    }

    // An installed copy, or one whose folder cannot be written, writes into the user's folders.
    // clang-format off
    void writtenFilesGoBesideTheProgramOrToTheUser_data()
    {
        QTest::addColumn<QString>("program");  // the program's folder, under a scratch folder
        QTest::addColumn<QString>("shared");   // created when not empty
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("pages");    // expected: "program", "cache" or "config"
        QTest::addColumn<QString>("settings");
        const QString none;
        QTest::newRow("own folder") << "app" << none << true << "program" << "program";
        QTest::newRow("bin without a shared folder") << "usr/bin" << none << true << "program" << "program";
        QTest::newRow("installed") << "usr/bin" << "usr/share/mingchuan" << true << "cache" << "config";
        QTest::newRow("read-only folder") << "app" << none << false << "cache" << "config";
    }
    // clang-format on
    void writtenFilesGoBesideTheProgramOrToTheUser()
    {
        QFETCH(QString, program);
        QFETCH(QString, shared);
        QFETCH(bool, writable);
        QFETCH(QString, pages);
        QFETCH(QString, settings);
        if (!writable && ::geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root.filePath(QStringLiteral("cache"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
        QVERIFY(root.mkpath(program));
        if (!shared.isEmpty())
            QVERIFY(root.mkpath(shared));
        const QString folder = root.filePath(program);
        if (!writable)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        auto expected = [&](const QString &where) {
            if (where == QLatin1String("program"))
                return folder;
            return root.filePath(where + QStringLiteral("/mingchuan"));
        };
        QCOMPARE(paths::writeFolder(paths::Written::Page, folder), expected(pages));
        QCOMPARE(paths::writeFolder(paths::Written::Setting, folder), expected(settings));
        QVERIFY(QFileInfo(expected(pages)).isDir()); // created for the first write
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Settings live in ~/.config/mingchuan/mingchuan.conf; the file an earlier version left under
    // "Unknown Organization" is carried over once and never over settings already made.
    // clang-format off
    void settingsLandInTheProgramsFolder_data()
    {
        QTest::addColumn<QString>("oldValue");  // empty: no old file
        QTest::addColumn<QString>("newValue");  // empty: no new file yet
        QTest::addColumn<QString>("expected");
        QTest::newRow("first start") << QString() << QString() << QString();
        QTest::newRow("old file carried over") << "old" << QString() << "old";
        QTest::newRow("new settings win") << "old" << "new" << "new";
        QTest::newRow("later start") << QString() << "new" << "new";
    }
    // clang-format on
    void settingsLandInTheProgramsFolder()
    {
        QFETCH(QString, oldValue);
        QFETCH(QString, newValue);
        QFETCH(QString, expected);
        QTemporaryDir scratch;
        const QDir config(scratch.filePath(QStringLiteral("config")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path()); // cached per process
        const QString oldFile = config.filePath(QStringLiteral("Unknown Organization/mingchuan.conf"));
        const QString newFile = config.filePath(QStringLiteral("mingchuan/mingchuan.conf"));
        if (!oldValue.isEmpty()) {
            QSettings old(oldFile, QSettings::NativeFormat);
            old.setValue(QStringLiteral("quickLookup/geometry"), oldValue);
            old.setValue(QStringLiteral("other"), 7);
        }
        if (!newValue.isEmpty())
            QSettings(newFile, QSettings::NativeFormat).setValue(QStringLiteral("quickLookup/geometry"), newValue);

        const QString organisation = QCoreApplication::organizationName();
        const QString application = QCoreApplication::applicationName();
        paths::setUpSettings();
        {
            const QSettings settings;
            QCOMPARE(settings.fileName(), newFile);
            QCOMPARE(settings.value(QStringLiteral("quickLookup/geometry")).toString(), expected);
            QCOMPARE(settings.contains(QStringLiteral("other")), !oldValue.isEmpty() && newValue.isEmpty());
        }
        QVERIFY(!QFileInfo::exists(config.filePath(QStringLiteral("Unknown Organization"))));
        QCoreApplication::setOrganizationName(organisation);
        QCoreApplication::setApplicationName(application);
    }

    // The engine's settings go into the environment only while Qt reads them: the user's own
    // choice stands, and programs started later see the environment as the user left it.
    void engineSettingsLeaveTheUsersEnvironment_data()
    {
        QTest::addColumn<QStringList>("before"); // NAME=value, as the user set them
        QTest::addColumn<QStringList>("during");
        const QString flags = QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS=");
        const QStringList software{QStringLiteral("QT_QUICK_BACKEND=software"),
                                   QStringLiteral("QT_XCB_GL_INTEGRATION=none")};
        QTest::newRow("nothing set") << QStringList()
                                     << QStringList{flags + QStringLiteral("--process-per-site")} + software;
        QTest::newRow("own flags") << QStringList{flags + QStringLiteral("--lang=zh")}
                                   << QStringList{flags + QStringLiteral("--lang=zh --process-per-site")} + software;
        QTest::newRow("flag already there") << QStringList{flags + QStringLiteral("--process-per-site")}
                                            << QStringList{flags + QStringLiteral("--process-per-site")} + software;
        QTest::newRow("own way of drawing") << QStringList{QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_glx")}
                                            << QStringList{flags + QStringLiteral("--process-per-site"),
                                                           QStringLiteral("QT_XCB_GL_INTEGRATION=xcb_glx")};
        QTest::newRow("own scene graph") << QStringList{QStringLiteral("QT_QUICK_BACKEND=rhi")}
                                         << QStringList{flags + QStringLiteral("--process-per-site"),
                                                        QStringLiteral("QT_QUICK_BACKEND=rhi")};
    }

    void engineSettingsLeaveTheUsersEnvironment()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, during);
        const QList<QByteArray> names{"QTWEBENGINE_CHROMIUM_FLAGS", "QT_QUICK_BACKEND", "QT_XCB_GL_INTEGRATION"};
        QList<QByteArray> saved;
        for (const QByteArray &name : names) {
            saved.append(qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
            qunsetenv(name);
        }
        const auto putBack = qScopeGuard([&] {
            for (qsizetype i = 0; i < names.size(); ++i) {
                if (saved.at(i).isNull())
                    qunsetenv(names.at(i));
                else
                    qputenv(names.at(i), saved.at(i));
            }
        });
        const auto environment = [&names] {
            QStringList set;
            for (const QByteArray &name : names) {
                if (qEnvironmentVariableIsSet(name))
                    set.append(QString::fromLatin1(name + '=' + qgetenv(name)));
            }
            set.sort();
            return set;
        };
        for (const QString &variable : std::as_const(before))
            qputenv(variable.section(u'=', 0, 0).toLatin1(), variable.section(u'=', 1).toUtf8());
        before.sort();
        during.sort();
        web::setUpEngine();
        QCOMPARE(environment(), during);
        web::restoreEnvironment();
        QCOMPARE(environment(), before);
    }

    void recorderAnswersConfirmationsInOrder()
    {
        RecordingMessages messages;
        messages.answerNext(true);
        QVERIFY(Messages::current().confirm(QStringLiteral("a")));
        QVERIFY(!Messages::current().confirm(QStringLiteral("b"))); // unscripted answers are No
        QCOMPARE(messages.shown().size(), 2);
    }

    void standInsPutBackWhatWasInstalledBefore()
    {
        RecordingMessages outerMessages;
        RecordingShell outerShell;
        {
            RecordingMessages innerMessages;
            RecordingShell innerShell;
            Messages::current().plain(QStringLiteral("inner"));
            Shell::current().open(QStringLiteral("inner"), nullptr);
        }
        Messages::current().plain(QStringLiteral("outer"));
        Shell::current().open(QStringLiteral("outer"), nullptr);
        QCOMPARE(outerMessages.shown().size(), 1);
        QCOMPARE(outerMessages.lastText(), QStringLiteral("outer"));
        QCOMPARE(outerShell.opened(), QStringList{QStringLiteral("outer")});
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
