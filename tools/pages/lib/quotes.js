'use strict';
// The famous-lines pages. The lines are chosen by hand (content/quotes.json); each one is
// looked up in its book so that a misquoted line stops the build, and its chapter, poem or
// essay title is taken from where it was found.

const fs = require('fs');
const path = require('path');
const { pageHeader, escape } = require('./html');

const QUOTES = JSON.parse(fs.readFileSync(path.join(__dirname, '..', 'content', 'quotes.json'), 'utf8'));

function hanOnly(text) {
  return text.replace(/[^\p{Script=Han}]/gu, '');
}

// Books whose chapters are poems or essays: the citation names the writer and the piece.
const PIECES = new Set(['tangshi', 'qianjiashi', 'guwen']);
const NAMES = {
  lunyu: '论语', mengzi: '孟子', daxue: '大学', zhongyong: '中庸', xiaojing: '孝经', laozi: '老子',
  sunzi: '孙子兵法', sanlue: '三略', zengguang: '增广贤文', zhuzi: '朱子家训', mingxian: '名贤集',
  geyan: '格言联璧', caigentan: '菜根谭', weilu: '围炉夜话', xiaochuang: '小窗幽记',
  tangshi: '唐诗三百首', qianjiashi: '千家诗', guwen: '古文观止', youxue: '幼学琼林',
};

function citation(bookId, chapter) {
  const name = NAMES[bookId];
  if (PIECES.has(bookId)) {
    const title = chapter.title.replace(/[（(].*?[）)]/g, '');
    return chapter.section ? `${chapter.section}《${title}》` : `《${title}》`;
  }
  const t = chapter.title;
  if (!t || t === '全文' || t === name || (bookId === 'zengguang' && /集$/.test(t))) return `《${name}》`;
  if (/^第.+[章则]$/.test(t)) return `《${name}》${t}`;
  if (bookId === 'xiaojing') return `《${name}·${t}章》`;
  return `《${name}·${t}》`;
}

// Finds the chapter holding the line; throws when no chapter has it.
function locate(sources, bookId, line) {
  const book = sources.book(bookId);
  const needle = hanOnly(line);
  for (const c of book.chapters) {
    if (hanOnly(c.paragraphs.join('')).includes(needle)) return c;
  }
  throw new Error(`line not found in ${NAMES[bookId] || bookId}: ${line}`);
}

function quotePage(index, sources) {
  const spec = QUOTES.pages[index];
  const parts = [pageHeader(spec.title, spec.byline, spec.intro ? escape(spec.intro) : ''), '<hr class="rule">'];
  for (const group of spec.groups) {
    parts.push(`<h2>${escape(group.heading)}</h2>`);
    const items = group.items.map((item) => {
      const line = typeof item === 'string' ? item : item.text;
      const bookId = (typeof item === 'object' && item.book) || group.book;
      const where = citation(bookId, locate(sources, bookId, line));
      return `<li>${escape(line)} <span class="src">——${escape(where)}</span></li>`;
    });
    parts.push(`<ol class="quotes">\n${items.join('\n')}\n</ol>`);
  }
  return parts.join('\n');
}

function page(index) {
  return (sources) => quotePage(index, sources);
}

module.exports = { page, locate, hanOnly, citation, QUOTES };
