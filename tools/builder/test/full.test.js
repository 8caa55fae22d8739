'use strict';
// Checks the full stores in data/ when they were built from the shared data sets.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const Database = require('better-sqlite3');
const { ROOT } = require('./helpers');
const { STORES } = require('../lib/schema');

const SHARED = path.join(ROOT, '..', 'shared', 'data');
const DATA = path.join(ROOT, 'data');
const present = fs.existsSync(SHARED) && STORES.every((s) => fs.existsSync(path.join(DATA, s.file)));
const skip = present ? false : 'full stores not built (node tools/builder/build.js --source ../shared/data --out data)';

function one(file, sql) {
  const db = new Database(path.join(DATA, file), { readonly: true });
  try {
    return db.prepare(sql).get();
  } finally {
    db.close();
  }
}

test('full stores: row counts', { skip }, () => {
  const minimum = [
    ['xhb.db', 'hz', 21000],
    ['xhi.db', 'dict', 270000],
    ['xhg.db', 'cy', 30000],
    // 157 of the 14,032 pairs were split inside a pinyin gloss upstream and lost their answer.
    ['xhd.db', 'xhy', 13800],
    ['xhk.db', '英语单词', 60000],
    // The two sayings files hold 5,908 distinct attributed sayings between them.
    ['xhe.db', 'mylib', 5900],
    ['strokes.db', 'strokes', 9000],
  ];
  for (const [file, table, min] of minimum) {
    const { n } = one(file, `select count(*) n from "${table}"`);
    assert.ok(n >= min, `${table}: ${n} rows, expected at least ${min}`);
  }
});

test('full stores: no empty required values', { skip }, () => {
  const empty = [
    // A character no reference gives a reading for says so instead of showing a made-up one.
    ['xhb.db', `select count(*) n from hz where part = '' or strokes is null or content = '' or (spell = '' and content not like '%读音：不详%')`],
    ['xhi.db', `select count(*) n from dict where spell = ''`],
    ['xhg.db', `select count(*) n from cy where spell = '' or pyjm = ''`],
    ['xhd.db', `select count(*) n from xhy where name = '' or end1 = ''`],
    ['xhk.db', `select count(*) n from 英语单词 where 解释 = ''`],
    ['xhe.db', `select count(*) n from mylib where derivation = ''`],
  ];
  for (const [file, sql] of empty) assert.equal(one(file, sql).n, 0, sql);
});

test('full stores: spot checks', { skip }, () => {
  assert.equal(one('xhb.db', `select strokes from hz where name = '永'`).strokes, 5);
  assert.equal(one('xhb.db', `select url from hz where name = '永'`).url, 'swf');
  assert.equal(one('xhb.db', `select areacode from hz where name = '啊'`).areacode, '1601');
  assert.ok(one('xhb.db', `select count(*) n from hz where pycode = 'ma '`).n >= 5);
  assert.equal(one('xhg.db', `select pyjm from cy where name = '千方百计'`).pyjm, 'qfbj');
  assert.equal(one('xhg.db', `select name from cy where name like '%成_上_%'`).name, '成千上万');
  assert.equal(one('xhi.db', `select count(*) n from dict where ID > 362993 and ID < 363036`).n, 42);
  assert.equal(one('xhk.db', `select count(*) n from 英语单词 where 单词 = 'apple'`).n, 1);
  const history = JSON.parse(fs.readFileSync(path.join(DATA, 'history.json'), 'utf8'));
  assert.equal(Object.keys(history).length, 366);
});

test('full stores: no artefact left in any text column', { skip }, () => {
  const { countArtefacts } = require('../lib/clean');
  const left = [];
  for (const s of STORES) {
    if (s.table === 'strokes') continue; // stroke paths, not text
    const db = new Database(path.join(DATA, s.file), { readonly: true });
    try {
      const { counts, examples } = countArtefacts(db.prepare(`select * from "${s.table}"`).iterate(), { table: s.table });
      for (const [kind, n] of Object.entries(counts)) if (n) left.push(`${s.table} ${kind} ${n}: ${examples[kind].join(' / ')}`);
    } finally {
      db.close();
    }
  }
  assert.deepEqual(left, []);
});
