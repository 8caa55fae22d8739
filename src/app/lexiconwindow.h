#pragma once
#include <QPoint>
#include <QWidget>

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
    QWidget *m_mainWindow;
    QWidget *m_upperOverlay = nullptr;
    QWidget *m_lowerOverlay = nullptr;
    QWidget *m_titleStrip = nullptr;
    QWidget *m_footerStrip = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace mc::app
