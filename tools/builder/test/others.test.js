'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { query, fixtureStores } = require('./helpers');
const { oneLine } = require('../lib/others');
const { attribution, rejected, closeGaps, excerpt, famousLines, clauseSet } = require('../lib/sayings');
const { buildHistory, yearText, packStrokes, unpackStrokes } = require('../lib/offline');

test('xhy: riddle and answer of every pair', () => {
  const rows = query('xhd.db', 'select * from xhy');
  assert.equal(rows.length, 20);
  assert.deepEqual(rows[0], { name: '阿斗当皇帝', end1: '无能' });
  assert.equal(query('xhd.db', `select count(*) n from xhy where name like '%阿斗？%'`)[0].n, 0);
});

test('sayings: one line each, a Chinese attribution, the well-known ones first', () => {
  assert.equal(oneLine('有朋自远方来，\n       不亦乐乎？'), '有朋自远方来，不亦乐乎？');
  assert.equal(oneLine('Stay hungry,\nstay foolish.'), 'Stay hungry, stay foolish.');
  const credits = [
    ['《论语》为政', '孔子《论语·为政》'],
    ['论语，为政篇', '孔子《论语·为政》'],
    ['论语', '孔子《论语》'],
    ['《道德经》', '老子《道德经》'],
    ['《增广贤文》', '《增广贤文》'],
    ['《谚语》', '谚语'],
    ['岳阳楼记，范仲淹', '范仲淹《岳阳楼记》'],
    ['李白《行路难·其一》', '李白《行路难·其一》'],
  ];
  for (const [raw, expected] of credits) assert.equal(attribution(raw), expected, raw);
  const rejects = [
    ['忘记过去的人，注定要重蹈覆辙。', 'The Life of Reason, George Santayana', 'not Chinese'],
    ['软件和性一样，越自由越好。', 'Linus Torvalds 语', 'not a person or book'],
    ['Stay hungry, stay foolish.', 'Steve Jobs', 'not Chinese'],
    ['Cheer: 怎么办啊', '某群聊', 'chat or code'],
    ['显卡又坏了。', '显卡吧', 'not a person or book'],
    ['己所不欲，勿施于人。', '孔子《论语·卫灵公》', ''],
  ];
  for (const [name, who, why] of rejects) assert.equal(rejected(name, who), why, name);
  assert.equal(closeGaps('子曰： 先王有至德要道， 以顺天下'), '子曰：先王有至德要道，以顺天下');
  const long = '甲乙丙丁戊己庚辛壬癸，子丑寅卯辰巳午未申酉戌亥。合抱之木，生于毫末；千里之行，始于足下。为者败之，执者失之。';
  const excerpts = [
    ['子曰：“温故而知新，可以为师矣。”', '温故而知新', '温故而知新，可以为师矣。'],
    [long, '千里之行', '合抱之木，生于毫末；千里之行，始于足下。'],
    [`孟子曰：“${long}”`, '千里之行', '合抱之木，生于毫末；千里之行，始于足下。'],
    ['子贡问曰：“有一言而可以终身行之者乎，请夫子明示？”子曰：“其恕乎！己所不欲，勿施于人。”', '己所不欲', '己所不欲，勿施于人。'],
  ];
  for (const [text, phrase, expected] of excerpts) assert.equal(excerpt(text, phrase), expected, text);
  // a whole poem keeps the run of lines the dictionaries quote, within the length limit
  const quoted = clauseSet(['语出“人有悲欢离合，月有阴晴圆缺”', '但愿人长久，千里共婵娟。', '此事古难全', '明月几时有']);
  const poem = '明月几时有？把酒问青天。不知天上宫阙，今夕是何年。人有悲欢离合，月有阴晴圆缺，此事古难全。但愿人长久，千里共婵娟。';
  assert.equal(famousLines(poem, (c) => quoted.has(c), 100), '人有悲欢离合，月有阴晴圆缺，此事古难全。但愿人长久，千里共婵娟。');
  assert.equal(famousLines(poem, (c) => quoted.has(c), 20), '人有悲欢离合，月有阴晴圆缺，此事古难全。');
  assert.equal(famousLines(poem, () => false, 100), '');

  const stored = query('xhe.db', 'select * from mylib');
  assert.equal(new Set(stored.map((r) => r.name)).size, stored.length);
  assert.deepEqual(stored.slice(0, 3).map((r) => r.derivation), ['孔子《论语·学而》', '孔子《论语·卫灵公》', '孔子《论语》']);
  const credited = (text) => stored.filter((r) => r.name === text).map((r) => r.derivation);
  const table = [
    ['学而时习之，不亦说乎？有朋自远方来，不亦乐乎？', ['孔子《论语·学而》']], // opens without 子曰
    ['子曰：“学而时习之，不亦说乎？有朋自远方来，不亦乐乎？”', []],
    ['知我者谓我心忧，不知我者谓我何求。', ['《诗经·王风·黍离》']], // not the anthology quoting it
    ['少壮不努力，老大徒伤悲。', ['汉乐府《长歌行》']],
    ['然后知生于忧患而死于安乐也。', ['孟子《孟子·告子下》']], // converted from traditional script
    ['古人云：有钱堪出众，无衣懒出门。', ['《增广贤文》']],
    ['业精于勤，荒于嬉；行成于思，毁于随。', ['韩愈《进学解》']], // author quoted elsewhere too
    ['我也有我的禁忌。', []], // a novel's character
    ['Stay hungry, stay foolish.', []],
  ];
  for (const [text, expected] of table) assert.deepEqual(credited(text), expected, text);
  assert.equal(stored.filter((r) => /[A-Za-z]/.test(r.name + r.derivation) || r.name.length > 100).length, 0);
});

