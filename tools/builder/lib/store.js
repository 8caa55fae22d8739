'use strict';
// Writes one table into a fresh SQLite file and counts, per column, how many rows hold a value.
const fs = require('fs');
const Database = require('better-sqlite3');

// Rows of stroke data (1.4 KB) and of explanations left 10–20 % of 4 KB pages empty; a lookup
// by index reads a page or two either way.
const PAGE_SIZE = 16384;

function quote(name) {
  return `"${name.replace(/"/g, '""')}"`;
}

function filled(v) {
  return v !== undefined && v !== null && v !== '';
}

function writeStore(file, spec, rows) {
  if (fs.existsSync(file)) fs.unlinkSync(file);
  const db = new Database(file);
  try {
    db.pragma(`page_size = ${PAGE_SIZE}`);
    db.pragma('journal_mode = OFF');
    db.pragma('synchronous = OFF');
    const cols = spec.columns.map(([n]) => n);
    db.exec(`CREATE TABLE ${quote(spec.table)} (${spec.columns.map(([n, t]) => `${quote(n)} ${t}`).join(', ')})`);
    const insert = db.prepare(
      `INSERT INTO ${quote(spec.table)} (${cols.map(quote).join(', ')}) VALUES (${cols.map(() => '?').join(', ')})`
    );
    const counts = Object.fromEntries(cols.map((c) => [c, 0]));
    let total = 0;
    const integer = new Set(spec.columns.filter(([, t]) => t.startsWith('INTEGER')).map(([n]) => n));
    db.transaction(() => {
      for (const row of rows) {
        const values = cols.map((c) => {
          const v = row[c];
          if (integer.has(c)) {
            if (!Number.isInteger(v)) throw new Error(`${spec.table}.${c}: not an integer: ${JSON.stringify(v)} (${row[cols[0]]})`);
            return v;
          }
          if (Buffer.isBuffer(v)) return v;
          return v === undefined || v === null ? '' : String(v);
        });
        insert.run(values);
        total++;
        cols.forEach((c, i) => {
          if (filled(values[i])) counts[c]++;
        });
      }
    })();
    spec.indexes.forEach((idxCols) => {
      db.exec(`CREATE INDEX ${quote(`${spec.table}_${idxCols.join('_')}`)} ON ${quote(spec.table)} (${idxCols.map(quote).join(', ')})`);
    });
    return { total, counts };
  } finally {
    db.close();
  }
}

module.exports = { writeStore };
