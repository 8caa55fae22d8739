'use strict';
// Builds data/search.db, the index of the quick lookup, from the six built stores and the word
// frequency list. The stores themselves are only read: their schema stays as it is.
//
// Layout (the program's lookup engine reads exactly this):
//   entries(sect, ord, rid, head, key)  one row per store row; sect is the group (0 字, 1 词语,
//       2 成语, 3 歇后语, 4 英汉, 5 名言), rid the row's rowid in its store, ord its place in
//       ranking order (more frequent first, then store order), key what exact and prefix
//       matches compare (English headwords in lower case) and head the headword as stored,
//       NULL where it is the key (all but some English headwords): read coalesce(head, key)
//   terms, pinyin  full-text tables sharing one rowid = sect * 2^24 + ord, so that
//       results come in ranking order. None keeps a copy of its text or column sizes (no query
//       reads either), and each has only the detail and prefix indexes its queries need:
//     terms(text)  every character of the searchable text as a token of its own (contains-queries
//           are phrase queries); English explanations give only their Chinese runs, with a "0"
//           token between runs so a phrase never spans two of them. Positions, no prefixes.
//     pinyin(py)  per reading: pinyin without tones joined ("zhongguo"), with tone digits
//           ("zhong1guo2"), with tone marks ("zhōngguó"), and the initials of several syllables
//           ("zg"); and the first reading's syllables joined by "0" ("zhong0guo") for parted
//           input. Matched as whole tokens or prefixes only: rowids without positions, with
//           prefix indexes of one to four letters (four-letter prefixes such as "xian" would
//           otherwise merge thousands of tokens per keystroke).
//   charpy(ch, py)  readings without tones of every character, for mixed input ("zhong国")
//   tally(sect, key, n)  how many rows of a group hold a Han character ("t" + character), a
//       pinyin token starting with one to three letters ("p" + letters) or, for English, a
//       headword starting so ("k" + letters): the counts of the short queries of the first
//       keystrokes, which would otherwise walk long lists of the index
//   meta(key, value)
const fs = require('fs');
const path = require('path');
const Database = require('better-sqlite3');
const { toneless } = require('./pinyin');

const SECTIONS = [
  { file: 'xhb.db', table: 'hz', head: 'name', text: ['name'], spell: 'spell' },
  { file: 'xhi.db', table: 'dict', head: 'word', text: ['word'], spell: 'spell' },
  { file: 'xhg.db', table: 'cy', head: 'name', text: ['name'], spell: 'spell' },
  { file: 'xhd.db', table: 'xhy', head: 'name', text: ['name', 'end1'] },
  { file: 'xhk.db', table: '英语单词', head: '单词', lower: true, chineseOf: '解释' },
  { file: 'xhe.db', table: 'mylib', head: 'name', text: ['name'] },
];
const ORD_BITS = 2 ** 24;
const TOKENS = "tokenize = 'unicode61 remove_diacritics 0', content = '', columnsize = 0";
// table, column, options
const FULL_TEXT = [
  ['terms', 'text', `${TOKENS}, detail = 'full'`],
  ['pinyin', 'py', `${TOKENS}, detail = 'none', prefix = '1 2 3 4'`],
];
const HAN = /\p{Script=Han}/u;
const TONES = { '\u0304': '1', '\u0301': '2', '\u030c': '3', '\u0300': '4' };

// word -> count from a jieba-style list ("word count tag" per line); the first count of a word wins.
function parseFrequencies(text) {
  const freq = new Map();
  for (const line of text.split(/\r?\n/)) {
    const [word, count] = line.trim().split(/\s+/);
    if (word && !freq.has(word)) freq.set(word, Number(count) || 0);
  }
  return freq;
}

// "zhōng" -> "zhong1", "ma" -> "ma" (neutral tone: no digit), "lǜ" -> "lv4".
function numbered(syllable) {
  let tone = '';
  const base = syllable
    .normalize('NFD')
    .replace(/[\u0304\u0301\u030c\u0300]/g, (m) => {
      tone = TONES[m];
      return '';
    });
  return toneless(base).replace(/[^a-z]/g, '') + tone;
}

// The readings of a spell column: "xíng,háng" (a character) or "zhōng guó" (a word).
function readings(spell) {
  return String(spell || '')
    .split(/[,;，；/]/)
    .map((r) => r.trim().split(/\s+/).filter(Boolean))
    .filter((syls) => syls.length);
}

const PARTED = '0';

function pinyinTokens(spell) {
  const tokens = [];
  const add = (t) => {
    if (t && !tokens.includes(t)) tokens.push(t);
  };
  const all = readings(spell);
  for (const syls of all) {
    const plain = syls.map((s) => toneless(s).replace(/[^a-z]/g, '')).filter(Boolean);
    if (!plain.length) continue;
    add(plain.join(''));
    add(syls.map(numbered).join(''));
    add(syls.join('').normalize('NFC').toLowerCase().replace(/\u0261/g, 'g').replace(/[^a-zà-ǜ]/g, ''));
    if (plain.length > 1) add(plain.map((s) => s[0]).join(''));
  }
  // The first reading's syllables joined by "0", which no typed key holds ("zhong0guo"): parted
  // input matches it whole or as a prefix.
  const first = all.length ? all[0].map((s) => toneless(s).replace(/[^a-z]/g, '')).filter(Boolean) : [];
  if (first.length > 1) add(first.join(PARTED));
  return tokens.join(' ');
}

function spaced(text) {
  return [...String(text || '')].filter((c) => c.trim()).join(' ');
}

