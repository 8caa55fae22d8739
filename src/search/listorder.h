#pragma once
#include <QList>
#include <QString>

namespace mc::store {
class Dataset;
}

namespace mc::search {

// An order button under a list. Its caption is the only record of the order: a click compares
// it with one text and sorts and re-captions by the result.
struct OrderButton {
    QString button;   // objectName
    QString dataset;  // objectName
    QString startCaption;
    QString match;
    QString sortOnMatch;
    QString captionOnMatch;
    QString sortOtherwise;
    QString captionOtherwise;
};

const QList<OrderButton> &orderButtons();

// A refresh button under a list, found by its caption.
struct RefreshButton {
    QString caption;
    QString dataset;
    QString baseQuery;
};
const QList<RefreshButton> &refreshButtons();
const OrderButton *findOrderButton(const QString &button);

// Sorts the loaded rows for a click on a button showing caption and returns the new caption.
// Throws mc::Error when the dataset is closed; the caption then stays as it was.
QString clickOrder(const OrderButton &order, const QString &caption, store::Dataset &dataset);

} // namespace mc::search
