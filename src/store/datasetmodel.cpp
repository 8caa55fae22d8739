#include "store/datasetmodel.h"
#include "store/dataset.h"

#include <QItemSelectionModel>

namespace mc::store {

DatasetModel::DatasetModel(Dataset *dataset, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_columns(std::move(columns))
{
    connect(m_dataset, &Dataset::reset, this, [this] {
        beginResetModel();
        m_rows = m_dataset->isOpen() ? m_dataset->recordCount() : 0;
        endResetModel();
    });
    m_rows = m_dataset->isOpen() ? m_dataset->recordCount() : 0;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    // A cell shows the start of its field: laying out a field of megabytes to elide it would
    // hold the window for seconds, and no list is that wide.
    const QString text = m_dataset->keyValue(index.row(), m_columns.at(index.column()).field);
    return text.size() > kShownLength ? text.left(kShownLength) + QStringLiteral("…") : text;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    return m_columns.at(section).title;
}

void bindSelection(Dataset *dataset, QItemSelectionModel *selection)
{
    auto follow = [dataset, selection] {
        const int row = dataset->currentRow();
        const QModelIndex current = selection->currentIndex();
        if (row < 0) {
            selection->clearSelection();
            return;
        }
        if (current.isValid() && current.row() == row && selection->isRowSelected(row))
            return;
        const QModelIndex target = selection->model()->index(row, 0);
        selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    QObject::connect(dataset, &Dataset::currentChanged, selection, follow);
    QObject::connect(selection, &QItemSelectionModel::currentRowChanged, dataset,
                     [dataset](const QModelIndex &current) {
                         if (current.isValid())
                             dataset->setCurrentRow(current.row());
                     });
    follow();
}

} // namespace mc::store
