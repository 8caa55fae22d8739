#include "lookup/groups.h"
#include "lookup/texts.h"

namespace mc::lookup {

const QList<GroupInfo> &groups()
{
    using store::StoreId;
    static const QList<GroupInfo> list = {
        {Group::Characters, texts::kCharacters, StoreId::Characters, QStringLiteral("name"), QStringLiteral("spell")},
        {Group::Words, texts::kWords, StoreId::Words, QStringLiteral("word"), QStringLiteral("spell")},
        {Group::Idioms, texts::kIdioms, StoreId::Idioms, QStringLiteral("name"), QStringLiteral("spell")},
        {Group::Xiehouyu, texts::kXiehouyu, StoreId::Xiehouyu, QStringLiteral("name"), QStringLiteral("end1")},
        {Group::English, texts::kEnglish, StoreId::English, QStringLiteral("单词"), QString()},
        {Group::Sayings, texts::kSayings, StoreId::Sayings, QStringLiteral("name"), QString()},
    };
    return list;
}

const GroupInfo &groupInfo(Group group)
{
    return groups().at(int(group));
}

} // namespace mc::lookup
