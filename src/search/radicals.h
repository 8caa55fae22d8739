#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace mc::search {

// The radical table of the picker: 19 rows of 18 cells, filled row by row from one list.
inline constexpr int kRadicalRows = 19;
inline constexpr int kRadicalColumns = 18;

// 329 entries, 256 radicals and the empty entries that start each stroke group on a new row.
const QStringList &radicalList();
// Entry row * 18 + column, or "" past the end of the list.
QString radicalAt(int row, int column);

// A stroke group: its label and its first row.
struct RadicalGroup {
    QString label;
    int firstRow;
    int labelTop; // where its label sits in the picker
};
const QList<RadicalGroup> &radicalGroups();

// The band a row is drawn in; consecutive groups alternate between white and grey.
struct Band {
    QColor background;
    QColor text;
};
Band bandOfRow(int row);

} // namespace mc::search
