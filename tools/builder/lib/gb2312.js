'use strict';
// GB 2312 area-position (qu-wei) codes, derived by decoding every row/cell byte pair with the
// platform's GB 18030 decoder (a superset of GB 2312) and keeping only GB 2312's own rows.

let table = null;

function isGb2312Position(qu, wei) {
  if (qu >= 10 && qu <= 15) return false; // unassigned rows
  if (qu >= 88) return false; // user-defined rows
  if (qu === 55 && wei >= 90) return false; // end of level 1, unassigned
  return true;
}

function buildTable() {
  const decoder = new TextDecoder('gb18030');
  const map = new Map();
  for (let qu = 1; qu <= 94; qu++) {
    for (let wei = 1; wei <= 94; wei++) {
      if (!isGb2312Position(qu, wei)) continue;
      const ch = decoder.decode(Uint8Array.from([0xa0 + qu, 0xa0 + wei]));
      const cp = ch.codePointAt(0);
      if ([...ch].length !== 1 || cp === 0xfffd || (cp >= 0xe000 && cp <= 0xf8ff)) continue;
      if (!map.has(ch)) map.set(ch, String(qu).padStart(2, '0') + String(wei).padStart(2, '0'));
    }
  }
  return map;
}

// "啊" -> "1601"; characters outside GB 2312 get an empty code.
function areacode(ch) {
  if (!table) table = buildTable();
  return table.get(ch) || '';
}

function tableSize() {
  if (!table) table = buildTable();
  return table.size;
}

module.exports = { areacode, tableSize };
