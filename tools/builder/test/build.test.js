'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const Database = require('better-sqlite3');
const { FIXTURES, fixtureStores, tempDir } = require('./helpers');
const { build, parseArgs } = require('../build');
const { STORES } = require('../lib/schema');

const OUTPUTS = [...STORES.map((s) => s.file), 'search.db', 'history.json', 'build-report.txt'];

test('the stores have the expected tables, column types and indexes', () => {
  const { out } = fixtureStores();
  for (const spec of STORES) {
    const db = new Database(path.join(out, spec.file), { readonly: true });
    try {
      const tables = db.prepare(`select name from sqlite_master where type = 'table'`).all().map((r) => r.name);
      assert.deepEqual(tables, [spec.table], spec.file);
      const cols = db.prepare(`select name, type from pragma_table_info(?)`).all(spec.table);
      assert.deepEqual(cols.map((c) => c.name), spec.columns.map(([n]) => n), spec.file);
      const indexed = db
        .prepare(`select name from sqlite_master where type = 'index' and sql is not null`)
        .all()
        .map((r) => r.name);
      assert.equal(indexed.length, spec.indexes.length, spec.file);
    } finally {
      db.close();
    }
  }
  const db = new Database(path.join(out, 'xhb.db'), { readonly: true });
  const sql = db.prepare(`select sql from sqlite_master where name = 'hz'`).get().sql;
  db.close();
  assert.match(sql, /"strokes" INTEGER/);
  assert.match(sql, /"partstrokes" TEXT COLLATE NOCASE/);
});

test('the same input gives byte-identical output', () => {
  const { out } = fixtureStores();
  const again = tempDir();
  try {
    build(FIXTURES, again);
    for (const f of OUTPUTS) {
      assert.ok(fs.readFileSync(path.join(out, f)).equals(fs.readFileSync(path.join(again, f))), f);
    }
  } finally {
    fs.rmSync(again, { recursive: true, force: true });
  }
});

test('a failed build leaves the earlier stores in place and no temporary files', () => {
  const out = tempDir();
  const broken = tempDir('mc-broken-source-');
  try {
    build(FIXTURES, out);
    const before = Object.fromEntries(OUTPUTS.map((f) => [f, fs.readFileSync(path.join(out, f))]));
    fs.cpSync(FIXTURES, broken, { recursive: true });
    fs.writeFileSync(path.join(broken, 'xinhua', 'xiehouyu.json'), '[{"riddle": "cut off');
    assert.throws(() => build(broken, out), /JSON/);
    assert.deepEqual(fs.readdirSync(out).sort(), [...OUTPUTS].sort());
    for (const f of OUTPUTS) assert.ok(before[f].equals(fs.readFileSync(path.join(out, f))), f);
    assert.throws(() => build(path.join(broken, 'missing'), out), /not found/);
  } finally {
    fs.rmSync(out, { recursive: true, force: true });
    fs.rmSync(broken, { recursive: true, force: true });
  }
});

test('the report gives rows and filled values per column', () => {
  const { out, report } = fixtureStores();
  assert.equal(fs.readFileSync(path.join(out, 'build-report.txt'), 'utf8'), report);
  assert.match(report, /xhb\.db {2}hz: 47 rows/);
  assert.match(report, /filled: name 47, oldname 47, spell 46, part 47, sum 47, partstrokes 47, strokes 47, wbcode 33,/);
  assert.match(report, /dict: dropped 4 garbled keys/);
});

test('command line arguments', () => {
  assert.deepEqual(parseArgs(['--source', 'a', '--out', 'b']), { source: 'a', out: 'b' });
  assert.throws(() => parseArgs(['--source']), /needs a value/);
  assert.throws(() => parseArgs(['--bogus']), /unknown argument/);
});
