#include "speech/strokeviewer.h"
#include "core/error.h"
#include "mc/config.h"
#include "platform/htmlview.h"
#include "platform/messages.h"
#include "platform/texts.h"
#include "speech/texts.h"
#include "store/dataset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QProgressBar>

namespace mc::speech {
namespace {

constexpr int kProgressStep = 5;
constexpr int kProgressFull = 100;

QWidget *whitePatch(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *patch = new QWidget(parent);
    patch->setObjectName(name);
    patch->setGeometry(geometry);
    patch->setAutoFillBackground(true);
    QPalette palette = patch->palette();
    palette.setColor(QPalette::Window, Qt::white);
    patch->setPalette(palette);
    return patch;
}

} // namespace

QString strokeAddress(const QString &character)
{
    return QStringLiteral(MC_STROKE_BASE) + texts::kStrokePath + character + texts::kStrokeSuffix;
}

StrokeViewer::StrokeViewer(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(texts::kViewerCaption);
    setFixedSize(507, 420);

    m_view = new web::HtmlView(this);
    m_view->setObjectName(QStringLiteral("wb1"));
    m_view->setGeometry(16, 16, 473, 377);

    m_strip = new QProgressBar(this);
    m_strip->setObjectName(QStringLiteral("GradProgress1"));
    m_strip->setGeometry(16, 395, 473, 4);
    m_strip->setRange(0, kProgressFull);
    m_strip->setValue(0);
    m_strip->setTextVisible(false);
    m_strip->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px inset gray; background: white; }"
        "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 blue, stop:1 red); }"));

    // The patches lie above the view and hide what the page shows under them.
    whitePatch(this, QStringLiteral("fltpnl1"), QRect(24, 24, 49, 57))->raise();
    whitePatch(this, QStringLiteral("fltpnl2"), QRect(384, 328, 65, 57))->raise();

    connect(m_view, &web::HtmlView::progressChanged, this, &StrokeViewer::onProgress);
    connect(m_view, &web::HtmlView::documentComplete, this, &StrokeViewer::onComplete);
    connect(m_view, &web::HtmlView::loadFailed, this, &StrokeViewer::onFailed);

    // In force from now on, whether the viewer is shown or not.
    qApp->installEventFilter(new RightClickFilter(m_view));
}

int StrokeViewer::progress() const
{
    return m_strip->value();
}

void StrokeViewer::onProgress()
{
    if (!m_failed)
        m_strip->setValue(std::min(m_strip->value() + kProgressStep, kProgressFull));
}

void StrokeViewer::onComplete()
{
    if (!m_failed)
        m_strip->setValue(kProgressFull);
}

void StrokeViewer::onFailed()
{
    // A full strip would tell the user the animation is there; the view shows what went wrong.
    m_failed = true;
    m_strip->setValue(0);
}

void StrokeViewer::open(const QString &address, QWidget *owner)
{
    m_view->navigate(address);
    m_failed = false;
    m_strip->setValue(0);
    if (!isVisible() && owner)
        move(owner->frameGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

RightClickFilter::RightClickFilter(QWidget *view) : QObject(view), m_view(view)
{}

bool RightClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    if (static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
        return false;
    // Only widgets can lie inside the view; window-level deliveries reach a widget afterwards.
    if (!watched->isWidgetType())
        return false;
    auto *target = static_cast<QWidget *>(watched);
    return target == m_view || m_view->isAncestorOf(target);
}

StrokeOrderButton::StrokeOrderButton(QAbstractButton *button, store::Dataset *characters,
                                     std::function<StrokeViewer *()> viewer, QWidget *owner)
    : QObject(button), m_button(button), m_characters(characters), m_viewer(std::move(viewer)), m_owner(owner)
{
    connect(characters, &store::Dataset::currentChanged, this, &StrokeOrderButton::update);
    connect(characters, &store::Dataset::reset, this, &StrokeOrderButton::update);
    connect(button, &QAbstractButton::clicked, this, &StrokeOrderButton::press);
    update();
}

void StrokeOrderButton::update()
{
    m_button->setVisible(!m_characters->value(QStringLiteral("url")).isEmpty());
}

void StrokeOrderButton::press()
{
    if (m_characters->value(QStringLiteral("url")).isEmpty()) {
        Messages::current().plain(texts::kNoStrokeOrder);
        return;
    }
    try {
        m_viewer()->open(strokeAddress(m_characters->value(QStringLiteral("name"))), m_owner);
    } catch (const std::exception &) {
        Messages::current().plain(mc::texts::kNetworkError);
    }
}

} // namespace mc::speech
