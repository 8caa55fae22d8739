#pragma once
#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

class QVBoxLayout;

namespace mc::app {

// A page of the main window: a flat panel with a two-pixel border.
class PagePanel : public QFrame {
    Q_OBJECT
public:
    PagePanel(const QString &name, const QColor &background, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An outlook-style side bar with one group: a caption strip across its top and a body below.
class SideBar final : public QFrame {
    Q_OBJECT
public:
    SideBar(const QString &caption, const QColor &captionBackground, QWidget *parent);
    QWidget *body() const { return m_body; }
    QVBoxLayout *bodyLayout() const { return m_bodyLayout; }
    QLabel *captionStrip() const { return m_caption; }

private:
    QLabel *m_caption;
    QWidget *m_body;
    QVBoxLayout *m_bodyLayout;
};

// A flat bar button, icon above caption.
class FlatButton final : public QToolButton {
    Q_OBJECT
public:
    FlatButton(const QString &name, const QString &caption, const QIcon &icon, QWidget *parent);
};

// A small 25 × 25 button carrying only an icon and a hint.
QToolButton *pictureButton(QWidget *parent, const QString &name, const QIcon &icon, const QString &hint, int x, int y);

// A picture at a fixed place, lying behind its siblings.
QLabel *picture(QWidget *parent, const QString &name, const QPixmap &pixmap, int x, int y);

// Centres window over owner when it is first shown; later it opens where the user left it.
void centreOverOnFirstShow(QWidget *window, QWidget *owner);
// Esc closes window, as it closes a dialog; also when window is a panel made into a window later.
void closeOnEscape(QWidget *window);
// Names, captions and sizes a secondary window of fixed size that opens over owner.
void setUpFixedWindow(QWidget *window, const QString &name, const QString &caption, const QSize &size, QWidget *owner);

} // namespace mc::app

namespace mc::app {

// A line of text that acts like a link: hand cursor, clicked() on a left click.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace mc::app
