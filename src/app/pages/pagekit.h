#pragma once
#include "store/datasetmodel.h"

#include <QColor>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace mc::store {
class Dataset;
}

namespace mc::app {

class DataGrid;
class SideBar;

// How a section's side bar and its one-column list look.
struct ListLook {
    QString sideBarName;
    QString caption;
    QColor captionBackground;
    QString gridName;
    QString column;
    int pixels;
    QColor text;
    QColor background;
};

// Builds the common frame of a page: the returned layout holds the side bar (with the list
// bound to dataset) and receives the page's other areas.
QHBoxLayout *pageFrame(QWidget *page, store::Dataset *dataset, const ListLook &look, DataGrid **grid = nullptr,
                       SideBar **sideBar = nullptr);

// A button under a list, the body's full width.
QPushButton *listButton(SideBar *sideBar, const QString &name, const QString &caption, int height, bool bold,
                        const QColor &colour);

} // namespace mc::app
