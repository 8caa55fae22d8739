'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { cleanText, artefacts, countArtefacts, PROTECTED_MARK } = require('../lib/clean');
const { isSplitGloss, rejoin, withoutPinyin } = require('../lib/xiehouyu');

const KNOWN = new Set(['中国', '无间', '为所欲为', '尼克松回合']);
const known = (w) => KNOWN.has(w);

test('clean-up pass: each artefact mended or its sentence left out', () => {
  const cases = [
    ['small-form punctuation', '如临深渊﹐如履薄冰﹔不可﹑不能', '如临深渊，如履薄冰；不可、不能'],
    ['bopomofo letter as separator', '环佩～ㄧ铁马～', '环佩～｜铁马～'],
    ['quoted word after 为', '因称其地为中国”，与中原相同。', '因称其地为“中国”，与中原相同。'],
    ['quoted word after 同', '同为所欲为”。', '同“为所欲为”。'],
    ['unknown word after an introducer', '意译为无常”，即变化。', '意译为“无常”，即变化。'],
    ['naming word beats a shorter known word', '又称二次中国”。', '又称“二次中国”。'],
    ['character 作 inside a word is no introducer', '作品力求风格幽新”，喜用僻典。', '“作品力求风格幽新”，喜用僻典。'],
    ['speech verb after the title', '《韩非子》载楚人夸口曰吾盾之坚。”又曰', '《韩非子》载楚人夸口曰“吾盾之坚。”又曰'],
    ['speech verb of an inner quotation', '《淮南子》近塞上之人。其父曰‘此何遽不为福？’居数月。”', '《淮南子》“近塞上之人。其父曰‘此何遽不为福？’居数月。”'],
    ['知道 is no speech verb', '他们不知道这件事。”', '“他们不知道这件事。”'],
    ['quotation after a book title', '语出《法华经》下至阿鼻地狱。”', '语出《法华经》“下至阿鼻地狱。”'],
    ['chapter after the title stays outside', '《初刻拍案惊奇》第三十二卷后边有些嫌忌。”', '《初刻拍案惊奇》第三十二卷“后边有些嫌忌。”'],
    ['speech verb opens a quotation', '宝钗因说道咱们别在这里。”说着走了。', '宝钗因说道“咱们别在这里。”说着走了。'],
    ['quotation ending in a single quote', '《左传》臣对曰‘好以暇。’”', '《左传》“臣对曰‘好以暇。’”'],
    ['whole ASCII quote pairs stay', '后以"一介不取"谓不苟取。', '后以"一介不取"谓不苟取。'],
    ['ASCII quotes with one lost', '后以"一介不取"谓"不苟取。', '后以“一介不取”谓“不苟取。”'],
    ['opening never closed', '亦作“一月九迁。', '亦作“一月九迁。”'],
    ['unpaired parentheses', '中国(在亚洲东部。面积)大)。', '中国(在亚洲东部。面积)大。'],
    ['scrape code: its sentence goes', '做一件事。语出《东观汉记·耿fda4４》吾得临淄。', '做一件事。'],
    ['code alone after the last sentence', '北边立着一个大影壁。fdaa', '北边立着一个大影壁。'],
    ['mojibake: its sentence goes', '传说中的帝王。有说法(1)指黄帝、fdb1ｇ铩⒌坂。(4)指伏羲。', '传说中的帝王。(4)指伏羲。'],
    ['stray symbol', '一句好话。何眼_更改作。', '一句好话。'],
    ['geta mark for a lost character', '免官〓县三老上书。见《汉书》。', '见《汉书》。'],
    ['quote closing a dropped sentence stays', '郑玄曰“仍，因也。何眼_更改作。”后以此。', '郑玄曰“仍，因也。”后以此。'],
    ['ASCII quote lost with a dropped sentence', '曰"仍也。何眼_更改作"。', '曰“仍也。”'],
    ['ASCII quote closing a dropped sentence stays', '郑玄曰"仍，因也。何眼_更改作。"后以"此"。', '郑玄曰"仍，因也。"后以"此"。'],
    ['nothing but damage: only the damage goes', '刊@字', '刊字'],
    ['runs of damage go whole', '最后以１１握手言和。', '最后以握手言和。'],
    ['kana of a Japanese name is no damage', 'シャノン', 'シャノン'],
    ['damaged line of several goes, the others stay', '1.好。\r\n2.坏fda4４。\r\n3.中。', '1.好。\r\n3.中。'],
    ['search codes keep their blank', 'ma ', 'ma '],
    ['English text left alone', "it's (a) test", "it's (a) test"],
    ['bracketed tags inside Chinese stay', '[医] 腹[部]\r\nn. [生]抑殖素', '[医] 腹[部]\r\nn. [生]抑殖素'],
    ['an English word is no scrape code', 'v. 用奶瓶喂育( bottle-feed的现在分词 )', 'v. 用奶瓶喂育( bottle-feed的现在分词 )'],
    ['an apostrophe is no closing quote', 'n. 阿尔茨海默病（等于Alzheimer’s disease）', 'n. 阿尔茨海默病（等于Alzheimer’s disease）'],
    ['hex code after a book title', '语出苏轼《b036＊b037９荣戎窦恰氛。后用以形容。', '后用以形容。'],
    ['hex code in brackets', '刀(fdd1)部。属金部。', '属金部。'],
    ['hex code after question marks', '1.亦作"??381d"。\r\n2.高峻貌。', '2.高峻貌。'],
    ['a drug name is no scrape code', '应用过量胰岛素、d860等降糖药物。', '应用过量胰岛素、d860等降糖药物。'],
    ['the ！ garbled with a code ends no sentence', '看到舞《韶d03d！肥保认为已经尽善尽美，便说观止矣!若有他乐。', '若有他乐。'],
    ['formulas are no scrape codes', '不等式(a1b1+a2b2)，碳12(126c)。', '不等式(a1b1+a2b2)，碳12(126c)。'],
    ['lozenge for 。后', '派人送回赵国◇因以完璧归赵比喻。', '派人送回赵国。后因以完璧归赵比喻。'],
    ['lozenge after a full stop', '原指隐者。◇多用以指。', '原指隐者。后多用以指。'],
    ['lozenge after a book title', '见《史记》◇以此喻。', '见《史记》。后以此喻。'],
    ['population larger than the world', '面积960万平方千米。人口113亿(1990年)。由五十六个民族组成。', '面积960万平方千米。由五十六个民族组成。'],
    ['population clause inside a sentence', '现有五十六个民族，总人口约113亿(1990年)，占世界人口的22%。', '现有五十六个民族，占世界人口的22%。'],
    ['a possible population stays', '人口12亿(1995年)。', '人口12亿(1995年)。'],
    ['lost characters of the rhyme dictionary', '【广韵】\r\n〔乌郎切〕眏？目皃\r\n【说文解字】\r\n曰：“何食？”', '【广韵】\r\n〔乌郎切〕眏□目皃\r\n【说文解字】\r\n曰：“何食？”'],
  ];
  for (const [what, input, expected] of cases) assert.equal(cleanText(input, known), expected, what);
});

