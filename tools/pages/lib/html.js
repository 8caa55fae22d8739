'use strict';
// Page frame shared by the reader's pages: head, style, the context-menu guard and the body.

const fs = require('fs');
const path = require('path');

const STYLE = fs.readFileSync(path.join(__dirname, '..', 'style', 'page.css'), 'utf8').trim();

// Pages that name their encoding in a meta element; the others rely on the view's default
// encoding (GB18030), as the reader has always done.
const DECLARES_CHARSET = new Set([1, 2, 3, 4, 6, 10, 12, 23, 28, 29, 30, 31, 32, 33, 34, 36, 37]);
// Pages whose body element itself refuses the context menu and text selection.
const GUARDED_BODY = new Set([5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
  24, 25, 26, 27, 30, 31, 32, 33, 34, 35]);

const GUARD_SCRIPT = `<script type="text/javascript">
function nocontextmenu(e) {
  e = e || window.event;
  if (e && e.preventDefault) e.preventDefault();
  return false;
}
function norightclick(e) {
  e = e || window.event;
  if (e && (e.which == 2 || e.which == 3)) {
    if (e.preventDefault) e.preventDefault();
    return false;
  }
  return true;
}
document.oncontextmenu = nocontextmenu;
document.onmousedown = norightclick;
</script>`;

function escape(text) {
  return String(text).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' }[c]));
}

function charsetMeta() {
  return '<meta http-equiv="Content-Type" content="text/html; charset=gb18030">';
}

// Builds resource page n. `body` is trusted HTML made by the page builders.
function resourcePage(n, title, body, options = {}) {
  const head = [];
  if (DECLARES_CHARSET.has(n) || options.declareCharset) head.push(charsetMeta());
  head.push(`<title>${escape(title)}</title>`);
  if (!options.noScrollbarStyle) head.push(`<style type="text/css">\n${STYLE}\n${options.style || ''}</style>`);
  else if (options.style) head.push(`<style type="text/css">\n${options.style}</style>`);
  if (n <= 36) head.push(GUARD_SCRIPT);
  if (options.head) head.push(options.head);
  const attrs = [];
  if (GUARDED_BODY.has(n)) attrs.push('oncontextmenu="return false"', 'onselectstart="return false"');
  if (options.bodyAttrs) attrs.push(options.bodyAttrs);
  const open = attrs.length ? `<body ${attrs.join(' ')}>` : '<body>';
  return `<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n${head.join('\n')}\n</head>\n${open}\n${body}\n</body>\n</html>\n`;
}

// Heading block every page opens with: the title and an optional line about the work.
function pageHeader(title, byline, note) {
  let html = `<h1 class="title">${escape(title)}</h1>`;
  if (byline) html += `\n<p class="byline">${escape(byline)}</p>`;
  if (note) html += `\n<p class="note">${note}</p>`;
  return html;
}

function table(headers, rows, className = 'ref') {
  const head = headers ? `<tr>${headers.map((h) => `<th>${escape(h)}</th>`).join('')}</tr>\n` : '';
  // Short cells (names, dates, codes) keep to one line so that narrow columns do not break
  // a word in two.
  const td = (c) => (String(c).replace(/<[^>]*>/g, '').length <= 10 ? `<td class="nw">${c}</td>` : `<td>${c}</td>`);
  const body = rows.map((r) => `<tr>${r.map(td).join('')}</tr>`).join('\n');
  return `<table class="${className}" cellspacing="0" cellpadding="0">\n${head}${body}\n</table>`;
}

module.exports = { resourcePage, pageHeader, table, escape, charsetMeta, STYLE, GUARD_SCRIPT,
  DECLARES_CHARSET, GUARDED_BODY };
