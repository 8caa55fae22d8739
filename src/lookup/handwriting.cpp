#include "lookup/handwriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLineF>
#include <QLoggingCategory>
#include <zinnia.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace mc::lookup {
namespace {
Q_LOGGING_CATEGORY(lcHandwriting, "mc.lookup")

// The model's samples sit a little above the middle of the engine's box, their longer side about
// three fifths of it. Measured with the 200 most frequent characters drawn on the pad at four
// places and sizes, this placing puts the right character first 73 times in 100 and among the ten
// 85 times, against 49 and 72 for the strokes given as drawn.
constexpr double kCharacterSide = 0.6;
constexpr double kCentreX = 0.5;
constexpr double kCentreY = 0.45;
constexpr double kMostEnlargement = 2.0;
// The engine finds a stroke's corners by splitting it where it strays farther than this from its
// chord (a squared distance of 0.001 of its box), and looks no deeper than six levels of splits:
// cut down the same way, a stroke gives it the same corners in a bounded number of points.
const double kEngineTolerance = Handwriting::kEngineBox * std::sqrt(0.001);
constexpr int kEngineDepth = 6;
// Strokes drawn dead straight, as a mouse draws them, lack the slight bend of the pen strokes the
// model learnt from, and some characters (人, 大) then slip down the list. Such strokes are also
// tried bent by a tenth of their length either way, and each character keeps its best score. With
// the 200 most frequent characters drawn on the pad in straight lines at four places and sizes,
// 584 of the 800 come first instead of 566; drawn with their curves, the figures stay the same.
constexpr double kBend = 0.1;
constexpr int kShortest = Handwriting::kEngineBox / 10;
// Finer than a pixel on the pad, so a kept stroke looks as drawn.
constexpr double kKeptTolerance = 0.75;
constexpr int kKeptDepth = 8;

// The farthest point of points[first + 1 .. last - 1] from the chord, and its distance; from the
// first point when the stroke ends where it began.
std::pair<qsizetype, double> farthest(const Stroke &points, qsizetype first, qsizetype last)
{
    const QPointF a = points.at(first);
    const QPointF chord = QPointF(points.at(last)) - a;
    const double length = std::hypot(chord.x(), chord.y());
    qsizetype best = first;
    double most = 0;
    for (qsizetype i = first + 1; i < last; ++i) {
        const QPointF d = QPointF(points.at(i)) - a;
        const double distance
            = length > 0 ? std::abs(chord.x() * d.y() - chord.y() * d.x()) / length : std::hypot(d.x(), d.y());
        if (distance > most) {
            most = distance;
            best = i;
        }
    }
    return {best, most};
}

void split(const Stroke &points, qsizetype first, qsizetype last, double tolerance, int depth, Stroke &out)
{
    if (depth > 0 && last - first > 1) {
        const auto [at, distance] = farthest(points, first, last);
        if (distance > tolerance) {
            split(points, first, at, tolerance, depth - 1, out);
            split(points, at, last, tolerance, depth - 1, out);
            return;
        }
    }
    out.append(points.at(last));
}

// The strokes with every long straight one bent by bend times its length to the left of its way.
QList<Stroke> bent(QList<Stroke> strokes, double bend)
{
    for (Stroke &stroke : strokes) {
        if (stroke.size() != 2)
            continue;
        const QPointF from = stroke.at(0), to = stroke.at(1);
        const QPointF way = to - from;
        if (std::hypot(way.x(), way.y()) < kShortest)
            continue;
        stroke.insert(1, ((from + to) / 2 + QPointF(way.y(), -way.x()) * bend).toPoint());
    }
    return strokes;
}

bool hasLongStraightStroke(const QList<Stroke> &strokes)
{
    return std::any_of(strokes.begin(), strokes.end(), [](const Stroke &stroke) {
        return stroke.size() == 2 && QLineF(stroke.at(0), stroke.at(1)).length() >= kShortest;
    });
}

} // namespace

struct Handwriting::Model {
    std::unique_ptr<zinnia::Recognizer> engine{zinnia::Recognizer::create()};
};

QString Handwriting::defaultModelPath()
{
    return QStringLiteral("/usr/share/tegaki/models/zinnia/handwriting-zh_CN.model");
}

Handwriting::Handwriting(const QString &modelPath)
{
    const QFileInfo file(modelPath);
    if (!file.isFile() || !file.isReadable()) {
        m_error = QStringLiteral("找不到手写识别模型 %1，无法识别手写。").arg(QDir::toNativeSeparators(modelPath));
        return;
    }
    auto model = std::make_shared<Model>();
    if (!model->engine || !model->engine->open(QFile::encodeName(modelPath).constData())) {
        if (model->engine)
            qCWarning(lcHandwriting) << "handwriting model:" << model->engine->what();
        m_error = QStringLiteral("手写识别模型 %1 无法读取，无法识别手写。").arg(QDir::toNativeSeparators(modelPath));
        return;
    }
    m_model = std::move(model);
}

