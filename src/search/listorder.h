#pragma once
#include "search/searchtable.h"

#include <QList>
#include <QString>

namespace mc::store {
class Dataset;
}

namespace mc::search {

// The order button under a section's list. Its caption is the only record of the order: a click
// compares it with one text and sorts and re-captions by the result.
struct OrderButton {
    store::StoreId store;
    QString startCaption;
    QString match;
    QString sortOnMatch;
    QString captionOnMatch;
    QString sortOtherwise;
    QString captionOtherwise;
};

const QList<OrderButton> &orderButtons();
const OrderButton *findOrderButton(store::StoreId store);

// Sorts the loaded rows for a click on a button showing caption and returns the new caption.
// Throws mc::Error when the dataset is closed; the caption then stays as it was.
QString clickOrder(const OrderButton &order, const QString &caption, store::Dataset &dataset);

} // namespace mc::search
