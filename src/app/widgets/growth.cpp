#include "app/widgets/growth.h"
#include "app/widgets/fieldviews.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mc::app {

QRect grownPlace(const QRect &place, const Growth &growth, const QSize &designed, const QSize &size)
{
    const int dx = std::max(0, size.width() - designed.width());
    const int dy = std::max(0, size.height() - designed.height());
    auto share = [](int room, qreal part) { return int(std::lround(room * part)); };
    return {place.x() + share(dx, growth.x), place.y() + share(dy, growth.y), place.width() + share(dx, growth.width),
            place.height() + share(dy, growth.height)};
}

GrowingParent::GrowingParent(QWidget *parent, const QSize &designed)
    : QObject(parent), m_parent(parent), m_designed(designed)
{
    parent->installEventFilter(this);
}

void GrowingParent::add(QWidget *control, const Growth &growth)
{
    const auto *box = qobject_cast<FieldBox *>(control);
    m_controls.append({control, box ? box->place() : control->geometry(), growth});
    place(m_controls.constLast(), m_parent->size());
}

void GrowingParent::place(const Control &control, const QSize &size) const
{
    if (!control.widget)
        return;
    const QRect grown = grownPlace(control.place, control.growth, m_designed, size);
    if (auto *box = qobject_cast<FieldBox *>(control.widget))
        box->setPlace(grown);
    else
        control.widget->setGeometry(grown);
}

bool GrowingParent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_parent && event->type() == QEvent::Resize) {
        for (const Control &control : std::as_const(m_controls))
            place(control, m_parent->size());
        if (m_onResize)
            m_onResize(m_parent->size());
    }
    return false;
}

} // namespace mc::app
