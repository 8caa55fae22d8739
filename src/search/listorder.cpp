#include "search/listorder.h"
#include "search/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

namespace mc::search {

const QList<OrderButton> &orderButtons()
{
    const QString nameAsc = QStringLiteral("name ASC");
    const QString nameDesc = QStringLiteral("name DESC");
    static const QList<OrderButton> table = {
        {store::StoreId::Characters, texts::kByAlphabet, texts::kByAlphabet, nameAsc, texts::kByStrokeCount,
         QStringLiteral("strokes ASC"), texts::kByAlphabet},
        // Starts from the bracketed caption, which is not the one compared: the first click sorts
        // descending.
        {store::StoreId::Idioms, texts::kIdiomOrderStart, texts::kAscending, nameAsc, texts::kDescending, nameDesc,
         texts::kAscending},
        {store::StoreId::Xiehouyu, texts::kAlphabetAscending, texts::kAlphabetAscending, nameDesc,
         texts::kAlphabetDescending, nameAsc, texts::kAlphabetAscending},
    };
    return table;
}

const OrderButton *findOrderButton(store::StoreId store)
{
    for (const OrderButton &order : orderButtons()) {
        if (order.store == store)
            return &order;
    }
    return nullptr;
}

QString clickOrder(const OrderButton &order, const QString &caption, store::Dataset &dataset)
{
    const bool matches = caption == order.match;
    dataset.setSort(matches ? order.sortOnMatch : order.sortOtherwise);
    return matches ? order.captionOnMatch : order.captionOtherwise;
}

} // namespace mc::search
