// Warm start and memory after start: the program beside a bare Qt window with one web view (the
// floor) and, where it is installed, a peer dictionary program loaded with the word store in
// StarDict form. Each round starts every subject once, in turn, on an X server of the bench's own
// (Xvfb, no window manager, -noreset), after one start each that is not counted.
//   bench_startup [--rounds N] [--settle SECONDS] [--no-peer] [--only ours|floor|peer]
//                 [--before PROGRAM]   (an earlier build, started beside the program)
// Per start: the time to the first mapped window (the splash, for the program) and to the mapped
// main window; after it has settled, the PSS of the whole process tree and the heap in use of
// the main process (glibc's mallinfo2, read through a preloaded probe).
#include "startup/subjects.h"
#include "startup/xwatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <map>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mc::bench;

namespace {

double median(QList<double> v)
{
    v.removeIf([](double x) { return x < 0; });
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v.at(n / 2) : (v.at(n / 2 - 1) + v.at(n / 2)) / 2;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u' ', 0, 2) : QString();
}

// Every process below pid, by the parent links in /proc.
QList<qint64> descendants(qint64 pid)
{
    std::multimap<qint64, qint64> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 child = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // pid (name) state ppid ...: the name may hold blanks, so read after its last ')'.
        const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            children.emplace(rest.at(1).toLongLong(), child);
    }
    QList<qint64> out;
    QList<qint64> todo{pid};
    while (!todo.isEmpty()) {
        const qint64 p = todo.takeFirst();
        for (auto [it, end] = children.equal_range(p); it != end; ++it) {
            out.append(it->second);
            todo.append(it->second);
        }
    }
    return out;
}

double pssMiB(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').constFirst().toDouble() / 1024;
    }
    return 0;
}

// Asks the probe in the process for its heap; -1 when it does not answer.
double heapMiB(const QString &pipe)
{
    QFile::remove(pipe + QStringLiteral(".out"));
    int fd = -1;
    for (int i = 0; i < 40 && fd < 0; ++i) {
        fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            QThread::msleep(50);
    }
    if (fd < 0)
        return -1;
    const bool written = ::write(fd, "h", 1) == 1;
    ::close(fd);
    for (int i = 0; written && i < 40; ++i) {
        QFile out(pipe + QStringLiteral(".out"));
        if (out.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> v = out.readAll().trimmed().split(' ');
            if (v.size() >= 2)
                return (v.at(0).toDouble() + v.at(1).toDouble()) / (1024 * 1024);
        }
        QThread::msleep(50);
    }
    return -1;
}

void stop(QProcess &process)
{
    const qint64 pid = process.processId();
    const QList<qint64> tree = descendants(pid);
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
    for (qint64 p : tree)
        ::kill(pid_t(p), SIGKILL);
}

struct Start {
    double firstMs = -1, mainMs = -1, pss = -1, heap = -1;
    int processes = 0;
};

