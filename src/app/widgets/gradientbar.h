#pragma once
#include <QColor>
#include <QWidget>

namespace mc::app {

// A thin progress bar whose colour runs from one colour to another, drawn at once on change.
class GradientBar final : public QWidget {
    Q_OBJECT
public:
    explicit GradientBar(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    void setColours(const QColor &begin, const QColor &end);
    int position() const { return m_position; }
    void setPosition(int position); // repaints immediately

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
    QColor m_begin;
    QColor m_end;
};

} // namespace mc::app
