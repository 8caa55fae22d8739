'use strict';
// GB18030 encoder. Node can decode GB18030 but not encode it, so the code table is built
// once by decoding every two-byte and four-byte BMP sequence; supplementary planes follow the
// standard's linear four-byte layout.

// Characters whose bytes differ between GB18030 editions (2000/2005/2022) or between browser
// decoders of different ages. A page holding one of them would read differently depending on
// the viewer, so they are refused rather than encoded.
const UNSTABLE = new Set([
  0x1e3f, 0x01f9, 0xe5e5, 0x20ac,
  0x9fb4, 0x9fb5, 0x9fb6, 0x9fb7, 0x9fb8, 0x9fb9, 0x9fba, 0x9fbb,
  0xfe10, 0xfe11, 0xfe12, 0xfe13, 0xfe14, 0xfe15, 0xfe16, 0xfe17, 0xfe18, 0xfe19,
  0x20087, 0x20089, 0x200cc, 0x215d7, 0x2298f, 0x241fe,
]);

let table = null; // Map code point -> Buffer (2 or 4 bytes) for the BMP above ASCII

function isPrivateUse(cp) {
  return (cp >= 0xe000 && cp <= 0xf8ff);
}

function buildTable() {
  const decoder = new TextDecoder('gb18030');
  const map = new Map();
  const put = (cp, bytes) => {
    if (cp === 0xfffd || cp < 0x80 || cp > 0xffff || isPrivateUse(cp) || map.has(cp)) return;
    map.set(cp, Buffer.from(bytes));
  };
  // Two-byte sequences first so that they win over any four-byte form of the same character.
  for (let b1 = 0x81; b1 <= 0xfe; ++b1) {
    for (let b2 = 0x40; b2 <= 0xfe; ++b2) {
      if (b2 === 0x7f) continue;
      const s = decoder.decode(Uint8Array.of(b1, b2));
      if (s.length === 1) put(s.charCodeAt(0), [b1, b2]);
    }
  }
  for (let b1 = 0x81; b1 <= 0x84; ++b1) {
    for (let b2 = 0x30; b2 <= 0x39; ++b2) {
      for (let b3 = 0x81; b3 <= 0xfe; ++b3) {
        for (let b4 = 0x30; b4 <= 0x39; ++b4) {
          const s = decoder.decode(Uint8Array.of(b1, b2, b3, b4));
          if (s.length === 1) put(s.charCodeAt(0), [b1, b2, b3, b4]);
        }
      }
    }
  }
  return map;
}

function supplementary(cp) {
  let n = cp - 0x10000;
  const b4 = 0x30 + (n % 10); n = Math.floor(n / 10);
  const b3 = 0x81 + (n % 126); n = Math.floor(n / 126);
  const b2 = 0x30 + (n % 10); n = Math.floor(n / 10);
  const b1 = 0x90 + n;
  return Buffer.from([b1, b2, b3, b4]);
}

function encodable(cp) {
  return !UNSTABLE.has(cp) && !isPrivateUse(cp) && !(cp >= 0xd800 && cp <= 0xdfff);
}

// Encodes text as GB18030. Throws on a character that cannot be encoded reliably, naming it
// and its position, so that a bad source character stops the build instead of a page.
function encode(text) {
  if (!table) table = buildTable();
  const parts = [];
  let ascii = '';
  let index = 0;
  for (const ch of text) {
    const cp = ch.codePointAt(0);
    if (cp < 0x80) { ascii += ch; index += 1; continue; }
    if (ascii) { parts.push(Buffer.from(ascii, 'latin1')); ascii = ''; }
    if (!encodable(cp)) {
      throw new Error(`cannot encode U+${cp.toString(16).toUpperCase()} (${ch}) at ${index}`);
    }
    const bytes = cp > 0xffff ? supplementary(cp) : table.get(cp);
    if (!bytes) throw new Error(`no GB18030 code for U+${cp.toString(16).toUpperCase()} at ${index}`);
    parts.push(bytes);
    index += ch.length;
  }
  if (ascii) parts.push(Buffer.from(ascii, 'latin1'));
  return Buffer.concat(parts);
}

function decode(bytes) {
  return new TextDecoder('gb18030', { fatal: true }).decode(bytes);
}

module.exports = { encode, decode, encodable };