test('history: Chinese days first, English only where Chinese is missing, in year order', () => {
  const history = JSON.parse(fs.readFileSync(path.join(fixtureStores().out, 'history.json'), 'utf8'));
  assert.deepEqual(Object.keys(history), ['01-01', '02-29', '03-15', '07-20', '10-01', '12-08']);
  assert.deepEqual(history['01-01'].map((e) => e.year), ['前45', '1912', '1949', '1949']);
  assert.deepEqual(history['01-01'][2], { year: '1949', text: '测试：同年第一条' });
  assert.deepEqual(history['10-01'], [{ year: '1949', text: '中华人民共和国成立' }]);
  assert.deepEqual(history['07-20'], [
    { year: '1304', text: 'Petrarch born in Arezzo, Italy' },
    { year: '1969', text: 'Apollo 11 lands on the Moon' },
  ]);
  assert.deepEqual(history['03-15'], [{ year: '前44', text: 'Julius Caesar assassinated' }]);
  assert.deepEqual(history['02-29'], [{ year: '', text: 'Leap day' }]); // empty Chinese day falls back
  assert.deepEqual(
    ['1941', '-221', 0, undefined].map(yearText),
    ['1941', '前221', '0', '']
  );
  assert.deepEqual(buildHistory({}, {}).history, {});
});

test('strokes.db: the stroke-order data of each character as compressed JSON', () => {
  const rows = query('strokes.db', 'select * from strokes');
  assert.equal(rows.length, 8);
  const data = (name) => rows.find((r) => r.name === name).data;
  assert.ok(Buffer.isBuffer(data('永')), 'stored as bytes');
  const yong = JSON.parse(unpackStrokes(data('永')));
  assert.deepEqual(Object.keys(yong), ['strokes', 'medians', 'radStrokes']);
  assert.equal(yong.strokes.length, 5);
  assert.equal(yong.medians.length, 5);
  const yi = JSON.parse(unpackStrokes(data('一')));
  assert.deepEqual(Object.keys(yi), ['strokes', 'medians']);
  // The reader's framing: the text's length, most significant byte first, then a zlib stream.
  const json = '{"strokes":["M 1 2 Z"],"c":"永"}';
  const packed = packStrokes(json);
  assert.equal(packed.readUInt32BE(0), Buffer.byteLength(json));
  assert.deepEqual([...packed.subarray(4, 5)], [0x78]);
  assert.throws(() => unpackStrokes(Buffer.concat([Buffer.from([0, 0, 0, 9]), packed.subarray(4)])), /length/);
});
