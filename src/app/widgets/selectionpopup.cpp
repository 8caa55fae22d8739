#include "app/widgets/selectionpopup.h"
#include "lookup/scriptchoice.h"
#include "lookup/selectionlookup.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace mc::app {
namespace {

constexpr int kWidth = 360;
// The popup opens with the mouse this far inside its corner, so moving away closes it.
constexpr int kInside = 6;

} // namespace

SelectionPopup::SelectionPopup(QWidget *parent)
    // Not a popup: a popup grabs the mouse, and the click that closed it would be lost to the
    // program the user clicked in.
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      m_key(new QLabel(this)),
      m_pinyin(new QLabel(this)),
      m_explanation(new QLabel(this))
{
    setObjectName(QStringLiteral("selectionPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    m_key->setObjectName(QStringLiteral("popupKey"));
    m_pinyin->setObjectName(QStringLiteral("popupPinyin"));
    m_explanation->setObjectName(QStringLiteral("popupExplanation"));
    for (QLabel *label : {m_key, m_pinyin, m_explanation})
        label->setTextFormat(Qt::PlainText);
    QFont big = m_key->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    m_key->setFont(big);
    m_explanation->setWordWrap(true);
    m_explanation->setFixedWidth(kWidth - 24);

    auto *title = new QHBoxLayout;
    title->addWidget(m_key);
    title->addWidget(m_pinyin, 1, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->addLayout(title);
    layout->addWidget(m_explanation);
}

void SelectionPopup::follow(lookup::SelectionWatcher *watcher)
{
    connect(watcher, &lookup::SelectionWatcher::found, this,
            [this](const lookup::Entry &entry) { showEntry(entry, QCursor::pos()); });
}

void SelectionPopup::showEntry(const lookup::Entry &entry, const QPoint &globalPos)
{
    m_entry = entry;
    m_key->setText(entry.key);
    m_pinyin->setText(entry.pinyin);
    m_explanation->setText(lookup::ScriptChoice::instance().shownShort(entry.store, entry.explanation));
    adjustSize();
    QRect frame(globalPos - QPoint(kInside, kInside), size());
    // Kept on the screen under the mouse, flipped to the left or above near its edges.
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect room = screen->availableGeometry();
        if (frame.right() > room.right())
            frame.moveRight(globalPos.x() + kInside);
        if (frame.bottom() > room.bottom())
            frame.moveBottom(globalPos.y() + kInside);
        frame.moveTopLeft(QPoint(qMax(frame.left(), room.left()), qMax(frame.top(), room.top())));
    }
    move(frame.topLeft());
    show();
}

// Esc or a click anywhere in this program closes it as well.
bool SelectionPopup::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        || event->type() == QEvent::MouseButtonPress)
        close();
    return QFrame::eventFilter(watched, event);
}

void SelectionPopup::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    qApp->installEventFilter(this);
}

void SelectionPopup::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QFrame::hideEvent(event);
}

void SelectionPopup::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    close();
}

void SelectionPopup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QFrame::keyPressEvent(event);
}

void SelectionPopup::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    close();
}

} // namespace mc::app