Handwriting::~Handwriting() = default;

Stroke Handwriting::simplified(const Stroke &points, double tolerance, int maxDepth)
{
    if (points.size() <= 2)
        return points;
    Stroke out{points.constFirst()};
    split(points, 0, points.size() - 1, tolerance, maxDepth, out);
    return out;
}

Stroke Handwriting::keptPoints(const Stroke &points)
{
    return simplified(points, kKeptTolerance, kKeptDepth);
}

bool Handwriting::addStroke(const Stroke &points)
{
    if (points.isEmpty() || isFull())
        return false;
    m_strokes.append(keptPoints(points));
    return true;
}

void Handwriting::undoStroke()
{
    if (!m_strokes.isEmpty())
        m_strokes.removeLast();
}

void Handwriting::clear()
{
    m_strokes.clear();
}

QList<Stroke> Handwriting::engineInput() const
{
    if (m_strokes.isEmpty())
        return {};
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const Stroke &stroke : m_strokes) {
        for (const QPoint &p : stroke) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    }
    // The longer side sets the scale for both, so a long thin stroke stays long and thin.
    const int longer = std::max(right - left, bottom - top);
    const double drawnScale = double(kEngineBox) / std::max(1, std::max(m_box.width(), m_box.height()));
    double scale = kMostEnlargement * drawnScale;
    if (longer > 0)
        scale = std::min(scale, kCharacterSide * kEngineBox / longer);
    const QPointF from((left + right) / 2.0, (top + bottom) / 2.0);
    const QPointF to(kCentreX * kEngineBox, kCentreY * kEngineBox);
    QList<Stroke> input;
    for (const Stroke &stroke : m_strokes) {
        Stroke placed;
        placed.reserve(stroke.size());
        for (const QPoint &p : stroke)
            placed.append(((QPointF(p) - from) * scale + to).toPoint());
        input.append(simplified(placed, kEngineTolerance, kEngineDepth));
    }
    return input;
}

std::function<QStringList()> Handwriting::recognition(int count) const
{
    if (!m_model || m_strokes.isEmpty() || count <= 0)
        return [] { return QStringList(); };
    return [model = m_model, input = engineInput(), count] {
        QList<QList<Stroke>> tries{input};
        if (hasLongStraightStroke(input))
            tries << bent(input, kBend) << bent(input, -kBend);
        // Each try's best few, enough that the best of all are among them.
        const size_t each = size_t(count) * 3;
        QHash<QString, float> best;
        for (const QList<Stroke> &strokes : std::as_const(tries)) {
            const std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
            character->set_width(size_t(kEngineBox));
            character->set_height(size_t(kEngineBox));
            for (qsizetype id = 0; id < strokes.size(); ++id) {
                for (const QPoint &p : strokes.at(id))
                    character->add(size_t(id), p.x(), p.y());
            }
            // classify() only reads the model, so recognitions may run on several threads.
            const std::unique_ptr<zinnia::Result> result(model->engine->classify(*character, each));
            if (!result) {
                qCWarning(lcHandwriting) << "handwriting: the engine gave no answer";
                return QStringList();
            }
            for (size_t i = 0; i < result->size(); ++i) {
                const QString candidate = QString::fromUtf8(result->value(i));
                const auto known = best.constFind(candidate);
                if (known == best.cend() || *known < result->score(i))
                    best.insert(candidate, result->score(i));
            }
        }
        QList<std::pair<float, QString>> ranked;
        for (auto it = best.cbegin(); it != best.cend(); ++it)
            ranked.append({-it.value(), it.key()});
        std::sort(ranked.begin(), ranked.end());
        QStringList found;
        for (qsizetype i = 0; i < ranked.size() && i < count; ++i)
            found.append(ranked.at(i).second);
        return found;
    };
}

HandwritingRecognizer::HandwritingRecognizer(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("handwriting"));
}

HandwritingRecognizer::~HandwritingRecognizer()
{
    cancel();
    m_pool.waitForDone();
}

void HandwritingRecognizer::recognise(std::function<QStringList()> job)
{
    const quint64 generation = ++m_latest;
    m_pending = true;
    m_pool.clear(); // what has not started is superseded already
    // The destructor waits for the job, so this outlives it; an answer still queued when this
    // goes is dropped with it.
    m_pool.start([this, generation, job = std::move(job)] {
        if (m_latest != generation)
            return;
        const QStringList candidates = job();
        QMetaObject::invokeMethod(
            this,
            [this, generation, candidates] {
                // A newer stroke may have come while this answer was on its way.
                if (m_latest != generation)
                    return;
                m_pending = false;
                emit candidatesReady(candidates);
            },
            Qt::QueuedConnection);
    });
}

void HandwritingRecognizer::cancel()
{
    ++m_latest;
    m_pending = false;
    m_pool.clear();
}

} // namespace mc::lookup
