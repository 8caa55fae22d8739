'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { surnameOrder, origins, checkWubi, tidy, corrected } = require('../lib/refs');
const { citation } = require('../lib/quotes');

test('surnames follow the rhyme, compound ones first, others at the end', () => {
  const sources = { book: () => ({ chapters: [{ paragraphs: ['赵钱孙李，', '万俟司马，', '第五言福，百家姓终。'] }] }) };
  const records = ['李', '赵', '万俟', '万', '司马', '第五', '福', '姓', '丁'].map((surname) => ({ surname }));
  assert.deepEqual(surnameOrder(sources, records), ['赵', '李', '万俟', '司马', '第五', '福', '万', '姓', '丁']);
});

test('origins come from the origin section or the matching part of the running text', () => {
  const sectioned = { sections: { 历史来源: ['出自姬姓。'], 家族名人: ['某人'], 地望分布: ['天水郡'] } };
  assert.deepEqual(origins(sectioned), { origin: ['出自姬姓。'], seats: ['天水郡'] });
  const running = { sections: { 正文: ['历史来源出自鲜卑。', '北魏时改姓。', '家族名人某某', '地望分布兰陵郡'] } };
  assert.deepEqual(origins(running), { origin: ['出自鲜卑。', '北魏时改姓。'], seats: ['兰陵郡'] });
  assert.deepEqual(origins({ sections: { 家族名人: ['某人'] } }), { origin: [], seats: [] });
});

test('surname text: lost characters restored or marked, stray punctuation made full-width', () => {
  const cases = [
    ['西王母在\ue2a9池设宴', '西王母在□池设宴'],
    ['二﹕为鲜卑族复姓所改', '二、为鲜卑族复姓所改'],
    ['见《诗经．小雅．采芑》云﹕「方叔涖止。」', '见《诗经·小雅·采芑》云：“方叔涖止。”'],
    ['据&lt;&lt;通志-氏族略&gt;&gt;所载', '据《通志·氏族略》所载'],
    ['又封其子为&lt;宫阝&gt;', '又封其子为〈宫阝〉'],
    ['孟为庶长子.据此', '孟为庶长子。据此'],
    ['之后。。佚亦作', '之后。佚亦作'],
    ['何处? 在东;后迁西,至今', '何处？在东；后迁西，至今'],
    ['（１６８０年）', '（1680年）'],
  ];
  for (const [raw, expected] of cases) assert.equal(tidy(raw), expected, raw);
  const records = [{ surname: '乐', sections: { 历史来源: ['宋戴公之子\ue40b，字乐父。'], 家族名人: ['某人'] } }];
  assert.deepEqual(corrected(records, [{ from: '\ue40b', to: '衎' }])[0].sections.历史来源, ['宋戴公之子衎，字乐父。']);
  assert.throws(() => corrected(records, [{ from: '不在此处', to: 'x' }]), /no longer applies/);
});

test('the wubi key table is checked against the code table', () => {
  const codes = new Map([
    ['王', { full: ['gggg'] }], ['五', { full: ['gghg'] }], ['土', { full: ['ffff'] }],
    ['艹', { full: ['aghh', 'zzpp'] }], ['亻', { full: ['zzpp'] }],
  ]);
  const spec = (key, roots) => ({ zones: [{ keys: [{ key, roots }] }] });
  assert.doesNotThrow(() => checkWubi(spec('G', '王 五 亻 ⺮'), codes));
  assert.throws(() => checkWubi(spec('G', '王 土'), codes), /root 土 is not on key G/);
  assert.throws(() => checkWubi(spec('F', '五 土'), codes), /五 is not the key name of F/);
  assert.throws(() => checkWubi(spec('G', '王 艹'), codes), /root 艹/);
});

test('citations name the book and chapter, or the writer and the piece', () => {
  const cases = [
    ['lunyu', { title: '学而' }, '《论语·学而》'],
    ['laozi', { title: '第八章' }, '《老子》第八章'],
    ['xiaojing', { title: '开宗明义' }, '《孝经·开宗明义章》'],
    ['zhuzi', { title: '全文' }, '《朱子家训》'],
    ['tangshi', { title: '春望', section: '杜甫' }, '杜甫《春望》'],
    ['guwen', { title: '师说（节选）', section: '韩愈' }, '韩愈《师说》'],
  ];
  for (const [book, chapter, expected] of cases) assert.equal(citation(book, chapter), expected);
});
