#include "lookup/groups.h"
#include "lookup/texts.h"

namespace mc::lookup {

const QList<GroupInfo> &groups()
{
    using store::StoreId;
    static const QList<GroupInfo> list = {
        {StoreId::Characters, 0, texts::kCharacters}, {StoreId::Words, 1, texts::kWords},
        {StoreId::Idioms, 2, texts::kIdioms},         {StoreId::Xiehouyu, 3, texts::kXiehouyu},
        {StoreId::English, 4, texts::kEnglish},       {StoreId::Sayings, 5, texts::kSayings},
    };
    return list;
}

const GroupInfo &groupInfo(store::StoreId store)
{
    for (const GroupInfo &info : groups()) {
        if (info.store == store)
            return info;
    }
    Q_UNREACHABLE();
}

} // namespace mc::lookup
