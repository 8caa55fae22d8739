#!/usr/bin/env node
'use strict';
// Rebuilds only the quick lookup's index beside stores that are already built:
//   node tools/builder/search-index.js --stores <dir with the six stores> --source <data dir>
const path = require('path');
const { writeSearchIndex } = require('./lib/searchindex');
const { Source } = require('./lib/source');

const args = process.argv.slice(2);
const value = (name) => {
  const i = args.indexOf(name);
  return i >= 0 ? args[i + 1] : undefined;
};
const stores = value('--stores');
const source = value('--source');
if (!stores || !source) {
  console.error('usage: node tools/builder/search-index.js --stores <dir> --source <data dir>');
  process.exit(2);
}
const started = Date.now();
const counts = writeSearchIndex(path.join(stores, 'search.db'), stores, new Source(source).textOr('frequency/jieba_dict.txt', ''));
console.log(`search.db: rows indexed per group ${counts.join(' ')} in ${((Date.now() - started) / 1000).toFixed(1)} s`);
