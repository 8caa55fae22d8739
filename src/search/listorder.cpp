#include "search/listorder.h"
#include "search/texts.h"
#include "store/dataset.h"

namespace mc::search {

const QList<OrderButton> &orderButtons()
{
    const QString nameAsc = QStringLiteral("name ASC");
    const QString nameDesc = QStringLiteral("name DESC");
    static const QList<OrderButton> table = {
        {QStringLiteral("PDJButton8"), QStringLiteral("ADOQuery2"), texts::kByAlphabet, texts::kByAlphabet, nameAsc,
         texts::kByStrokeCount, QStringLiteral("strokes ASC"), texts::kByAlphabet},
        // Starts from the bracketed caption, which is not the one compared: the first click sorts
        // descending.
        {QStringLiteral("PDJButton19"), QStringLiteral("ADOQuery1"), texts::kIdiomOrderStart, texts::kAscending,
         nameAsc, texts::kDescending, nameDesc, texts::kAscending},
        {QStringLiteral("PDJButton20"), QStringLiteral("ADOQuery3"), texts::kAlphabetAscending,
         texts::kAlphabetAscending, nameDesc, texts::kAlphabetDescending, nameAsc, texts::kAlphabetAscending},
    };
    return table;
}

const QList<RefreshButton> &refreshButtons()
{
    static const QList<RefreshButton> table = {
        {texts::kRefreshCharacters, QStringLiteral("ADOQuery2"), QStringLiteral("select * from hz")},
        {texts::kRefreshIdioms, QStringLiteral("ADOQuery1"), QStringLiteral("select * from cy")},
        {texts::kRefreshXiehouyu, QStringLiteral("ADOQuery3"), QStringLiteral("select * from xhy")},
    };
    return table;
}

const OrderButton *findOrderButton(const QString &button)
{
    for (const OrderButton &order : orderButtons()) {
        if (order.button == button)
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
