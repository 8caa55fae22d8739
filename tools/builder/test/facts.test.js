'use strict';
// Facts checked by hand against a named reference, asserted against the full stores in data/.
// Each file in facts/ is a tab-separated table:
//   store file <TAB> query <TAB> expectation <TAB> reference
// The query returns one value (first column of the first row, '' when there is no row).
// Expectations: `=text` equal, `~text` contains, `!~text` does not contain, `>=n` at least n,
// `^text` starts with. Lines starting with # and blank lines are skipped.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const Database = require('better-sqlite3');
const { ROOT } = require('./helpers');
const { STORES } = require('../lib/schema');

const DATA = path.join(ROOT, 'data');
const FACTS = path.join(__dirname, 'facts');
const present = fs.existsSync(path.join(ROOT, '..', 'shared', 'data')) &&
  STORES.every((s) => fs.existsSync(path.join(DATA, s.file)));
const skip = present ? false : 'full stores not built';

function readFacts(file) {
  const rows = [];
  fs.readFileSync(file, 'utf8').split('\n').forEach((line, i) => {
    if (!line.trim() || line.startsWith('#')) return;
    const [store, sql, expect, reference] = line.split('\t');
    if (!store || !sql || expect === undefined) throw new Error(`${path.basename(file)}:${i + 1}: needs store, query and expectation`);
    rows.push({ where: `${path.basename(file)}:${i + 1}`, store, sql, expect, reference });
  });
  return rows;
}

function check(actual, expect) {
  const text = actual == null ? '' : String(actual);
  if (expect.startsWith('>=')) return Number(text) >= Number(expect.slice(2));
  if (expect.startsWith('!~')) return !text.includes(expect.slice(2));
  if (expect.startsWith('~')) return text.includes(expect.slice(1));
  if (expect.startsWith('^')) return text.startsWith(expect.slice(1));
  if (expect.startsWith('=')) return text === expect.slice(1);
  throw new Error(`unknown expectation ${expect}`);
}

test('facts checked by hand hold in the full stores', { skip }, () => {
  const files = fs.existsSync(FACTS) ? fs.readdirSync(FACTS).filter((f) => f.endsWith('.tsv')).sort() : [];
  const dbs = new Map();
  const failed = [];
  let count = 0;
  try {
    for (const f of files) {
      for (const fact of readFacts(path.join(FACTS, f))) {
        if (!dbs.has(fact.store)) dbs.set(fact.store, new Database(path.join(DATA, fact.store), { readonly: true }));
        const row = dbs.get(fact.store).prepare(fact.sql).raw().get();
        const actual = row ? row[0] : '';
        count++;
        if (!check(actual, fact.expect)) failed.push(`${fact.where}: ${fact.sql} gave ${JSON.stringify(actual)}, expected ${fact.expect}`);
      }
    }
  } finally {
    for (const db of dbs.values()) db.close();
  }
  assert.deepEqual(failed, [], `${failed.length} of ${count} facts failed`);
});
