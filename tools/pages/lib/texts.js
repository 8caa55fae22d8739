'use strict';
// Pages that carry a classical text whole and in order.

const { pageHeader, escape, table } = require('./html');

const DIGITS = '〇一二三四五六七八九';

function chineseNumber(n) {
  if (n < 10) return DIGITS[n];
  if (n < 20) return `十${n % 10 ? DIGITS[n % 10] : ''}`;
  if (n < 100) return `${DIGITS[Math.floor(n / 10)]}十${n % 10 ? DIGITS[n % 10] : ''}`;
  const rest = n % 100;
  let tail = '';
  if (rest) tail = rest < 10 ? `零${DIGITS[rest]}` : (rest < 20 ? `一${chineseNumber(rest)}` : chineseNumber(rest));
  return `${DIGITS[Math.floor(n / 100)]}百${tail}`;
}

// Editorial notes of the sources ("(…一作：…)") are shown smaller than the text they annotate.
// Square brackets mark a character the editors of 全唐诗 put right; it is shown underdotted.
function textHtml(paragraph) {
  return escape(paragraph).replace(/[（(]([^()（）]*(?:一作|一本|通“)[^()（）]*)[)）]/g,
    (m, inner) => `<span class="aside">（${inner}）</span>`)
    .replace(/\[(\p{Script=Han}{1,3})\]/gu, '<span class="emend" title="校改字">$1</span>');
}

function byline(book) {
  return [book.dynasty, book.author].filter(Boolean).join(' · ');
}

function verseLines(paragraphs) {
  return `<div class="lines">\n${paragraphs.map((p) => `${textHtml(p)}<br>`).join('\n')}\n</div>`;
}

function proseParagraphs(paragraphs) {
  return paragraphs.map((p) => `<p class="prose">${textHtml(p)}</p>`).join('\n');
}

// Chapters grouped under their sections (卷, 经, 计 sets), each chapter a second-level heading.
function chaptered(book, render, chapterTitle = (c) => c.title) {
  const out = [];
  let section = null;
  book.chapters.forEach((c, i) => {
    if (c.section && c.section !== section) {
      section = c.section;
      out.push(`<h2>${escape(section)}</h2>`);
    }
    const tag = book.chapters.some((x) => x.section) ? 'h3' : 'h2';
    const heading = chapterTitle(c, i);
    if (heading) out.push(`<${tag}>${escape(heading)}</${tag}>`);
    out.push(render(c.paragraphs));
  });
  return out.join('\n');
}

const ORDINAL_TITLES = {
  // 孝经 chapters read "开宗明义章第一".
  xiaojing: (c, i) => `${c.title}章第${chineseNumber(i + 1)}`,
  sanshiliuji: (c, i) => `第${chineseNumber(i + 1)}计　${c.title}`,
  weilu: () => '',
};

function bookPage(sources, spec) {
  const book = sources.book(spec.book);
  let body;
  if (spec.book === 'weilu') {
    body = book.chapters.map((c, i) => `<p class="prose"><span class="num">〔${chineseNumber(i + 1)}〕</span>${c.paragraphs.map(textHtml).join('')}</p>`).join('\n');
  } else if (spec.book === 'shenglv') {
    body = shenglvBody(book);
  } else if (book.chapters.length === 1 && (/全文|^$/.test(book.chapters[0].title) || book.chapters[0].title === book.title)) {
    body = spec.layout === 'verse' ? verseLines(book.chapters[0].paragraphs) : proseParagraphs(book.chapters[0].paragraphs);
  } else {
    const render = spec.layout === 'verse' ? verseLines : proseParagraphs;
    body = chaptered(book, render, ORDINAL_TITLES[spec.book]);
  }
  return [pageHeader(spec.title, spec.byline || byline(book), spec.note && escape(spec.note)), '<hr class="rule">', body].join('\n');
}

// 声律启蒙 opens with a table of its thirty rhymes that leads to each one.
function shenglvBody(book) {
  const volumes = [];
  book.chapters.forEach((c, i) => {
    let v = volumes.find((x) => x.name === c.section);
    if (!v) volumes.push(v = { name: c.section, items: [] });
    v.items.push({ c, i });
  });
  const rows = volumes.map((v) => [escape(v.name), v.items.map(({ c, i }) => `<a href="#y${i + 1}">${escape(c.title.replace(/\s+/g, ''))}</a>`).join('　')]);
  const toc = table(['卷', '韵目'], rows);
  const parts = [toc];
  let section = null;
  for (const v of volumes) {
    if (v.name !== section) parts.push(`<h2>${escape(v.name)}</h2>`);
    section = v.name;
    for (const { c, i } of v.items) {
      parts.push(`<h3 id="y${i + 1}">${escape(c.title.replace(/\s+/g, '　'))}</h3>`);
      parts.push(proseParagraphs(c.paragraphs));
    }
  }
  return parts.join('\n');
}

module.exports = { bookPage, chineseNumber, textHtml, verseLines, proseParagraphs };
