'use strict';
// Reading the data sets: every file may be stored plain or gzip-compressed (name + ".gz"),
// so the small fixtures can stay readable while the full data stays packed.
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

class Source {
  constructor(dir) {
    this.dir = path.resolve(dir);
  }

  locate(rel) {
    const plain = path.join(this.dir, rel);
    if (fs.existsSync(plain)) return plain;
    if (fs.existsSync(plain + '.gz')) return plain + '.gz';
    return null;
  }

  has(rel) {
    return this.locate(rel) !== null;
  }

  text(rel) {
    const file = this.locate(rel);
    if (!file) throw new Error(`missing source file: ${path.join(this.dir, rel)}[.gz]`);
    let data = fs.readFileSync(file);
    if (file.endsWith('.gz')) data = zlib.gunzipSync(data);
    let text = data.toString('utf8');
    if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
    return text;
  }

  // Optional files give their fallback instead of failing the build.
  textOr(rel, fallback) {
    return this.has(rel) ? this.text(rel) : fallback;
  }

  json(rel) {
    return JSON.parse(this.text(rel));
  }

  lines(rel) {
    return this.text(rel).split(/\r?\n/);
  }

  jsonLines(rel) {
    const out = [];
    this.lines(rel).forEach((line, i) => {
      if (!line.trim()) return;
      try {
        out.push(JSON.parse(line));
      } catch (e) {
        throw new Error(`${rel}: line ${i + 1}: ${e.message}`);
      }
    });
    return out;
  }

  // Tab-separated rows, skipping '#' comment lines and, when asked, a header row.
  tsv(rel, { header = false } = {}) {
    const rows = [];
    let seenHeader = !header;
    for (const line of this.lines(rel)) {
      if (!line || line.startsWith('#')) continue;
      if (!seenHeader) {
        seenHeader = true;
        continue;
      }
      rows.push(line.split('\t'));
    }
    return rows;
  }
}

module.exports = { Source };
