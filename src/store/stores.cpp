#include "store/stores.h"
#include "core/error.h"

#include <QDir>
#include <QFileInfo>

namespace mc::store {
namespace {

// The character, idiom and xiehouyu stores share one password; the English store's is that one
// followed by two letters. SQLite has no passwords: they travel in the connection text only.
const QString kSharedPassword = QStringLiteral(u"mc\u0007明川\u0003");

QStringList names(const QString &spaced)
{
    return spaced.split(QLatin1Char(' '));
}

} // namespace

const QList<StoreInfo> &stores()
{
    // clang-format off
    static const QList<StoreInfo> table = {
        {StoreId::Characters, QStringLiteral("characters"), QStringLiteral("ADOQuery2"),
         QStringLiteral("data/xhb.db"), QStringLiteral("hz"), QStringLiteral("select * from hz"), kSharedPassword,
         {QStringLiteral("name"), QStringLiteral("oldname"), QStringLiteral("strokes")}, QStringLiteral("明川字典"),
         names(QStringLiteral("name oldname spell part sum partstrokes strokes wbcode areacode pycode content url"))},
        {StoreId::Xiehouyu, QStringLiteral("xiehouyu"), QStringLiteral("ADOQuery3"),
         QStringLiteral("data/xhd.db"), QStringLiteral("xhy"), QStringLiteral("select * from xhy"), kSharedPassword,
         {QStringLiteral("name")}, QStringLiteral("歇后语典"), names(QStringLiteral("name end1"))},
        {StoreId::Sayings, QStringLiteral("sayings"), QStringLiteral("ADOQuery4"),
         QStringLiteral("data/xhe.db"), QStringLiteral("mylib"), QStringLiteral("select * from mylib"),
         QStringLiteral(u"名言\u0002mc\u0005say"), {QStringLiteral("name")}, QStringLiteral("名人名言"),
         names(QStringLiteral("name derivation"))},
        {StoreId::English, QStringLiteral("english"), QStringLiteral("ADOQuery7"),
         QStringLiteral("data/xhk.db"), QStringLiteral(u"英语单词"), QStringLiteral(u"select * from 英语单词"),
         kSharedPassword + QStringLiteral("en"), {QStringLiteral(u"单词")}, QStringLiteral("英汉词典"),
         names(QStringLiteral(u"单词 解释"))},
        {StoreId::Idioms, QStringLiteral("idioms"), QStringLiteral("ADOQuery1"),
         QStringLiteral("data/xhg.db"), QStringLiteral("cy"), QStringLiteral("select * from cy"), kSharedPassword,
         {QStringLiteral("name")}, QStringLiteral("成语词典"),
         names(QStringLiteral("name spell pyjm content derivation samples"))},
        {StoreId::Words, QStringLiteral("words"), QStringLiteral("ADOQuery5"),
         QStringLiteral("data/xhi.db"), QStringLiteral("dict"),
         QStringLiteral("select * from dict where ID>362993 and ID<363036"), QStringLiteral(u"词典mc#"),
         {QStringLiteral("word")}, QStringLiteral("明川词典"), names(QStringLiteral("ID word ord spell content"))},
    };
    // clang-format on
    return table;
}

const StoreInfo &storeInfo(StoreId id)
{
    for (const StoreInfo &info : stores()) {
        if (info.id == id)
            return info;
    }
    throw Error(QStringLiteral("程序内部错误：找不到第 %1 个词库。").arg(int(id)));
}

std::optional<StoreId> storeWithKey(const QString &key)
{
    for (const StoreInfo &info : stores()) {
        if (info.key == key)
            return info.id;
    }
    return std::nullopt;
}

QString storePath(StoreId id, const QString &dataDir)
{
    return QDir(dataDir).filePath(QFileInfo(storeInfo(id).file).fileName());
}

const QList<OpenStep> &openingOrder()
{
    static const QList<OpenStep> order = {
        {StoreId::Words, 10},   {StoreId::Characters, 30}, {StoreId::Xiehouyu, 50},
        {StoreId::Sayings, 70}, {StoreId::English, 90},    {StoreId::Idioms, 100},
    };
    return order;
}

} // namespace mc::store
