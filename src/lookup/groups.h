#pragma once
#include "store/stores.h"

#include <QList>
#include <QString>

namespace mc::lookup {

// How the quick lookup shows each store's hits: one group per store, in the order the window
// lists them.
struct GroupInfo {
    store::StoreId store;
    int indexSection; // the store's number in search.db, as the index builder numbers them
    QString title;    // group header
};

// In the window's order.
const QList<GroupInfo> &groups();
const GroupInfo &groupInfo(store::StoreId store);

} // namespace mc::lookup
