// The command line and the hand-over of a later start to the user's running copy.
#include "app/handover.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace mc::app;

namespace {

constexpr int kStartLimitMs = 180000; // a loaded machine, ten copies at once

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

int modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// The program as tests start it: offscreen, with a runtime folder, home and cache of the test's
// own, so a copy the user runs never takes its start. Output goes to a log the test prints when
// it fails.
class Program {
public:
    Program(const QString &home, const QString &workingFolder = QString(),
            const QString &file = QStringLiteral(MC_PROGRAM))
        : m_file(file)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir(home).filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), QDir(home).filePath(QStringLiteral(".cache")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(home).filePath(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(home).filePath(QStringLiteral(".local/share")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("mc.app.debug=true"));
        QDir(home).mkpath(QStringLiteral("run"));
        QFile::setPermissions(QDir(home).filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        if (!workingFolder.isEmpty())
            m_process.setWorkingDirectory(workingFolder);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    void start(const QStringList &arguments) { m_process.start(m_file, arguments); }
    // Starts once the file `go` exists: starts waiting on one file begin within a moment.
    void startAt(const QString &go, const QStringList &arguments)
    {
        m_process.start(QStringLiteral("/bin/sh"),
                        QStringList{QStringLiteral("-c"),
                                    QStringLiteral("while [ ! -e \"$0\" ]; do sleep 0.01; done; exec \"$@\""), go,
                                    m_file}
                            + arguments);
    }
    // Waits for the end, or gives up when the time is up; false while it still runs.
    bool waitForEnd(int ms) { return m_process.waitForFinished(ms) || m_process.state() == QProcess::NotRunning; }
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    bool endedWell() const { return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0; }
    QString log()
    {
        m_log += QString::fromLocal8Bit(m_process.readAll());
        return m_log;
    }
    // Waits until the condition holds over the log; false, at once, when the program ends first.
    bool waitForLog(const std::function<bool(const QString &)> &condition, int ms)
    {
        QDeadlineTimer deadline(ms);
        while (!condition(log())) {
            if (!isRunning() || deadline.hasExpired())
                return condition(log());
            m_process.waitForReadyRead(200);
        }
        return true;
    }

private:
    QString m_file;
    QProcess m_process;
    QString m_log;
};

// The program under a folder of the test's own: what it writes beside itself meets no other test.
QString ownCopy(const QTemporaryDir &dir)
{
    const QString file = dir.filePath(QStringLiteral("mingchuan"));
    if (::link(QFile::encodeName(QStringLiteral(MC_PROGRAM)).constData(), QFile::encodeName(file).constData()) != 0)
        QFile::copy(QStringLiteral(MC_PROGRAM), file);
    return file;
}

} // namespace

class TestHandover : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("character") << QStringList{QStringLiteral("水")} << "水";
        QTest::newRow("pinyin with blank") << QStringList{QStringLiteral("zhong guo")} << "zhong guo";
        QTest::newRow("several words") << QStringList{QStringLiteral("ice"), QStringLiteral("cream")} << "ice cream";
        QTest::newRow("after --") << QStringList{QStringLiteral("--"), QStringLiteral("-x")} << "-x";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        QCOMPARE(parseCommandLine(QStringList{QStringLiteral("mingchuan")} + arguments).text, text);
    }

