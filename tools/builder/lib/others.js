'use strict';
// Text helpers shared by the sayings table.

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

module.exports = { oneLine };
