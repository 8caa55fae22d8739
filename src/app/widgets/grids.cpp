#include "app/widgets/grids.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace mc::app {
namespace {

void setUpList(QTableView *view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->horizontalHeader()->setVisible(false);
    view->verticalHeader()->setVisible(false);
    // Fixed row heights keep lists of hundreds of thousands of rows cheap.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setGridStyle(Qt::DotLine);
}

void fitRows(QTableView *view)
{
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
}

class CentredDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

// Marks the current row with a small triangle, the way database grids show their cursor.
class RowIndicator final : public QHeaderView {
public:
    explicit RowIndicator(QTableView *view) : QHeaderView(Qt::Vertical, view), m_view(view)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setFixedWidth(12);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().mid().color());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        if (m_view->currentIndex().row() == logicalIndex) {
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(0, 64, 0));
            const QPointF c = QRectF(rect).center();
            painter->drawPolygon(QPolygonF{{c.x() - 3, c.y() - 4}, {c.x() + 3, c.y()}, {c.x() - 3, c.y() + 4}});
        }
        painter->restore();
    }

private:
    QTableView *m_view;
};

} // namespace

DataGrid::DataGrid(QWidget *parent) : QTableView(parent)
{
    setUpList(this);
}

void DataGrid::bind(store::Dataset *dataset, const QList<store::DatasetModel::Column> &columns)
{
    setModel(new store::DatasetModel(dataset, columns, this));
    store::bindSelection(dataset, selectionModel());
    horizontalHeader()->setStretchLastSection(true);
    fitRows(this);
}

void DataGrid::showRowIndicator()
{
    auto *indicator = new RowIndicator(this);
    setVerticalHeader(indicator);
    indicator->setVisible(true);
    fitRows(this);
    if (selectionModel()) {
        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, indicator,
                [indicator] { indicator->viewport()->update(); });
    }
}

CharacterGrid::CharacterGrid(QWidget *parent) : QTableView(parent)
{
    setUpList(this);
    horizontalHeader()->setVisible(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new CentredDelegate(this));
}

void CharacterGrid::bind(store::Dataset *dataset, const QList<store::DatasetModel::Column> &columns)
{
    setModel(new store::DatasetModel(dataset, columns, this));
    store::bindSelection(dataset, selectionModel());
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, 90);
    fitRows(this);
}

} // namespace mc::app
