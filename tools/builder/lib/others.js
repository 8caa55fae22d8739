'use strict';
// Rows of the xiehouyu and famous-sayings tables.

function buildXiehouyu(pairs) {
  return pairs
    .map((p) => ({ name: String(p.riddle || '').trim(), end1: String(p.answer || '').trim() }))
    .filter((r) => r.name && r.end1);
}

const WIDE = /[\p{Script=Han}\u3000-\u303f\uff00-\uffef“”‘’—…·]/u;

// Sayings are shown on one line: line breaks inside Chinese text vanish, others become blanks.
function oneLine(text) {
  const parts = String(text || '')
    .split(/\r?\n/)
    .map((l) => l.trim())
    .filter(Boolean);
  let out = '';
  for (const p of parts) {
    if (out && !(WIDE.test(out.slice(-1)) && WIDE.test(p[0]))) out += ' ';
    out += p;
  }
  return out;
}

// Both files of attributed sayings; a saying that comes again (also with other line breaks)
// keeps its first attribution.
function buildSayings(fortunes, hitokoto) {
  const rows = [];
  const seen = new Set();
  let duplicates = 0;
  const add = (text, person) => {
    const name = oneLine(text);
    const derivation = oneLine(person);
    if (!name || !derivation) return;
    const key = name.replace(/\s+/g, '');
    if (seen.has(key)) {
      duplicates++;
      return;
    }
    seen.add(key);
    rows.push({ name, derivation });
  };
  for (const r of fortunes) add(r.text, r.author || r.attribution || r.work);
  for (const r of hitokoto) add(r.text, r.author);
  return { rows, duplicates };
}

module.exports = { buildXiehouyu, buildSayings, oneLine };
