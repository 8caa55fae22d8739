#pragma once
#include "lookup/handwriting.h"

#include <QWidget>

class QToolButton;

namespace mc::app {

class HandwritingCanvas;

// A square to draw one character in with the mouse or a pen, the ten likeliest characters after
// every stroke, and "清除" and "撤销". Choosing a candidate emits it and empties the pad for the
// next character. Recognition runs on a worker: drawing never waits for it, and candidates for
// strokes that have changed since are never shown.
class HandwritingPad final : public QWidget {
    Q_OBJECT
public:
    explicit HandwritingPad(QWidget *parent = nullptr,
                            const QString &modelPath = lookup::Handwriting::defaultModelPath());
    ~HandwritingPad() override;

    lookup::Handwriting &engine() { return m_engine; }
    // The candidates shown; they follow the strokes once recognition has answered.
    QStringList candidates() const { return m_candidates; }
    bool isRecognising() const { return m_recognizer.isPending(); }
    // What the pad says inside itself: why it cannot recognise, or that it takes no more strokes.
    QString notice() const;

    // After strokes were added through engine(): shows them and recognises them afresh.
    void refresh();
    void clear();
    void undoStroke();

signals:
    void candidateChosen(const QString &character);

private:
    void showCandidates(const QStringList &candidates);

    lookup::Handwriting m_engine;
    lookup::HandwritingRecognizer m_recognizer;
    HandwritingCanvas *m_canvas;
    QList<QToolButton *> m_buttons;
    QStringList m_candidates;
};

} // namespace mc::app