    // clang-format off
    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("shows");
        // In Chinese throughout: the program's own lines and Qt's.
        QTest::newRow("help") << "--help" << QStringList{QStringLiteral("[文字]"), QStringLiteral("快速查询"), QStringLiteral("显示"), QStringLiteral("用法")};
        QTest::newRow("version") << "--version" << QStringList{QStringLiteral("mingchuan 1.")};
    }
    // clang-format on

    void helpAndVersion()
    {
        QFETCH(QString, option);
        QFETCH(QStringList, shows);
        QTemporaryDir home;
        Program program(home.path());
        program.start({option});
        QVERIFY2(program.waitForEnd(60000), qPrintable(program.log()));
        QVERIFY2(program.endedWell(), qPrintable(program.log()));
        for (const QString &text : shows)
            QVERIFY2(program.log().contains(text), qPrintable(program.log()));
        QVERIFY2(!program.log().contains(QStringLiteral("Displays")), qPrintable(program.log()));
    }

    // Only a folder of the user's own that nobody else can enter holds the socket: anything
    // another user could have put there first is refused.
    void privateFolder_data()
    {
        QTest::addColumn<QString>("squat");
        QTest::addColumn<bool>("safe");
        QTest::newRow("missing: made") << "" << true;
        QTest::newRow("own folder") << "0700" << true;
        QTest::newRow("open to the group") << "0770" << false;
        QTest::newRow("open to everyone") << "0777" << false;
        QTest::newRow("link to a folder") << "link" << false;
        QTest::newRow("plain file") << "file" << false;
        QTest::newRow("socket") << "socket" << false;
        QTest::newRow("another user's folder") << "foreign" << false;
        QTest::newRow("in a folder everyone writes") << "open parent" << false;
        QTest::newRow("in a sticky shared folder") << "sticky parent" << true;
    }
    void privateFolder()
    {
        QFETCH(QString, squat);
        QFETCH(bool, safe);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mingchuan"));
        const QByteArray name = native(path);
        if (squat.startsWith(u'0')) {
            QVERIFY(::mkdir(name.constData(), 0700) == 0);
            QVERIFY(::chmod(name.constData(), squat.toUInt(nullptr, 8)) == 0);
        } else if (squat == QStringLiteral("link")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("elsewhere")));
            ::chmod(native(dir.filePath(QStringLiteral("elsewhere"))).constData(), 0700);
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere")), path));
        } else if (squat == QStringLiteral("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (squat == QStringLiteral("socket")) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
            QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
            ::close(fd);
        } else if (squat == QStringLiteral("foreign")) {
            if (::geteuid() != 0)
                QSKIP("only root can give a folder to another user");
            QVERIFY(::mkdir(name.constData(), 0700) == 0);
            QVERIFY(::chown(name.constData(), ::getuid() + 1, ::getgid()) == 0);
        } else if (squat.endsWith(QStringLiteral("parent"))) {
            QVERIFY(::chmod(native(dir.path()).constData(), squat.startsWith(u's') ? 01777 : 0777) == 0);
        }
        QCOMPARE(makePrivateFolder(path, ::getuid()), safe);
        if (safe)
            QCOMPARE(modeOf(path) & 0777, 0700);
    }

    // Every copy of the user takes the first safe place, so squatting one only moves them all on.
    void instanceFolderSkipsUnsafePlaces_data()
    {
        QTest::addColumn<QStringList>("squatted"); // of runtime, temp, cache
        QTest::addColumn<QString>("taken");
        const QString run = QStringLiteral("run");
        const QString tmp = QStringLiteral("tmp");
        const QString cache = QStringLiteral("cache");
        QTest::newRow("runtime folder") << QStringList{} << "run/mingchuan";
        QTest::newRow("runtime squatted") << QStringList{run} << "tmp/mingchuan-%1";
        QTest::newRow("runtime and temp squatted") << QStringList{run, tmp} << "cache/mingchuan-instance";
        QTest::newRow("nowhere safe") << QStringList{run, tmp, cache} << "";
    }
    void instanceFolderSkipsUnsafePlaces()
    {
        QFETCH(QStringList, squatted);
        QFETCH(QString, taken);
        QTemporaryDir dir;
        const QMap<QString, QString> places{
            {QStringLiteral("run"), QStringLiteral("run/mingchuan")},
            {QStringLiteral("tmp"), QStringLiteral("tmp/mingchuan-%1").arg(::getuid())},
            {QStringLiteral("cache"), QStringLiteral("cache/mingchuan-instance")},
        };
        for (const QString &folder : places.keys())
            QVERIFY(QDir(dir.path()).mkpath(folder));
        for (const QString &place : squatted) {
            QFile file(dir.filePath(places.value(place)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QList<QByteArray> variables{"XDG_RUNTIME_DIR", "TMPDIR", "XDG_CACHE_HOME"};
        QList<QByteArray> saved;
        for (const QByteArray &v : variables)
            saved.append(qgetenv(v.constData()));
        const auto restore = qScopeGuard([&] {
            for (int i = 0; i < variables.size(); ++i)
                qputenv(variables.at(i).constData(), saved.at(i));
        });
        qputenv("XDG_RUNTIME_DIR", native(dir.filePath(QStringLiteral("run"))));
        qputenv("TMPDIR", native(dir.filePath(QStringLiteral("tmp"))));
        qputenv("XDG_CACHE_HOME", native(dir.filePath(QStringLiteral("cache"))));
        if (taken.contains(QStringLiteral("%1")))
            taken = taken.arg(::getuid());
        QCOMPARE(instanceFolder(), taken.isEmpty() ? QString() : dir.filePath(taken));
    }

    void peerCredentials()
    {
        int pair[2];
        QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) == 0);
        QVERIFY(peerIsUser(pair[0], ::getuid()));
        QVERIFY(!peerIsUser(pair[0], ::getuid() + 1));
        ::close(pair[0]);
        ::close(pair[1]);
        QVERIFY(!peerIsUser(STDIN_FILENO, ::getuid())); // no socket at all
    }

    // Texts that come while the running copy is still starting wait for it, in order.
    void runningCopyTakesTexts()
    {
        QTemporaryDir dir;
        QVERIFY(!handToRunning(dir.path(), QStringLiteral("水"), 500)); // nobody there yet
        std::unique_ptr<InstanceServer> server = InstanceServer::claim(dir.path());
        QVERIFY(server);
        const QStringList sent{QStringLiteral("水"), QString(), QStringLiteral("zhong guo"), QString(20000, u'长')};
        bool allTaken = true;
        QThread *second = QThread::create([&] {
            for (const QString &text : sent)
                allTaken = handToRunning(dir.path(), text) && allTaken;
        });
        second->start();
        QVERIFY(second->wait(60000));
        delete second;
        QVERIFY(allTaken);
        QStringList received;
        server->setReceiver([&received](const QString &text) { received.append(text); });
        QCOMPARE(received.mid(0, 3), sent.mid(0, 3));
        QCOMPARE(received.value(3), sent.at(3).left(16384)); // more than any lookup reads
    }

    // One copy holds the place; another cannot take it over nor remove its socket, and the
    // place is free again once the first has gone.
    void oneCopyHoldsThePlace()
    {
        QTemporaryDir dir;
        std::unique_ptr<InstanceServer> first = InstanceServer::claim(dir.path());
        QVERIFY(first);
        bool heldElsewhere = false;
        QVERIFY(!InstanceServer::claim(dir.path(), &heldElsewhere));
        QVERIFY(heldElsewhere);
        bool handedOver = false;
        QVERIFY(!handOverOrClaim(dir.path(), QStringLiteral("火"), &handedOver));
        QVERIFY(handedOver);
        QStringList received;
        first->setReceiver([&received](const QString &text) { received.append(text); });
        QTRY_COMPARE(received, QStringList{QStringLiteral("火")});
        first.reset();
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("socket"))));
        // A socket left by a copy that crashed is no obstacle.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, native(dir.filePath(QStringLiteral("socket"))).constData(), sizeof address.sun_path);
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        ::close(fd);
        QVERIFY(handOverOrClaim(dir.path(), QString(), &handedOver));
        QVERIFY(!handedOver);
    }

    // Running out of file descriptors must not end the hand-over: the start that came then is
    // taken once there is room again, and so are later ones.
    void keepsListeningWhenOutOfDescriptors()
    {
        QTemporaryDir dir;
        std::unique_ptr<InstanceServer> server = InstanceServer::claim(dir.path());
        QVERIFY(server);
        QStringList received;
        server->setReceiver([&received](const QString &text) { received.append(text); });

        const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(client >= 0);
        const timeval patience{60, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        QList<int> filler;
        {
            const auto giveBack = qScopeGuard([&] {
                for (int fd : std::as_const(filler))
                    ::close(fd);
                ::setrlimit(RLIMIT_NOFILE, &saved);
            });
            rlimit few = saved;
            few.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 4096);
            QCOMPARE(::setrlimit(RLIMIT_NOFILE, &few), 0);
            for (int fd; (fd = ::dup(client)) >= 0;)
                filler.append(fd);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, native(dir.filePath(QStringLiteral("socket"))).constData(),
                     sizeof address.sun_path);
            QCOMPARE(::connect(client, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            QCOMPARE(::send(client, "水\n", 4, MSG_NOSIGNAL), ssize_t(4));
            QThread::msleep(300); // the server meets the full table meanwhile
        }
        char answer[3] = {};
        QCOMPARE(::recv(client, answer, 3, MSG_WAITALL), ssize_t(3));
        ::close(client);
        QVERIFY(handToRunning(dir.path(), QStringLiteral("火")));
        QTRY_COMPARE(received, QStringList({QStringLiteral("水"), QStringLiteral("火")}));
    }

    // A later start of the program itself hands its text over and ends at once, without
    // touching the stores (there are none where it runs).
    void laterStartHandsOverAndEnds()
    {
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral("run"));
        ::chmod(native(home.filePath(QStringLiteral("run"))).constData(), 0700);
        const QString folder = home.filePath(QStringLiteral("run/mingchuan"));
        QVERIFY(makePrivateFolder(folder, ::getuid()));
        std::unique_ptr<InstanceServer> server = InstanceServer::claim(folder);
        QVERIFY(server);
        QStringList received;
        server->setReceiver([&received](const QString &text) { received.append(text); });
        Program program(home.path(), home.path());
        program.start({QStringLiteral("水")});
        QVERIFY2(program.waitForEnd(60000), qPrintable(program.log()));
        QVERIFY2(program.endedWell(), qPrintable(program.log()));
        QTRY_COMPARE(received, QStringList{QStringLiteral("水")});
    }

    // Ten starts at the same moment: one runs, nine hand their texts to it and end well, and a
    // start after them still hands over.
    void tenStartsAtOnce()
    {
        const mc::test::WorkingFolder folder; // the fixture stores, for the one that runs
        QTemporaryDir home;
        QTemporaryDir bin;
        const QString file = ownCopy(bin);
        std::vector<std::unique_ptr<Program>> programs;
        QString logs;
        const auto printLogs = qScopeGuard([&] {
            if (QTest::currentTestFailed()) {
                for (size_t i = 0; i < programs.size(); ++i)
                    qWarning().noquote() << "--- start" << i << "\n" << programs.at(i)->log();
            }
        });
        const QString go = bin.filePath(QStringLiteral("go"));
        for (int i = 0; i < 10; ++i) {
            programs.push_back(std::make_unique<Program>(home.path(), folder.path(), file));
            programs.back()->startAt(go, {QStringLiteral("水%1").arg(i)});
        }
        QFile(go).open(QIODevice::WriteOnly);
        QDeadlineTimer deadline(kStartLimitMs);
        auto ended = [&] {
            return std::count_if(programs.cbegin(), programs.cend(), [](const auto &p) { return !p->isRunning(); });
        };
        while (ended() < 9 && !deadline.hasExpired())
            QTest::qWait(100);
        QCOMPARE(ended(), 9);
        Program *running = nullptr;
        for (const auto &p : programs) {
            if (p->isRunning())
                running = p.get();
            else
                QVERIFY2(p->endedWell(), qPrintable(p->log()));
        }
        QVERIFY(running);

        Program later(home.path(), folder.path(), file);
        later.start({QStringLiteral("水10")});
        QVERIFY2(later.waitForEnd(kStartLimitMs), qPrintable(later.log()));
        QVERIFY2(later.endedWell(), qPrintable(later.log()));
        // Taken by a copy that is up: its stores opened and its window there.
        QVERIFY2(
            running->waitForLog(
                [](const QString &log) { return log.count(QStringLiteral("taking over a later start's text")) == 10; },
                kStartLimitMs),
            qPrintable(running->log()));
        QVERIFY(running->isRunning());
    }
};

QTEST_GUILESS_MAIN(TestHandover)
#include "tst_handover.moc"
