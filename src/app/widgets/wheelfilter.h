#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace mc::app {

// Application-wide: while the window's focused control is a standard list grid, every wheel
// notch over that window becomes a Down (towards the user) or Up (away) key press on that grid,
// so the wheel moves the current row instead of scrolling. Other windows scroll as usual.
class GridWheelFilter final : public QObject {
    Q_OBJECT
public:
    explicit GridWheelFilter(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool aimedAtWindow(QObject *target) const;

    QPointer<QWidget> m_window;
};

} // namespace mc::app
