'use strict';
// Builds the fixture stores once per test process into a temporary folder.
const fs = require('fs');
const os = require('os');
const path = require('path');
const Database = require('better-sqlite3');
const { build } = require('../build');

const ROOT = path.resolve(__dirname, '..', '..', '..');
const FIXTURES = path.join(ROOT, 'tests', 'fixtures', 'data');

let built = null;

function tempDir(prefix = 'mc-builder-') {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

function fixtureStores() {
  if (!built) {
    const out = tempDir();
    const { report } = build(FIXTURES, out);
    built = { out, report };
    process.on('exit', () => fs.rmSync(out, { recursive: true, force: true }));
  }
  return built;
}

function query(file, sql, ...params) {
  const db = new Database(path.join(fixtureStores().out, file), { readonly: true });
  try {
    return db.prepare(sql).all(...params);
  } finally {
    db.close();
  }
}

module.exports = { ROOT, FIXTURES, fixtureStores, query, tempDir };
