#pragma once
#include "platform/busy.h"

#include <QWidget>

namespace mc::app {

class GradientBar;

// The start-up splash, later reused as the busy window while whole tables reload.
class SplashWindow final : public QWidget, public BusyIndicator {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

    GradientBar *bar() const { return m_bar; }
    void showNow(); // shows, centres and paints at once, outside the event loop
    void hideNow();
    void showBusy() override { showNow(); }
    void hideBusy() override { hideNow(); }

private:
    GradientBar *m_bar;
};

} // namespace mc::app
