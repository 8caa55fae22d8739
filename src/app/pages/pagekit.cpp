#include "app/pages/pagekit.h"
#include "app/widgets/grids.h"
#include "app/widgets/uikit.h"
#include "app/widgets/widgets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mc::app {

QHBoxLayout *pageFrame(QWidget *page, store::Dataset *dataset, const ListLook &look, DataGrid **grid, SideBar **sideBar)
{
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    auto *side = new SideBar(look.caption, look.captionBackground, page);
    side->setObjectName(look.sideBarName);
    auto *list = new DataGrid(side->body());
    list->setObjectName(look.gridName);
    list->setFont(ui::song(look.pixels));
    ui::setForeground(list, look.text);
    ui::setBackground(list, look.background);
    list->bind(dataset, {{look.column, QString()}});
    side->bodyLayout()->addWidget(list, 1);
    layout->addWidget(side);
    if (grid)
        *grid = list;
    if (sideBar)
        *sideBar = side;
    return layout;
}

QVBoxLayout *restColumn(QWidget *page, QHBoxLayout *frame)
{
    auto *rest = new QWidget(page);
    auto *column = new QVBoxLayout(rest);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    frame->addWidget(rest, 1);
    return column;
}

QPushButton *listButton(SideBar *sideBar, const QString &name, const QString &caption, int height, bool bold,
                        const QColor &colour)
{
    auto *button = new QPushButton(caption, sideBar->body());
    button->setObjectName(name);
    button->setFont(ui::song(15, bold));
    ui::setForeground(button, colour);
    button->setFixedHeight(height);
    button->setCursor(Qt::PointingHandCursor);
    sideBar->bodyLayout()->addWidget(button);
    return button;
}

FieldBox *fieldView(QWidget *parent, store::Dataset *dataset, const FieldLook &look, const QRect &place,
                    FieldBox::Fit fit)
{
    auto *view = new FieldLabel(dataset, look.column, FieldLabel::Sizing::Fixed, parent);
    view->setObjectName(look.name);
    if (look.alignment)
        view->setAlignment(look.alignment);
    view->setFont(look.font);
    ui::setForeground(view, look.colour);
    return new FieldBox(view, place, fit);
}

} // namespace mc::app
