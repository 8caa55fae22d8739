#pragma once
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

namespace mc::lookup {

using Stroke = QList<QPoint>;

// A character drawn as strokes in a box, and the characters it most likely is. Recognition uses
// the zinnia engine with the simplified-Chinese handwriting model; without the model the strokes
// are still kept, candidates stay empty and errorText() says why.
class Handwriting final {
public:
    static QString defaultModelPath();

    explicit Handwriting(const QString &modelPath = defaultModelPath());
    ~Handwriting();
    Handwriting(const Handwriting &) = delete;
    Handwriting &operator=(const Handwriting &) = delete;

    bool isReady() const { return m_recognizer != nullptr; }
    QString errorText() const { return m_error; }

    // The box the strokes are drawn in; the engine scales what it sees to it.
    void setBox(QSize box) { m_box = box; }
    QSize box() const { return m_box; }

    // A stroke of fewer than one point is ignored.
    void addStroke(const Stroke &points);
    void undoStroke();
    void clear();
    const QList<Stroke> &strokes() const { return m_strokes; }

    // The best candidates first; empty for an empty pad or without a model.
    QStringList candidates(int count = 10) const;

private:
    struct Recognizer;
    Recognizer *m_recognizer = nullptr;
    QString m_error;
    QSize m_box{1024, 1024};
    QList<Stroke> m_strokes;
};

} // namespace mc::lookup
