#include "search/radicals.h"
#include "search/texts.h"

namespace mc::search {
namespace {

// One row per line; an ideographic space marks an empty entry.
const QString kRadicals = QStringLiteral("丶亅丨一丿乛乙　　　　　　　　　　　"
                                         "丷冫厶亻讠凵八力十勹匕匚卜又刂亠人厂"
                                         "二刀儿卩阝几入冂冖　　　　　　　　　"
                                         "口土扌艹女宀广犭山辶大马氵忄弓纟巾子"
                                         "饣尸彳门廾彡干工小巛囗川夕寸士彐尢飞"
                                         "幺弋廴己屮彑兀　　　　　　　　　　　"
                                         "欠爫日王木气月火犬攵灬巳父手贝文片夂"
                                         "心车礻水瓦比玉户风歹止曰见长毛牛斤戈"
                                         "牙韦爪氏殳耂斗牜方爻卝旡厄爿攴支毋　"
                                         "钅白疒矢石鸟皿衤罒禾瓜田用穴示目甘皮"
                                         "癶母疋立龙矛生玄业　　　　　　　　　"
                                         "羽耳虫竹米足舟页衣虍糹臼耒臣自糸羊行"
                                         "缶舌而色肉覀艮齐网血西至老聿　　　　"
                                         "門酉言豕豸辛角走赤辰豆車辵卤身麦谷龟"
                                         "里邑　　　　　　　　　　　　　　　　"
                                         "雨飠鱼金齿釒采隹非阜黾隶青　　　　　"
                                         "革鬼骨香馬韋韭首音面食　　　　　　　"
                                         "髟鳥鬯高鬲麻魚鹿黽麥黄黑鼎黹鼓黍鼠幹"
                                         "裏鼻廠齒龠");

const QColor kWhite(255, 255, 255);
const QColor kWhiteBandText(100, 100, 100);
const QColor kGrey(240, 240, 240);
const QColor kGreyBandText(0, 0, 0);

} // namespace

const QStringList &radicalList()
{
    static const QStringList list = [] {
        QStringList entries;
        for (const QChar c : kRadicals)
            entries.append(c == QChar(0x3000) ? QString() : QString(c));
        return entries;
    }();
    return list;
}

QString radicalAt(int row, int column)
{
    return radicalList().value(row * kRadicalColumns + column);
}

const QList<RadicalGroup> &radicalGroups()
{
    static const QList<RadicalGroup> groups = [] {
        const int firstRows[] = {0, 1, 3, 6, 9, 11, 13, 15, 16, 17};
        const int labelTops[] = {17, 36, 74, 131, 189, 226, 264, 302, 321, 341};
        QList<RadicalGroup> list;
        for (int i = 0; i < texts::kGroupLabels.size(); ++i)
            list.append({texts::kGroupLabels.at(i), firstRows[i], labelTops[i]});
        return list;
    }();
    return groups;
}

Band bandOfRow(int row)
{
    int group = 0;
    for (int i = 0; i < radicalGroups().size(); ++i) {
        if (radicalGroups().at(i).firstRow <= row)
            group = i;
    }
    return group % 2 == 0 ? Band{kWhite, kWhiteBandText} : Band{kGrey, kGreyBandText};
}

} // namespace mc::search
