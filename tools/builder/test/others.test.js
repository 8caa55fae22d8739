'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { query, fixtureStores } = require('./helpers');
const { buildSayings, oneLine } = require('../lib/others');
const { buildHistory, yearText } = require('../lib/offline');

test('xhy: riddle and answer of every pair', () => {
  const rows = query('xhd.db', 'select * from xhy');
  assert.equal(rows.length, 20);
  assert.deepEqual(rows[0], { name: '阿斗当皇帝', end1: '无能' });
  assert.equal(query('xhd.db', `select count(*) n from xhy where name like '%阿斗？%'`)[0].n, 0);
});

test('sayings: one line each, repeated ones kept once, a person for every saying', () => {
  assert.equal(oneLine('有朋自远方来，\n       不亦乐乎？'), '有朋自远方来，不亦乐乎？');
  assert.equal(oneLine('Stay hungry,\nstay foolish.'), 'Stay hungry, stay foolish.');
  const { rows, duplicates } = buildSayings(
    [
      { text: '甲乙，\n  丙丁。', author: '', attribution: '《书》' },
      { text: '甲乙，丙丁。', author: '某人', attribution: '某人' },
      { text: '无人之言', author: '', attribution: '' },
    ],
    [{ text: '戊己。', author: '某人' }]
  );
  assert.deepEqual(rows, [
    { name: '甲乙，丙丁。', derivation: '《书》' },
    { name: '戊己。', derivation: '某人' },
  ]);
  assert.equal(duplicates, 1);
  const stored = query('xhe.db', 'select * from mylib');
  assert.equal(stored.length, 19);
  assert.equal(new Set(stored.map((r) => r.name)).size, stored.length);
  assert.deepEqual(
    query('xhe.db', `select name from mylib where derivation like '%王勃%'`).map((r) => r.name),
    ['海内存知己，天涯若比邻。', '落霞与孤鹜齐飞，秋水共长天一色。']
  );
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

test('strokes.db: the stroke-order data of each character as JSON', () => {
  const rows = query('strokes.db', 'select * from strokes');
  assert.equal(rows.length, 8);
  const yong = JSON.parse(rows.find((r) => r.name === '永').data);
  assert.deepEqual(Object.keys(yong), ['strokes', 'medians', 'radStrokes']);
  assert.equal(yong.strokes.length, 5);
  assert.equal(yong.medians.length, 5);
  const yi = JSON.parse(rows.find((r) => r.name === '一').data);
  assert.deepEqual(Object.keys(yi), ['strokes', 'medians']);
});
