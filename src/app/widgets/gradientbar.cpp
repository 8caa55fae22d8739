#include "app/widgets/gradientbar.h"

#include <QLinearGradient>
#include <QPainter>

namespace mc::app {

GradientBar::GradientBar(QWidget *parent) : QWidget(parent)
{}

void GradientBar::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum + 1, maximum);
    update();
}

void GradientBar::setColours(const QColor &begin, const QColor &end)
{
    m_begin = begin;
    m_end = end;
    update();
}

void GradientBar::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
    repaint();
}

void GradientBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, palette().window());
    // Lowered bevel one pixel wide.
    painter.setPen(palette().dark().color());
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(palette().light().color());
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());

    const QRect inner = frame.adjusted(1, 1, -1, -1);
    const int filled = inner.width() * (m_position - m_minimum) / (m_maximum - m_minimum);
    if (filled <= 0)
        return;
    QLinearGradient gradient(inner.left(), 0, inner.right(), 0);
    gradient.setColorAt(0, m_begin);
    gradient.setColorAt(1, m_end);
    painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), gradient);
}

} // namespace mc::app
