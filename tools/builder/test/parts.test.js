'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { query, tempDir } = require('./helpers');
const { parseIds, characterCounts, partRows } = require('../lib/parts');
const { Source } = require('../lib/source');

function row(ch) {
  return query('parts.db', 'SELECT * FROM parts WHERE ch = ?', ch)[0];
}

test('description sequences: nested, three-part, and cut short', () => {
  const t = parseIds('⿰氵⿻丁口');
  assert.equal(t.op, '⿰');
  assert.deepEqual(t.kids.map((k) => k.text), ['氵', '⿻丁口']);
  assert.equal(parseIds('⿲彳育攵').kids.length, 3);
  assert.deepEqual(parseIds('⿱木').kids.map((k) => k.text), ['木', '？']);
  assert.equal(parseIds('？').leaf, '？');
});

test('a character counts once per occurrence in every word it is in', () => {
  assert.deepEqual([...characterCounts('木 5 n\n林木 3 n\n森林 2 n\n木木 1 x\n坏行 abc')], [
    ['木', 10],
    ['林', 5],
    ['森', 2],
  ]);
});

test('parts at every depth, once per occurrence, with nested sequences named', () => {
  const cases = [
    // ch, direct, deep
    ['河', '氵可', '一丁亅口可氵'],
    ['森', '木林', '木木木林'],
    ['品', '口口口', '口口口'],
    ['哥', '可可', '一一丁丁亅亅口口可可'],
    ['右', '口', '口'],
    ['口', '', ''],
  ];
  for (const [ch, direct, deep] of cases) {
    const r = row(ch);
    assert.equal(r.direct, direct, ch);
    assert.equal(r.deep, deep, ch);
  }
});

test('strokes: the meaning and sound components and the first-level part of each', () => {
  const cases = [
    // ch, kind, meaning, sound, roles, pieces
    ['地', 'pictophonetic', '土', '也', 'mmmsss', '土土土也也也'],
    ['问', 'pictophonetic', '口', '门', 'sssmmm', '门门门口口口'],
    ['可', 'pictophonetic', '丁', '口', 'msssm', '丁口口口丁'],
    ['森', 'ideographic', '', '', '------------', '木木木木林林林林林林林林'],
    ['左', 'pictographic', '', '', '-----', '？？工工工'],
    ['这', '', '', '', '-------', '文文文文辶辶辶'],
  ];
  for (const [ch, kind, meaning, sound, roles, pieces] of cases) {
    const r = row(ch);
    assert.deepEqual([r.kind, r.meaning, r.sound, r.roles, r.pieces], [kind, meaning, sound, roles, pieces], ch);
  }
});

test('frequency order: more frequent characters first, every character once', () => {
  const rows = query('parts.db', 'SELECT ch, ord FROM parts ORDER BY ord');
  assert.deepEqual(rows.map((r) => r.ord), rows.map((_, i) => i));
  assert.equal(rows[0].ch, '一'); // 一点儿 is in the fixture list, the other characters are not
});

test('without the decomposition data there are no rows', () => {
  assert.deepEqual(partRows(new Source(tempDir()), ''), []);
});
