#pragma once
#include <QWidget>

namespace mc::app {

class FlatButton;

// The bar across the top of the main window: the section bar on the left and, fixed to the right
// edge beneath it, the service bar that comes out as the window widens.
class TopBar final : public QWidget {
    Q_OBJECT
public:
    explicit TopBar(QWidget *parent);
    QWidget *sectionBar() const { return m_sectionBar; }
    QWidget *serviceBar() const { return m_serviceBar; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_sectionBar;
    QWidget *m_serviceBar;
};

} // namespace mc::app