function chineseRuns(text) {
  const runs = [];
  let run = [];
  for (const c of String(text || '')) {
    if (HAN.test(c)) run.push(c);
    else if (run.length) {
      runs.push(run.join(' '));
      run = [];
    }
  }
  if (run.length) runs.push(run.join(' '));
  return runs.join(' 0 ');
}

// The tally keys one row counts towards, each once.
function tallyKeys(row, withKey = false) {
  const keys = new Set();
  if (withKey) {
    const letters = [...row.key];
    for (let n = 1; n <= Math.min(3, letters.length); n++) keys.add('k' + letters.slice(0, n).join(''));
  }
  for (const c of row.text.split(' ')) if (HAN.test(c)) keys.add('t' + c);
  for (const token of row.py.split(' ').filter((t) => t && !t.includes(PARTED))) {
    const letters = [...token];
    for (let n = 1; n <= Math.min(3, letters.length); n++) keys.add('p' + letters.slice(0, n).join(''));
  }
  return keys;
}

// Reads one store's rows in store order and returns them in ranking order with their tokens.
function sectionRows(db, section, freq) {
  const cols = [section.head, ...(section.text || []), section.spell, section.chineseOf].filter(Boolean);
  const unique = [...new Set(cols)];
  const select = `SELECT rowid AS rid, ${unique.map((c) => `"${c}"`).join(', ')} FROM "${section.table}" ORDER BY rowid`;
  const rows = db.prepare(select).all().map((r) => {
    const head = String(r[section.head] || '');
    return {
      rid: r.rid,
      head,
      key: section.lower ? head.toLowerCase() : head,
      freq: freq.get(head) || 0,
      text: section.chineseOf ? chineseRuns(r[section.chineseOf]) : section.text.map((c) => spaced(r[c])).join(' 0 '),
      py: section.spell ? pinyinTokens(r[section.spell]) : '',
    };
  });
  rows.sort((a, b) => b.freq - a.freq || a.rid - b.rid);
  return rows;
}

function charReadings(db) {
  const out = new Map();
  for (const r of db.prepare('SELECT name, spell FROM hz ORDER BY rowid').iterate()) {
    const name = String(r.name || '');
    if ([...name].length !== 1) continue;
    const pys = out.get(name) || [];
    for (const syls of readings(r.spell)) {
      const p = toneless(syls[0]).replace(/[^a-z]/g, '');
      if (p && !pys.includes(p)) pys.push(p);
    }
    out.set(name, pys);
  }
  return out;
}

// Writes <file> from the stores in storeDir; returns the number of rows indexed per group.
function writeSearchIndex(file, storeDir, frequencyText = '') {
  if (fs.existsSync(file)) fs.unlinkSync(file);
  const freq = parseFrequencies(frequencyText);
  const db = new Database(file);
  const counts = [];
  try {
    db.pragma('journal_mode = OFF');
    db.pragma('synchronous = OFF');
    db.exec(`
      CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID;
      CREATE TABLE entries (sect INTEGER, ord INTEGER, rid INTEGER, head TEXT, key TEXT, PRIMARY KEY (sect, ord)) WITHOUT ROWID;
      CREATE TABLE charpy (ch TEXT PRIMARY KEY, py TEXT) WITHOUT ROWID;
      CREATE TABLE tally (sect INTEGER, key TEXT, n INTEGER, PRIMARY KEY (sect, key)) WITHOUT ROWID;
      ${FULL_TEXT.map(([table, column, options]) => `CREATE VIRTUAL TABLE ${table} USING fts5(${column}, ${options});`).join('\n')}
    `);
    const entry = db.prepare('INSERT INTO entries (sect, ord, rid, head, key) VALUES (?, ?, ?, ?, ?)');
    const inserts = FULL_TEXT.map(([table, column]) => {
      const insert = db.prepare(`INSERT INTO ${table} (rowid, ${column}) VALUES (?, ?)`);
      return (rowid, value) => value && insert.run(rowid, value);
    });
    const [text, pinyin] = inserts;
    db.transaction(() => {
      SECTIONS.forEach((section, sect) => {
        const store = new Database(path.join(storeDir, section.file), { readonly: true });
        try {
          const rows = sectionRows(store, section, freq);
          const tally = new Map();
          rows.forEach((r, ord) => {
            entry.run(sect, ord, r.rid, r.head === r.key ? null : r.head, r.key);
            const rowid = sect * ORD_BITS + ord;
            text(rowid, r.text);
            pinyin(rowid, r.py);
            for (const key of tallyKeys(r, section.lower)) tally.set(key, (tally.get(key) || 0) + 1);
          });
          const count = db.prepare('INSERT INTO tally (sect, key, n) VALUES (?, ?, ?)');
          for (const [key, n] of tally) count.run(sect, key, n);
          counts.push(rows.length);
          if (sect === 0) {
            const insert = db.prepare('INSERT INTO charpy (ch, py) VALUES (?, ?)');
            for (const [ch, pys] of charReadings(store)) insert.run(ch, pys.join(' '));
          }
        } finally {
          store.close();
        }
      });
      const meta = db.prepare('INSERT INTO meta (key, value) VALUES (?, ?)');
      meta.run('format', '2');
      meta.run('counts', counts.join(' '));
    })();
    db.exec(`
      CREATE INDEX entries_key ON entries (sect, key, ord);
      ${FULL_TEXT.map(([table]) => `INSERT INTO ${table} (${table}) VALUES ('optimize');`).join('\n')}
    `);
    db.exec('VACUUM');
  } finally {
    db.close();
  }
  return counts;
}

module.exports = { writeSearchIndex, tallyKeys, pinyinTokens, numbered, chineseRuns, parseFrequencies, SECTIONS, ORD_BITS };
