#pragma once
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

namespace mc::lookup {

using Stroke = QList<QPoint>;

// A character drawn as strokes in a box, and the characters it most likely is. Recognition uses
// the zinnia engine with the simplified-Chinese handwriting model; without the model the strokes
// are still kept, candidates stay empty and errorText() says why.
//
// What the engine is given stays small whatever the hand does: at most kMaxStrokes strokes, each
// cut down to the points that give it its shape, and the character scaled and placed in the
// engine's box the way the model's own samples sit there, wherever and however large it was drawn.
class Handwriting final {
public:
    // One more stroke than the most any character of the model has (29); further strokes are
    // refused, as the engine would make nothing of them.
    static constexpr int kMaxStrokes = 30;
    // The most points of one stroke kept for showing it, and given to the engine.
    static constexpr int kMaxKeptPoints = 257;
    static constexpr int kMaxEnginePoints = 65;
    // The side of the box the engine is given the character in.
    static constexpr int kEngineBox = 1000;

    static QString defaultModelPath();

    explicit Handwriting(const QString &modelPath = defaultModelPath());
    ~Handwriting();
    Handwriting(const Handwriting &) = delete;
    Handwriting &operator=(const Handwriting &) = delete;

    bool isReady() const { return m_model != nullptr; }
    QString errorText() const { return m_error; }

    // The box the strokes are drawn in. A character drawn small in it is enlarged at most twice
    // its drawn scale, so that a dot stays a dot.
    void setBox(QSize box) { m_box = box; }
    QSize box() const { return m_box; }

    // Keeps the stroke, cut down to at most kMaxKeptPoints points. An empty stroke, or one more
    // than kMaxStrokes, is not kept and gives false.
    bool addStroke(const Stroke &points);
    bool isFull() const { return m_strokes.size() >= kMaxStrokes; }
    void undoStroke();
    void clear();
    const QList<Stroke> &strokes() const { return m_strokes; }

    // The strokes as the engine is given them: in a kEngineBox square, at most kMaxEnginePoints
    // points each.
    QList<Stroke> engineInput() const;

    // Recognition of the strokes as they are now, ready to run on any thread: it holds the model
    // and its own copy of the strokes, nothing of this object.
    std::function<QStringList()> recognition(int count = 10) const;
    // The best candidates first; empty for an empty pad or without a model. Runs on the caller's
    // thread.
    QStringList candidates(int count = 10) const { return recognition(count)(); }

    // The points kept of a stroke: finer than a pixel, at most kMaxKeptPoints.
    static Stroke keptPoints(const Stroke &points);
    // The points of the stroke that give it its shape within tolerance, found by splitting it at
    // its farthest point from the chord, at most maxDepth splits deep (so 2^maxDepth + 1 points
    // at most). The engine splits strokes the same way to find their corners.
    static Stroke simplified(const Stroke &points, double tolerance, int maxDepth);

private:
    struct Model;
    std::shared_ptr<const Model> m_model;
    QString m_error;
    QSize m_box{1024, 1024};
    QList<Stroke> m_strokes;
};

// Runs recognitions one at a time on a thread of its own, so the window never waits for the
// engine. Each recognise() supersedes those before it: they are skipped if they have not started,
// and their answers are dropped if they have. Answers arrive on the thread that owns this object.
class HandwritingRecognizer final : public QObject {
    Q_OBJECT
public:
    explicit HandwritingRecognizer(QObject *parent = nullptr);
    // Waits for the one recognition that may be running; bounded input keeps that short.
    ~HandwritingRecognizer() override;

    void recognise(std::function<QStringList()> job);
    // Nothing asked so far answers any more.
    void cancel();
    // A recognition was asked whose answer has not arrived yet.
    bool isPending() const { return m_pending; }

signals:
    void candidatesReady(const QStringList &candidates);

private:
    QThreadPool m_pool;
    std::atomic<quint64> m_latest{0};
    bool m_pending = false;
};

} // namespace mc::lookup
