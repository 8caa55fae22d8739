#include "app/widgets/onscreen.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace mc::app {

QRect keptOnScreen(const QRect &frame, const QRect &area)
{
    QRect kept = frame;
    kept.setWidth(std::min(frame.width(), area.width()));
    kept.setHeight(std::min(frame.height(), area.height()));
    kept.moveLeft(std::clamp(frame.left(), area.left(), area.right() - kept.width() + 1));
    kept.moveTop(std::clamp(frame.top(), area.top(), area.bottom() - kept.height() + 1));
    return kept;
}

namespace {

void keepOnScreen(QWidget *window)
{
    if (!window->isVisible() || window->isMaximized() || window->isFullScreen() || !window->screen())
        return;
    const QRect frame = window->frameGeometry();
    const QRect kept = keptOnScreen(frame, window->screen()->availableGeometry());
    if (kept == frame)
        return;
    if (kept.size() != frame.size()) {
        const QSize border = frame.size() - window->size();
        window->resize(kept.size() - border);
    }
    window->move(kept.topLeft());
}

} // namespace

bool OnScreenKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    const Qt::WindowType type = window->windowType();
    if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog))
        return false;
    keepOnScreen(window);
    // Again once the window system has framed and placed it.
    QTimer::singleShot(0, window, [alive = QPointer<QWidget>(window)] {
        if (alive)
            keepOnScreen(alive);
    });
    return false;
}

} // namespace mc::app
