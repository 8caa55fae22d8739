'use strict';
// The stores the program opens: file, table, columns in order, and indexes: on the columns its
// searches compare for equality, and on the listed column of the larger tables so a containment
// search can scan the narrow index instead of the whole rows.
const T = 'TEXT COLLATE NOCASE';
const I = 'INTEGER';

const STORES = [
  {
    file: 'xhb.db',
    table: 'hz',
    columns: [
      ['name', T], ['oldname', T], ['spell', T], ['part', T], ['sum', T], ['partstrokes', T],
      ['strokes', I], ['wbcode', T], ['areacode', T], ['pycode', T], ['content', T], ['url', T],
    ],
    indexes: [['name'], ['part', 'sum'], ['partstrokes'], ['strokes'], ['pycode']],
  },
  {
    file: 'xhi.db',
    table: 'dict',
    // ID is the row's own key (unique, ascending in row order), so the start-up range reads it
    // without an index of 4 MB beside it.
    columns: [['ID', `${I} PRIMARY KEY`], ['word', T], ['ord', T], ['spell', T], ['content', T]],
    indexes: [['word']],
  },
  {
    file: 'xhg.db',
    table: 'cy',
    columns: [['name', T], ['spell', T], ['pyjm', T], ['content', T], ['derivation', T], ['samples', T]],
    indexes: [['name']],
  },
  {
    file: 'xhd.db',
    table: 'xhy',
    columns: [['name', T], ['end1', T]],
    indexes: [['name']],
  },
  {
    file: 'xhk.db',
    table: '英语单词',
    columns: [['单词', T], ['解释', T]],
    // No index on 解释: it would take 22 MB, an eighth of the installed size, for the search by
    // a whole Chinese explanation, which scans the table in about 50 ms without it.
    indexes: [['单词']],
  },
  {
    file: 'xhe.db',
    table: 'mylib',
    columns: [['name', T], ['derivation', T]],
    indexes: [['name']],
  },
  {
    file: 'strokes.db',
    table: 'strokes',
    columns: [['name', 'TEXT PRIMARY KEY'], ['data', 'BLOB']],
    indexes: [],
  },
  {
    // How each character is built (see lib/parts.js); read whole by the program.
    file: 'parts.db',
    table: 'parts',
    columns: [
      ['ch', 'TEXT PRIMARY KEY'], ['ord', I], ['ids', 'TEXT'], ['kind', 'TEXT'], ['meaning', 'TEXT'], ['sound', 'TEXT'],
      ['hint', 'TEXT'], ['direct', 'TEXT'], ['deep', 'TEXT'], ['roles', 'TEXT'], ['pieces', 'TEXT'],
    ],
    indexes: [],
  },
];

function storeFor(table) {
  const s = STORES.find((x) => x.table === table);
  if (!s) throw new Error(`unknown table ${table}`);
  return s;
}

module.exports = { STORES, storeFor };
