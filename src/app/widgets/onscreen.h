#pragma once
#include <QObject>
#include <QRect>

namespace mc::app {

// Where a window whose frame is at frame goes so that it lies whole within area: moved in by
// the least distance, and shrunk only when it is larger than area.
QRect keptOnScreen(const QRect &frame, const QRect &area);

// Keeps every top-level window of the program whole on the screen it opens on, whatever
// placed it there (a saved place, centring over its owner, the window manager).
class OnScreenKeeper final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace mc::app
