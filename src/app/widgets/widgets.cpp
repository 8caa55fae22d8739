#include "app/widgets/widgets.h"
#include "app/widgets/uikit.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>

namespace mc::app {
namespace {

class CentreOnFirstShow final : public QObject {
public:
    CentreOnFirstShow(QWidget *window, QWidget *owner) : QObject(window), m_owner(owner)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_owner) {
            auto *window = static_cast<QWidget *>(watched);
            window->move(m_owner->frameGeometry().center() - window->rect().center());
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_owner;
};

} // namespace

void centreOverOnFirstShow(QWidget *window, QWidget *owner)
{
    if (owner)
        new CentreOnFirstShow(window, owner);
}

void closeOnEscape(QWidget *window)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, window, [window] {
        if (window->isWindow())
            window->close();
    });
    escape->setObjectName(QStringLiteral("escapeCloses"));
}

void setUpFixedWindow(QWidget *window, const QString &name, const QString &caption, const QSize &size, QWidget *owner)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setFixedSize(size);
    centreOverOnFirstShow(window, owner);
}

PagePanel::PagePanel(const QString &name, const QColor &background, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    ui::setBackground(this, background);
    setContentsMargins(2, 2, 2, 2);
}

void PagePanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setPen(QColor(176, 190, 200));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(226, 232, 238));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

SideBar::SideBar(const QString &caption, const QColor &captionBackground, QWidget *parent) : QFrame(parent)
{
    setFixedWidth(199);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    ui::setForeground(this, QColor(160, 176, 186));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    m_caption = new QLabel(caption, this);
    m_caption->setObjectName(QStringLiteral("groupCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFixedHeight(30);
    m_caption->setFont(ui::song(15, true));
    ui::setForeground(m_caption, ui::kDarkGreen);
    ui::setBackground(m_caption, captionBackground);
    layout->addWidget(m_caption);

    m_body = new QWidget(this);
    m_bodyLayout = new QVBoxLayout(m_body);
    m_bodyLayout->setContentsMargins(0, 0, 0, 0);
    m_bodyLayout->setSpacing(0);
    layout->addWidget(m_body, 1);
}

FlatButton::FlatButton(const QString &name, const QString &caption, const QIcon &icon, QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(name);
    setText(caption);
    setIcon(icon);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setFixedSize(75, 73);
    setFont(ui::song(13, true));
    ui::setForeground(this, QColor(40, 56, 70));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QToolButton *pictureButton(QWidget *parent, const QString &name, const QIcon &icon, const QString &hint, int x, int y)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(18, 18));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setGeometry(x, y, 25, 25);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *picture(QWidget *parent, const QString &name, const QPixmap &pixmap, int x, int y)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setGeometry(x, y, pixmap.width(), pixmap.height());
    label->lower();
    return label;
}

} // namespace mc::app

namespace mc::app {

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace mc::app
