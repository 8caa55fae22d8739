#pragma once
#include <QAbstractTableModel>
#include <QList>

class QItemSelectionModel;

namespace mc::store {

class Dataset;

// A read-only table model over a dataset's held columns, for the section lists.
class DatasetModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
    };

    // Longer fields show their first characters and "…".
    static constexpr qsizetype kShownLength = 500;

    DatasetModel(Dataset *dataset, QList<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    Dataset *dataset() const { return m_dataset; }

private:
    Dataset *m_dataset;
    QList<Column> m_columns;
    int m_rows = 0;
};

// Keeps a list's selection and the dataset's current row in step, both ways.
void bindSelection(Dataset *dataset, QItemSelectionModel *selection);

} // namespace mc::store
