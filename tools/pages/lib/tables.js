'use strict';
// Reference pages written as tables (content/<name>.json). A table row may name a book of the
// data and the example it quotes; the example is then looked up there so that a misquotation
// stops the build.

const fs = require('fs');
const path = require('path');
const { pageHeader, table, escape } = require('./html');
const { locate } = require('./quotes');

function load(name) {
  return JSON.parse(fs.readFileSync(path.join(__dirname, '..', 'content', `${name}.json`), 'utf8'));
}

function cell(value) {
  if (value === null || value === undefined || value === '') return '—';
  return escape(value);
}

function section(sources, s) {
  const parts = [];
  if (s.heading) parts.push(`<h2>${escape(s.heading)}</h2>`);
  if (s.intro) parts.push(`<p class="small">${escape(s.intro)}</p>`);
  if (s.rows) {
    for (const row of s.rows) {
      if (row.verify) locate(sources, row.verify.book, row.verify.text);
    }
    const rows = s.rows.map((r) => (Array.isArray(r) ? r : r.cells).map(cell));
    parts.push(table(s.columns, rows));
  }
  for (const note of s.notes || []) parts.push(`<p class="small">${escape(note)}</p>`);
  return parts.join('\n');
}

function render(sources, name) {
  const spec = load(name);
  const parts = [pageHeader(spec.title, spec.byline, spec.note ? escape(spec.note) : ''), '<hr class="rule">'];
  for (const s of spec.sections) parts.push(section(sources, s));
  return parts.join('\n');
}

function page(name) {
  return (sources) => render(sources, name);
}

module.exports = { page, load, render };
