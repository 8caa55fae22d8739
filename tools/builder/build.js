#!/usr/bin/env node
'use strict';
// Builds the dictionary stores and the offline files from the open data sets:
//   node tools/builder/build.js --source <data dir> --out <dir>
// Everything is written into a temporary folder inside <out> first and moved into place only
// when the whole build has succeeded, so a failed build leaves the previous stores untouched.
const fs = require('fs');
const path = require('path');
const { STORES } = require('./lib/schema');
const { writeStore } = require('./lib/store');
const { collect, STARTUP_FILE } = require('./lib/pipeline');
const { countArtefacts } = require('./lib/clean');
const { writeSearchIndex } = require('./lib/searchindex');
const { Source } = require('./lib/source');

// Columns that hold data rather than text a reader sees.
const NOT_TEXT = { strokes: ['data'] };

function parseArgs(argv) {
  const args = {};
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a === '--source' || a === '--out') {
      if (i + 1 >= argv.length) throw new Error(`${a} needs a value`);
      args[a.slice(2)] = argv[++i];
    } else if (a === '--help' || a === '-h') {
      args.help = true;
    } else {
      throw new Error(`unknown argument: ${a}`);
    }
  }
  return args;
}

function reportText(sourceDir, results, notes) {
  const lines = [`source: ${path.resolve(sourceDir)}`, ''];
  for (const r of results) {
    lines.push(`${r.file}  ${r.table}: ${r.total} rows`);
    lines.push('  filled: ' + Object.entries(r.counts).map(([c, n]) => `${c} ${n}`).join(', '));
    const rate = (n) => (r.total ? ((100 * n) / r.total).toFixed(1) : '0.0');
    lines.push('  fill rate %: ' + Object.entries(r.counts).map(([c, n]) => `${c} ${rate(n)}`).join(', '));
    const counts = Object.entries(r.artefacts.counts);
    lines.push('  artefacts (rows): ' + counts.map(([k, n]) => `${k} ${n}`).join(', '));
    for (const [k, n] of counts) if (n) lines.push(`    ${k}, e.g. ${r.artefacts.examples[k].join(' / ')}`);
  }
  lines.push('', ...notes, '');
  return lines.join('\n');
}

function build(sourceDir, outDir, { startupText = fs.readFileSync(STARTUP_FILE, 'utf8') } = {}) {
  if (!fs.existsSync(sourceDir)) throw new Error(`source folder not found: ${sourceDir}`);
  fs.mkdirSync(outDir, { recursive: true });
  const tmp = fs.mkdtempSync(path.join(outDir, '.build-'));
  try {
    const { tables, history, notes } = collect(sourceDir, startupText);
    const results = [];
    for (const spec of STORES) {
      const { total, counts } = writeStore(path.join(tmp, spec.file), spec, tables[spec.table]);
      const artefacts = countArtefacts(tables[spec.table], { table: spec.table, skip: NOT_TEXT[spec.table] || [] });
      results.push({ file: spec.file, table: spec.table, total, counts, artefacts });
    }
    fs.writeFileSync(path.join(tmp, 'history.json'), JSON.stringify(history) + '\n');
    const frequencies = new Source(sourceDir).textOr('frequency/jieba_dict.txt', '');
    const indexed = writeSearchIndex(path.join(tmp, 'search.db'), tmp, frequencies);
    notes.push(`search.db: rows indexed per group ${indexed.join(' ')}`);
    const report = reportText(sourceDir, results, notes);
    fs.writeFileSync(path.join(tmp, 'build-report.txt'), report);
    const outputs = [...STORES.map((s) => s.file), 'search.db', 'history.json', 'build-report.txt'];
    for (const f of outputs) fs.renameSync(path.join(tmp, f), path.join(outDir, f));
    return { report, results };
  } finally {
    fs.rmSync(tmp, { recursive: true, force: true });
  }
}

function main() {
  let args;
  try {
    args = parseArgs(process.argv.slice(2));
  } catch (e) {
    console.error(e.message);
    process.exit(2);
  }
  if (args.help || !args.source || !args.out) {
    console.error('usage: node tools/builder/build.js --source <data dir> --out <dir>');
    process.exit(args.help ? 0 : 2);
  }
  const started = Date.now();
  try {
    const { report } = build(args.source, args.out);
    process.stdout.write(report);
    console.log(`built into ${path.resolve(args.out)} in ${((Date.now() - started) / 1000).toFixed(1)} s`);
  } catch (e) {
    console.error(`build failed: ${e.stack || e.message}`);
    process.exit(1);
  }
}

if (require.main === module) main();

module.exports = { build, parseArgs };
