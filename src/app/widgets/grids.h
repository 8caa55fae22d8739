#pragma once
#include "store/datasetmodel.h"

#include <QTableView>

namespace mc::app {

// The standard list grid of the sections: read-only, whole-row selection, bound to a dataset.
// The wheel filter recognises this class (and only it) by type.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);
    void bind(store::Dataset *dataset, const QList<store::DatasetModel::Column> &columns);
    void showRowIndicator(); // a narrow column marking the current row
};

// The character list: a grid of another kind, with a title row and its own wheel behaviour.
class CharacterGrid final : public QTableView {
    Q_OBJECT
public:
    explicit CharacterGrid(QWidget *parent = nullptr);
    void bind(store::Dataset *dataset, const QList<store::DatasetModel::Column> &columns);
};

} // namespace mc::app
