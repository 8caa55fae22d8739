#pragma once
#include <QPoint>
#include <QWidget>

class QWheelEvent;

namespace mc::web {
class HtmlView;
}

namespace mc::app {

// The online lexicon window (TForm9): borderless, dragged by its title and footer strips, showing
// the lexicon's search page under two overlays.
class LexiconWindow final : public QWidget {
    Q_OBJECT
public:
    explicit LexiconWindow(QWidget *mainWindow);
    static QPoint offsetFromMainWindow() { return {264, 156}; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void forwardWheel(QWidget *overlay, QWheelEvent *wheel);

    QWidget *m_mainWindow;
    web::HtmlView *m_view = nullptr;
    QWidget *m_upperOverlay = nullptr;
    QWidget *m_lowerOverlay = nullptr;
    QWidget *m_titleStrip = nullptr;
    QWidget *m_footerStrip = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace mc::app
