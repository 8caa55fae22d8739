#pragma once
#include "lookup/handwriting.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace mc::app {

class HandwritingCanvas;

// A square to draw one character in with the mouse or a pen, the ten likeliest characters after
// every stroke, and "清除" and "撤销". Choosing a candidate emits it and empties the pad for the
// next character.
class HandwritingPad final : public QWidget {
    Q_OBJECT
public:
    explicit HandwritingPad(QWidget *parent = nullptr,
                            const QString &modelPath = lookup::Handwriting::defaultModelPath());
    ~HandwritingPad() override;

    lookup::Handwriting &engine() { return m_engine; }
    QStringList candidates() const { return m_candidates; }

    // After strokes were added through engine(): shows the strokes and the new candidates.
    void refresh();
    void clear();
    void undoStroke();

signals:
    void candidateChosen(const QString &character);

private:
    lookup::Handwriting m_engine;
    HandwritingCanvas *m_canvas;
    QList<QToolButton *> m_buttons;
    QStringList m_candidates;
};

} // namespace mc::app
