#pragma once
#include "store/stores.h"

#include <QList>
#include <QString>

namespace mc::lookup {

// The result groups, in the order the window lists them; the number is the group's key in
// search.db.
enum class Group { Characters, Words, Idioms, Xiehouyu, English, Sayings };
constexpr int kGroupCount = 6;

struct GroupInfo {
    Group group;
    QString title; // group header
    store::StoreId store;
    QString headColumn;   // what a hit shows in the list
    QString detailColumn; // shown after the head in the list (may be empty)
};

const QList<GroupInfo> &groups();
const GroupInfo &groupInfo(Group group);

} // namespace mc::lookup
