'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { surnameOrder, origins, checkWubi } = require('../lib/refs');
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