test('clean-up pass: the protected part is neither changed nor counted', () => {
  const verbatim = `${PROTECTED_MARK}\r\n辦理存款﹐放款ㄧ的機構。」\r\n——出處`;
  assert.equal(cleanText(verbatim, known), verbatim);
  assert.equal(cleanText(`好﹐\r\n${verbatim}`, known), `好，\r\n${verbatim}`);
  assert.deepEqual(artefacts(verbatim), []);
});

test('artefact detectors', () => {
  const cases = [
    ['为山九仞﹐功亏一篑', ['smallComma']],
    ['环佩～ㄧ铁马～', ['bopomofoSeparator']],
    ['耿fda4４传', ['scrapeCode']],
    ['黄帝、ｇ铩⒌坂', ['mojibake']],
    ['眼_更', ['straySymbol']],
    ['私\ue000字', ['privateUse']],
    ['称其地为中国”', ['unbalancedQuotes']],
    ['同"啊', ['unbalancedQuotes']],
    ['中国(在亚洲', ['unbalancedParens']],
    ['称其地为“中国”(亚洲)。', []],
    ['fda4 is hex in English', []],
    ['语出《b036＊荣', ['scrapeCode']],
    ['派人送回赵国◇因以', ['lozenge']],
    ['人口113亿(1990年)', ['impossibleFigure']],
    ['人口11.3亿', []],
    ['【广韵】\r\n眏？目皃', ['lostCharacter']],
    ['【说文解字】\r\n何食？', []],
  ];
  for (const [text, kinds] of cases) assert.deepEqual(artefacts(text), kinds, text);
  const { counts } = countArtefacts([{ a: '好﹐好', b: '坏﹐' }, { a: '好' }]);
  assert.equal(counts.smallComma, 1, 'rows are counted, not values');
  // kinds only one table carries
  const tables = [
    ['cy', [{ name: '八仙过海', content: ' ' }, { name: '一', content: '好' }], { emptyExplanation: 1 }],
    ['xhy', [{ name: '钟馗（kui）', end1: '鬼' }, { name: '数字8', end1: '好' }], { latinLetters: 1 }],
    ['mylib', [{ name: '句'.repeat(101), derivation: '某' }, { name: '句'.repeat(100), derivation: '某' }], { longSaying: 1 }],
    ['英语单词', [
      { 单词: 'a', 解释: '[blɑːstˌ blæstik]\r\n一个\r\n[计] 累加器\r\nn. the letter' },
      { 单词: 'b', 解释: '[ˈeiˈrәjd]\r\nn. [化] 乙醇\r\nv. i. See Thee.' },
      { 单词: 'c', 解释: '[ˈæpl]\r\nn. 苹果\r\nn. a fruit\r\n[医] 苹果' },
      { 单词: 'd', 解释: '[医] gut 肠\r\nn. a gut' }, // a sense in brackets is no phonetic
      { 单词: 'e', 解释: '[强dʌθ, 弱dəθ]\r\nv. [古]做\r\n3d pers. sing.' }, // labels inside a phonetic
    ], { stressComma: 1, asciiPhonetic: 1, domainFirst: 1, crossReference: 1 }],
  ];
  for (const [table, rows, expected] of tables) {
    const found = countArtefacts(rows, { table }).counts;
    for (const [k, n] of Object.entries(expected)) assert.equal(found[k], n, `${table} ${k}`);
  }
  assert.equal(countArtefacts([], { table: 'hz' }).counts.longSaying, undefined);
});

