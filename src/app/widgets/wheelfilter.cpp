#include "app/widgets/wheelfilter.h"
#include "app/widgets/grids.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWindow>

namespace mc::app {

GridWheelFilter::GridWheelFilter(QWidget *window) : QObject(window), m_window(window)
{}

bool GridWheelFilter::aimedAtWindow(QObject *target) const
{
    if (auto *widget = qobject_cast<QWidget *>(target))
        return widget->window() == m_window;
    if (auto *window = qobject_cast<QWindow *>(target))
        return window == m_window->windowHandle();
    return false;
}

bool GridWheelFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !m_window)
        return QObject::eventFilter(watched, event);
    // The grid keeps the window's focus while another window (the lexicon, a drop-down list) is
    // under the mouse: the wheel there must scroll that window, not move the grid unseen.
    if (!aimedAtWindow(watched))
        return QObject::eventFilter(watched, event);
    auto *grid = qobject_cast<DataGrid *>(m_window->focusWidget());
    if (!grid || !grid->isVisible())
        return QObject::eventFilter(watched, event);
    const QPoint delta = static_cast<QWheelEvent *>(event)->angleDelta();
    // A sideways wheel is another message; a touchpad's begin/end notices carry no movement.
    if (delta.y() == 0)
        return QObject::eventFilter(watched, event);
    QKeyEvent press(QEvent::KeyPress, delta.y() > 0 ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &press);
    return true;
}

} // namespace mc::app
