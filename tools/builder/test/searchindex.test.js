'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const Database = require('better-sqlite3');
const { fixtureStores } = require('./helpers');
const { pinyinTokens, chineseRuns, parseFrequencies, tallyKeys } = require('../lib/searchindex');

test('pinyin tokens of every reading: joined, with tone digits, initials; the first reading parted', () => {
  const cases = [
    ['zhōng guó', 'zhongguo zhong1guo2 zhōngguó zg zhong0guo'],
    ['xíng,háng', 'xing xing2 xíng hang hang2 háng'],
    ['lǜ', 'lv lv4 lǜ'],
    ['nǚ ér', 'nver nv3er2 nǚér ne nv0er'],
    ['yī xīn,yí xìn', 'yixin yi1xin1 yīxīn yx yi2xin4 yíxìn yi0xin'],
    ['ma', 'ma'],
    ['', ''],
  ];
  for (const [spell, want] of cases) assert.deepEqual(pinyinTokens(spell), want, spell);
});

test('English explanations give their Chinese runs, kept apart', () => {
  assert.equal(chineseRuns('n. 苹果，家伙\n[医] 苹果'), '苹 果 0 家 伙 0 医 0 苹 果');
  assert.equal(chineseRuns('no Chinese'), '');
});

test('a row counts once towards each of its characters and pinyin prefixes', () => {
  const keys = tallyKeys({ text: '一 心 一 意', py: 'yixinyiyi yi1xin1yi1yi4 yxyy yi0xin0yi0yi' });
  assert.deepEqual([...keys], ['t一', 't心', 't意', 'py', 'pyi', 'pyix', 'pyi1', 'pyx', 'pyxy']);
  assert.deepEqual([...tallyKeys({ key: 'ice cream', text: '冰 淇 淋', py: '' }, true)], ['ki', 'kic', 'kice', 't冰', 't淇', 't淋']);
});

test('frequencies: the first count of a word wins', () => {
  const f = parseFrequencies('学习 80 v\n学习 3 n\n\n中国 9');
  assert.deepEqual([...f], [['学习', 80], ['中国', 9]]);
});

function open() {
  return new Database(path.join(fixtureStores().out, 'search.db'), { readonly: true });
}

test('every store row is indexed once, in frequency then store order', () => {
  const db = open();
  try {
    const counts = db.prepare(`select value from meta where key = 'counts'`).get().value.split(' ').map(Number);
    const stores = ['xhb.db hz', 'xhi.db dict', 'xhg.db cy', 'xhd.db xhy', 'xhk.db 英语单词', 'xhe.db mylib'];
    stores.forEach((s, sect) => {
      const [file, table] = s.split(' ');
      const store = new Database(path.join(fixtureStores().out, file), { readonly: true });
      const rowids = store.prepare(`select rowid as rid from "${table}" order by rowid`).all().map((r) => r.rid);
      store.close();
      assert.equal(counts[sect], rowids.length, table);
      const rids = db.prepare('select rid from entries where sect = ? order by rid').all(sect).map((r) => r.rid);
      assert.deepEqual(rids, rowids, table);
    });
    // 学习 is more frequent than the other words in the fixture list, so it ranks first of them.
    const words = db.prepare('select key from entries where sect = 1 order by ord limit 3').all().map((r) => r.key);
    assert.ok(words.includes('学习'), words.join(' '));
  } finally {
    db.close();
  }
});

test('the full-text tables find words by characters and by pinyin forms, and keep no copy of the text', () => {
  const db = open();
  const heads = (table, match) =>
    db
      .prepare(
        `select coalesce(e.head, e.key) head from ${table} t join entries e on e.sect = t.rowid >> 24 and e.ord = (t.rowid & 16777215) ` +
          `where ${table} match ? order by t.rowid`
      )
      .all(match)
      .map((r) => r.head);
  try {
    const cases = [
      ['terms', '"一 下"', '一下'],
      ['pinyin', 'yixia', '一下'],
      ['pinyin', 'yi1xia4', '一下'],
      ['pinyin', 'yx', '一下'],
      ['pinyin', 'yix*', '一下'],
      ['pinyin', 'yi0xia', '一下'],
      ['pinyin', 'yi0x*', '一下'],
      ['pinyin', 'abdy', '阿鼻地狱'],
      ['terms', '"苹 果"', 'apple'],
      ['pinyin', 'yīxià', '一下'],
    ];
    for (const [table, match, head] of cases) assert.ok(heads(table, match).includes(head), `${table} ${match}: ${heads(table, match).join(' ')}`);
    assert.deepEqual(heads('pinyin', 'apple'), []); // English headwords have no pinyin
    // English headwords keep their case where the key lowers it.
    const named = db.prepare(`select head, key from entries where sect = 4 and head is not null`).all();
    assert.ok(named.every((r) => r.head !== r.key && r.head.toLowerCase() === r.key), JSON.stringify(named));
    const copies = db.prepare(`select name from sqlite_master where name like '%\\_content' escape '\\' or name like '%\\_docsize' escape '\\'`).all();
    assert.deepEqual(copies, []);
  } finally {
    db.close();
  }
});