test('xiehouyu: pinyin glosses and their scraps go, the Chinese of a gloss stays', () => {
  const cases = [
    ['茄子地里长蒺藜（ji li 一年生草本植物。果皮有尖刺）', '茄子地里长蒺藜（一年生草本植物。果皮有尖刺）'],
    ['墙上挂钟馗（kui）', '墙上挂钟馗'],
    ['里外孬（n', '里外孬'],
    ['邋遢ld t', '邋遢'],
    ['当着矬子（个子矮的人。矬，cuo矮）说短话', '当着矬子（个子矮的人。矬，矮）说短话'],
    ['巷道扛椽（chu6n）子', '巷道扛椽子'],
    ['阿拉伯数字8字分家', '阿拉伯数字8字分家'],
    ['零比零（O：O）', '零比零'],
  ];
  for (const [text, expected] of cases) assert.equal(withoutPinyin(text), expected, text);
});

test('xiehouyu split inside a pinyin gloss: recognised and rejoined', () => {
  const cases = [
    ['攥（zu', 'n握）着金条进棺材', '攥（zuàn握）着金条进棺材'],
    ['坐飞机撵（ni', 'n追赶）西北风', '坐飞机撵（niǎn追赶）西北风'],
    ['种马见了牝马（pin m', '雌马）', '种马见了牝马（雌马）'], // pinyin that cannot be made whole is left out
  ];
  for (const [riddle, answer, joined] of cases) {
    assert.ok(isSplitGloss(riddle), riddle);
    assert.equal(rejoin(riddle, answer), joined);
  }
  for (const riddle of ['阿斗当皇帝', '猪八戒（猪）照镜子', '外甥打灯笼（照舅）']) assert.ok(!isSplitGloss(riddle), riddle);
});
