'use strict';
// Radical stroke counts as the character section's radical picker groups them. A radical
// searched by its stroke count must turn up in the group the picker shows it in, so the
// picker's grouping decides `partstrokes`; `sum` counts the strokes really left over.

// One line per stroke group of the picker (1 to 9 strokes), then the "other" group.
const PICKER_GROUPS = [
  '丶亅丨一丿乛乙',
  '丷冫厶亻讠凵八力十勹匕匚卜又刂亠人厂二刀儿卩阝几入冂冖',
  '口土扌艹女宀广犭山辶大马氵忄弓纟巾子饣尸彳门廾彡干工小巛囗川夕寸士彐尢飞幺弋廴己屮彑兀',
  '欠爫日王木气月火犬攵灬巳父手贝文片夂心车礻水瓦比玉户风歹止曰见长毛牛斤戈牙韦爪氏殳耂斗牜方爻卝旡厄爿攴支毋',
  '钅白疒矢石鸟皿衤罒禾瓜田用穴示目甘皮癶母疋立龙矛生玄业',
  '羽耳虫竹米足舟页衣虍糹臼耒臣自糸羊行缶舌而色肉覀艮齐网血西至老聿',
  '門酉言豕豸辛角走赤辰豆車辵卤身麦谷龟里邑',
  '雨飠鱼金齿釒采隹非阜黾隶青',
  '革鬼骨香馬韋韭首音面食',
];
const OTHER_GROUP = '髟鳥鬯高鬲麻魚鹿黽麥黄黑鼎黹鼓黍鼠幹裏鼻廠齒龠';

const groupOf = new Map();
PICKER_GROUPS.forEach((chars, i) => {
  for (const c of chars) groupOf.set(c, i + 1);
});

// Radical forms from the CJK Radicals Supplement block have no entry of their own in the
// character lists; count them as the ideograph they stand for.
const SUPPLEMENT_FORMS = new Map([['⺮', '竹']]);

class RadicalStrokes {
  // ownStrokes(ch) -> the stroke count of a character written alone, or undefined.
  constructor(ownStrokes) {
    this.ownStrokes = ownStrokes;
  }

  // Strokes of the radical as written (what a character built on it spends on it).
  actual(radical) {
    const form = SUPPLEMENT_FORMS.get(radical) || radical;
    return this.ownStrokes(form);
  }

  // The stroke count the picker files the radical under; radicals of its "other" group and
  // radicals it does not show keep their own count.
  searchGroup(radical) {
    return groupOf.get(radical) ?? this.actual(radical);
  }
}

module.exports = { RadicalStrokes, PICKER_GROUPS, OTHER_GROUP, groupOf };
