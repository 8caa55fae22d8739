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

module.exports = { buildXiehouyu, oneLine };
