#pragma once
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QVector>
#include <functional>

class QWidget;

namespace mc::app {

// What share of the room a parent gains over its designed size a hand-placed control takes:
// x and y move it right and down, width and height make it larger (0 = stays, 1 = all of it).
struct Growth {
    qreal x = 0;
    qreal y = 0;
    qreal width = 0;
    qreal height = 0;
};

// Where a control designed at place goes when its parent, designed at designed, is now at size.
// A parent at or below its designed size leaves every control where it was designed.
QRect grownPlace(const QRect &place, const Growth &growth, const QSize &designed, const QSize &size);

// Keeps the hand-placed controls of one parent where grownPlace() puts them as the parent is
// resized. A FieldBox gets its new place through FieldBox::setPlace(), so that it still fits
// its text there.
class GrowingParent final : public QObject {
    Q_OBJECT
public:
    GrowingParent(QWidget *parent, const QSize &designed);
    // control's current place is its designed one.
    void add(QWidget *control, const Growth &growth);
    // Called with the parent's new size after the controls have been placed.
    void onResize(std::function<void(const QSize &)> handler) { m_onResize = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect place;
        Growth growth;
    };
    void place(const Control &control, const QSize &size) const;

    QWidget *m_parent;
    QSize m_designed;
    QVector<Control> m_controls;
    std::function<void(const QSize &)> m_onResize;
};

} // namespace mc::app
