#include "app/windows/lexiconwindow.h"
#include "app/texts.h"
#include "app/widgets/uikit.h"
#include "mc/config.h"
#include "platform/guard.h"
#include "platform/htmlview.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

namespace mc::app {
namespace {

// A strip tiled with a small woven pattern.
class TiledStrip final : public QWidget {
public:
    TiledStrip(const QString &name, QWidget *parent) : QWidget(parent) { setObjectName(name); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPixmap tile(8, 8);
        tile.fill(QColor(46, 104, 150));
        {
            QPainter t(&tile);
            t.setPen(QColor(70, 130, 176));
            t.drawLine(0, 0, 7, 7);
            t.drawLine(0, 7, 7, 0);
        }
        QPainter p(this);
        p.drawTiledPixmap(rect(), tile);
    }
};

} // namespace

LexiconWindow::LexiconWindow(QWidget *mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(texts::kLexiconCaption);
    setFixedSize(517, 417);

    auto *back = new QWidget(this);
    back->setObjectName(QStringLiteral("pnlBack"));
    back->setGeometry(0, 41, 517, 343);
    ui::setBackground(back, Qt::white);
    auto *broken = new QLabel(texts::kLexiconBroken, back);
    broken->setObjectName(QStringLiteral("lblBroken"));
    broken->setFont(ui::song(16, true));
    ui::setForeground(broken, QColor(160, 40, 30));
    broken->setAlignment(Qt::AlignCenter);
    broken->setGeometry(back->rect());

    auto *view = m_view = new web::HtmlView(back);
    view->setObjectName(QStringLiteral("webbrowser1"));
    view->setGeometry(back->rect());
    view->setSilent(true);
    guarded([view] { view->navigate(QStringLiteral(MC_LEXICON_URL)); });

    // Transparent overlays above the page: the upper one swallows clicks, the lower one answers.
    m_upperOverlay = new QWidget(this);
    m_upperOverlay->setObjectName(QStringLiteral("pnlUpperOverlay"));
    m_upperOverlay->setGeometry(10, 42, 497, 79);
    m_upperOverlay->installEventFilter(this);
    m_lowerOverlay = new QWidget(this);
    m_lowerOverlay->setObjectName(QStringLiteral("pnlLowerOverlay"));
    m_lowerOverlay->setGeometry(10, 256, 497, 129);
    m_lowerOverlay->installEventFilter(this);

    m_titleStrip = new TiledStrip(QStringLiteral("pnlTitle"), this);
    m_titleStrip->setGeometry(0, 0, 517, 41);
    m_titleStrip->installEventFilter(this);
    QLabel *title = ui::caption(m_titleStrip, texts::kLexiconCaption, 14, 11, ui::song(16, true), Qt::white);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *close = new QToolButton(m_titleStrip);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(texts::kLexiconClose);
    close->setAutoRaise(true);
    close->setFont(ui::arial(20, true));
    ui::setForeground(close, Qt::white);
    close->setGeometry(517 - 36, 5, 30, 30);
    connect(close, &QToolButton::clicked, this, &QWidget::close);

    m_footerStrip = new TiledStrip(QStringLiteral("pnlFooter"), this);
    m_footerStrip->setGeometry(0, 417 - 33, 517, 33);
    m_footerStrip->installEventFilter(this);
    QLabel *studio = ui::caption(m_footerStrip, texts::kStudio, 0, 8, ui::song(14), QColor(230, 240, 248));
    studio->setGeometry(0, 0, 517, 33);
    studio->setAlignment(Qt::AlignCenter);
    studio->setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool LexiconWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool strip = watched == m_titleStrip || watched == m_footerStrip;
    const bool overlay = watched == m_upperOverlay || watched == m_lowerOverlay;
    if (!strip && !overlay)
        return QWidget::eventFilter(watched, event);
    if (overlay && event->type() == QEvent::Wheel) {
        // The overlays stop clicks only: the page beneath still scrolls.
        forwardWheel(static_cast<QWidget *>(watched), static_cast<QWheelEvent *>(event));
        return true;
    }
    auto *mouse = dynamic_cast<QMouseEvent *>(event);
    if (!mouse)
        return QWidget::eventFilter(watched, event);

    if (overlay) {
        // The click itself stops here, but the keys go to the page, so it scrolls by keyboard too.
        if (event->type() == QEvent::MouseButtonPress)
            m_view->setFocus(Qt::MouseFocusReason);
        if (event->type() == QEvent::MouseButtonRelease && watched == m_lowerOverlay)
            guarded([] { Messages::current().plain(texts::kLexiconDisabled); });
        return true;
    }
    // Any button on a strip moves the window; the platform's own move where it offers one.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (windowHandle() && windowHandle()->startSystemMove())
            return true;
        m_dragging = true;
        m_dragOffset = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
        return true;
    case QEvent::MouseMove:
        if (m_dragging)
            move(mouse->globalPosition().toPoint() - m_dragOffset);
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void LexiconWindow::showEvent(QShowEvent *event)
{
    if (m_mainWindow)
        move(m_mainWindow->frameGeometry().topLeft() + offsetFromMainWindow());
    QWidget::showEvent(event);
    m_view->setFocus(Qt::OtherFocusReason);
}

void LexiconWindow::forwardWheel(QWidget *overlay, QWheelEvent *wheel)
{
    // The view's focus proxy is the widget that draws the page and takes its input.
    QWidget *page = m_view->focusProxy() ? m_view->focusProxy() : m_view;
    const QPointF at = page->mapFromGlobal(overlay->mapToGlobal(wheel->position()));
    QWheelEvent forwarded(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                          wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
    QCoreApplication::sendEvent(page, &forwarded);
}

} // namespace mc::app
