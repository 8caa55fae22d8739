// What recognising a scribble costs: one long stroke of random points, many strokes, and a plain
// three-stroke character, each through Handwriting (at most 40 strokes, each cut down and placed
// as the engine is given it) beside the same strokes handed to zinnia as drawn on a 200-pixel pad,
// in the same run. Every case runs in a child process of its own, so its peak memory is its own;
// children are held to 2 GB of address space, so a case that would take more fails instead of
// taking the machine.
#include "lookup/handwriting.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zinnia.h>

using namespace mc::lookup;

namespace {

constexpr int kPad = 200;
constexpr int kRuns = 3;
constexpr rlim_t kAddressSpace = rlim_t(2) << 30;

QList<Stroke> scribble(int strokes, int points)
{
    QRandomGenerator random(17);
    QList<Stroke> out;
    for (int s = 0; s < strokes; ++s) {
        Stroke stroke;
        for (int i = 0; i < points; ++i)
            stroke.append(QPoint(random.bounded(kPad), random.bounded(kPad)));
        out.append(stroke);
    }
    return out;
}

// Three straight strokes drawn a pixel at a time, as a mouse gives them.
QList<Stroke> plainCharacter()
{
    const auto line = [](QPoint from, QPoint to) {
        Stroke stroke;
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        for (int i = 0; i <= steps; ++i)
            stroke.append(from + (to - from) * i / steps);
        return stroke;
    };
    return {line({30, 80}, {170, 80}), line({100, 20}, {40, 180}), line({100, 90}, {175, 180})};
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// Median time of one recognition and the memory it took beyond what the process had before.
void measure(const char *what, const std::function<void()> &recognise)
{
    const double before = peakMegabytes();
    QList<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        recognise();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("  %-8s %10.1f ms %10.1f MB\n", what, times.at(kRuns / 2), peakMegabytes() - before);
    std::fflush(stdout);
}

// prepare loads what the recognition needs and gives it back, so loading is not measured.
void inChild(const char *what, const std::function<std::function<void()>()> &prepare)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{kAddressSpace, kAddressSpace};
        setrlimit(RLIMIT_AS, &limit);
        measure(what, prepare());
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("  %-8s failed (%s %d), out of memory at 2 GB\n", what,
                    WIFSIGNALED(status) ? "signal" : "exit code",
                    WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
}

} // namespace

int main()
{
    const Handwriting probe;
    if (!probe.isReady()) {
        std::printf("%s\n", qPrintable(probe.errorText()));
        return 1;
    }
    struct Case {
        const char *name;
        QList<Stroke> strokes;
    };
    const QList<Case> cases = {
        {"plain character, 3 strokes of 60 to 160 points", plainCharacter()},
        {"one stroke of 300 random points", scribble(1, 300)},
        {"one stroke of 1,000 random points", scribble(1, 1000)},
        {"one stroke of 10,000 random points", scribble(1, 10000)},
        {"100 strokes of 30 random points", scribble(100, 30)},
    };
    std::printf("one recognition, median of %d; memory beyond the process's before it\n", kRuns);
    for (const Case &c : cases) {
        std::printf("%s\n", c.name);
        inChild("bounded", [&c]() -> std::function<void()> {
            auto handwriting = std::make_shared<Handwriting>();
            handwriting->setBox(QSize(kPad, kPad));
            for (const Stroke &stroke : c.strokes)
                handwriting->addStroke(stroke);
            return [handwriting] { handwriting->candidates(10); };
        });
        inChild("as drawn", [&c]() -> std::function<void()> {
            std::shared_ptr<zinnia::Recognizer> engine(zinnia::Recognizer::create());
            engine->open(qPrintable(Handwriting::defaultModelPath()));
            std::shared_ptr<zinnia::Character> character(zinnia::Character::create());
            character->set_width(kPad);
            character->set_height(kPad);
            for (qsizetype id = 0; id < c.strokes.size(); ++id) {
                for (const QPoint &p : c.strokes.at(id))
                    character->add(size_t(id), p.x(), p.y());
            }
            return [engine, character] { delete engine->classify(*character, 10); };
        });
    }
    return 0;
}