Start startOnce(const Subject &subject, XWatch &x, const QString &probe, const QString &pipe, int settleMs)
{
    QProcess process;
    process.setProgram(subject.program);
    process.setArguments(subject.arguments);
    process.setWorkingDirectory(subject.workDir);
    QProcessEnvironment env = subjectEnvironment(subject, x.displayName());
    if (!probe.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), probe);
        env.insert(QStringLiteral("MC_HEAP_PROBE"), pipe);
        env.insert(QStringLiteral("MC_HEAP_PROBE_PARENT"), QString::number(QCoreApplication::applicationPid()));
    }
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QDir(subject.home).filePath(QStringLiteral("log")), QIODevice::Append);
    process.setStandardErrorFile(QDir(subject.home).filePath(QStringLiteral("log")), QIODevice::Append);
    x.drain();
    QElapsedTimer clock;
    clock.start();
    process.start();
    Start result;
    if (!process.waitForStarted(10000))
        return result;
    const qint64 pid = process.processId();
    while (clock.elapsed() < 60000 && process.state() == QProcess::Running) {
        const auto map = x.nextMap(100);
        if (!map || map->pid != pid)
            continue;
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (result.firstMs < 0)
            result.firstMs = ms;
        if (subject.mainTitle.isEmpty() || map->title.contains(subject.mainTitle)) {
            result.mainMs = ms;
            break;
        }
    }
    if (result.mainMs >= 0) {
        QThread::msleep(settleMs);
        QList<qint64> tree = descendants(pid);
        tree.prepend(pid);
        result.processes = int(tree.size());
        result.pss = 0;
        for (qint64 p : tree)
            result.pss += pssMiB(p);
        if (!probe.isEmpty())
            result.heap = heapMiB(pipe);
    } else {
        std::printf("  %s: no main window (see %s/log)\n", qPrintable(subject.name), qPrintable(subject.home));
    }
    stop(process);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int rounds = 10, settle = 5;
    bool peer = true;
    QString only, before;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rounds") && i + 1 < args.size())
            rounds = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--settle") && i + 1 < args.size())
            settle = std::max(0, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--no-peer"))
            peer = false;
        else if (args.at(i) == QLatin1String("--only") && i + 1 < args.size())
            only = args.at(++i);
        else if (args.at(i) == QLatin1String("--before") && i + 1 < args.size())
            before = QFileInfo(args.at(++i)).absoluteFilePath();
    }
    const QString binDir = QCoreApplication::applicationDirPath();
    const QString work = QDir(binDir).filePath(QStringLiteral("startup-runs"));
    QList<Subject> subjects = startupSubjects(binDir, work, peer);
    // An earlier build of the program beside the current one, on the same stores and in the
    // same home (the two never run at once).
    if (!before.isEmpty() && !subjects.isEmpty() && subjects.constFirst().name == QLatin1String("ours")) {
        Subject earlier = subjects.constFirst();
        earlier.name = QStringLiteral("before");
        earlier.program = before;
        subjects.insert(1, earlier);
    }
    if (!only.isEmpty())
        subjects.removeIf([&only](const Subject &s) { return s.name != only; });
    if (subjects.isEmpty()) {
        std::printf("bench_startup: nothing to start (build the program and the stores first)\n");
        return 0;
    }
    XWatch x;
    if (!x.start()) {
        std::printf("bench_startup: no X server (Xvfb) could be started\n");
        return 0;
    }
    const QString probe = QDir(binDir).filePath(QStringLiteral("libmc_heapprobe.so"));
    const QString pipe = QDir(work).filePath(QStringLiteral("heap"));
    ::mkfifo(QFile::encodeName(pipe).constData(), 0600);
    const bool probing = QFile::exists(probe);

    std::printf("load average before: %s\n", qPrintable(loadAverage()));
    for (const Subject &s : std::as_const(subjects)) // warm-up: caches, first-run indexes
        startOnce(s, x, QString(), pipe, s.warmUpSettleMs);
    QList<QList<Start>> starts(subjects.size());
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype k = 0; k < subjects.size(); ++k) {
            const qsizetype i = (k + round) % subjects.size(); // a different one first each round
            starts[i].append(startOnce(subjects.at(i), x, probing ? probe : QString(), pipe, settle * 1000));
        }
    }
    std::printf("load average after: %s; %d rounds, %d s settle\n", qPrintable(loadAverage()), rounds, settle);
    std::printf("%-6s %14s %14s %12s %6s %10s\n", "", "first window", "main window", "PSS tree", "procs", "heap");
    for (qsizetype i = 0; i < subjects.size(); ++i) {
        auto of = [&](auto field) {
            QList<double> v;
            for (const Start &s : starts.at(i))
                v.append(field(s));
            return median(v);
        };
        std::printf("%-6s %11.0f ms %11.0f ms %8.1f MiB %6.0f %6.1f MiB\n", qPrintable(subjects.at(i).name),
                    of([](const Start &s) { return s.firstMs; }), of([](const Start &s) { return s.mainMs; }),
                    of([](const Start &s) { return s.pss; }), of([](const Start &s) { return double(s.processes); }),
                    of([](const Start &s) { return s.heap; }));
    }
    // Paired within each round: the program (and an earlier build of it) against each other subject.
    const qsizetype programs = subjects.size() > 1 && subjects.at(1).name == QLatin1String("before") ? 2 : 1;
    for (qsizetype p = 0; p < programs; ++p) {
        for (qsizetype i = p + 1; i < subjects.size(); ++i) {
            QList<double> mainRatio, firstDelta, pssRatio;
            for (int r = 0; r < rounds; ++r) {
                const Start &a = starts.at(p).at(r), &b = starts.at(i).at(r);
                if (a.mainMs > 0 && b.mainMs > 0) {
                    mainRatio.append(a.mainMs / b.mainMs);
                    firstDelta.append(a.firstMs - b.firstMs + 1e6); // kept positive for median()
                    pssRatio.append(a.pss / b.pss);
                }
            }
            std::printf("%s against %s, paired (%lld pairs): main window %.2fx, first window %+.0f ms, PSS %.2fx\n",
                        qPrintable(subjects.at(p).name), qPrintable(subjects.at(i).name), mainRatio.size(),
                        median(mainRatio), median(firstDelta) - 1e6, median(pssRatio));
        }
    }
    return 0;
}
