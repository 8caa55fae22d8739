'use strict';
// Runs the generator on the shared data and checks the pages as the program will load them.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { generate, PAGES } = require('../generate');
const { decode } = require('../lib/gb18030');
const { DECLARES_CHARSET, GUARDED_BODY } = require('../lib/html');

const SOURCE = process.env.MC_SHARED_DATA || path.resolve(__dirname, '..', '..', '..', '..', 'shared', 'data');
const HAVE_DATA = fs.existsSync(path.join(SOURCE, 'classics'));
const skip = HAVE_DATA ? false : `no shared data at ${SOURCE}`;

let out;
let pages;
if (HAVE_DATA) {
  out = fs.mkdtempSync(path.join(os.tmpdir(), 'pages-out-'));
  generate(SOURCE, out);
  pages = PAGES.map((p, i) => ({ n: i + 1, title: p.title, bytes: fs.readFileSync(path.join(out, `${i + 1}.html`)) }));
  for (const p of pages) p.html = decode(p.bytes);
}

test('writes 37 pages, the resource file and the opening page', { skip }, () => {
  const names = fs.readdirSync(out).sort();
  const expected = [...Array.from({ length: 37 }, (_, i) => `${i + 1}.html`), 'pages.qrc', 'xhm.db'].sort();
  assert.deepEqual(names, expected);
  const qrc = fs.readFileSync(path.join(out, 'pages.qrc'), 'utf8');
  assert.match(qrc, /<qresource prefix="\/pages">/);
  const aliases = [...qrc.matchAll(/<file alias="(\d+)">(\d+)\.html<\/file>/g)];
  assert.equal(aliases.length, 37);
  aliases.forEach((m, i) => { assert.equal(m[1], String(i + 1)); assert.equal(m[2], String(i + 1)); });
});

test('every page is GB18030 text carrying its title', { skip }, () => {
  assert.equal(pages.length, 37);
  for (const p of pages) {
    assert.ok(p.html.includes(`<title>${p.title}</title>`), `title of page ${p.n}`);
    assert.ok(p.html.includes(`<h1 class="title">${p.title}</h1>`) || p.n === 37, `heading of page ${p.n}`);
    assert.ok(!p.html.includes('\ufffd'), `page ${p.n} has no replacement characters`);
  }
  assert.equal(PAGES[0].title, '国学经典名句一');
  assert.equal(PAGES[36].title, '万年历');
});

test('pages keep the reader\'s form: charset, scroll bars, context-menu guard, tables', { skip }, () => {
  const tables = new Set([16, 25, 28, 29, 36]);
  for (const p of pages) {
    const h = p.html;
    const declares = /<meta http-equiv="Content-Type" content="text\/html; charset=gb18030">/.test(h);
    assert.equal(declares, DECLARES_CHARSET.has(p.n), `charset of page ${p.n}`);
    assert.doesNotMatch(h, /charset=(gb2312|gbk)/i, `page ${p.n}`);
    assert.equal(/scrollbar-face-color: #eeeeee/.test(h), p.n !== 37, `scroll bars of page ${p.n}`);
    const guard = /document\.oncontextmenu = nocontextmenu;[\s\S]*document\.onmousedown = norightclick;/.test(h);
    assert.equal(guard, p.n <= 36, `context-menu script of page ${p.n}`);
    const body = /<body oncontextmenu="return false" onselectstart="return false">/.test(h);
    assert.equal(body, GUARDED_BODY.has(p.n), `body guard of page ${p.n}`);
    if (tables.has(p.n)) assert.match(h, /<table /, `table on page ${p.n}`);
  }
  assert.equal(DECLARES_CHARSET.size, 17);
  assert.equal(GUARDED_BODY.size, 27);
});

test('the calendar page has its boxes, buttons and load handler', { skip }, () => {
  const h = pages[36].html;
  assert.match(h, /<body onload="initialize\(\)">/);
  assert.match(h, /<select id="SY" name="SY"/);
  assert.match(h, /<select id="SM" name="SM"/);
  for (const b of ['上一年', '下一年', '本月', '上一月', '下一月']) assert.ok(h.includes(`value="${b}"`), b);
  assert.doesNotMatch(h, /<script[^>]+src=|https?:\/\//, 'no outside resources');
});

test('texts are simplified and whole', { skip }, () => {
  const text = (n) => pages[n - 1].html.replace(/<[^>]+>/g, '');
  const cases = [
    [6, ['赵钱孙李', '荀羊於惠', '第五言福']],
    [7, ['天地玄黄', '焉哉乎也']],
    [9, ['人之初', '宜勉力']],
    [10, ['若荀卿，年五十', '酸苦甘']],
    [11, ['第八十一章', '为而不争']],
    [13, ['王戎简要', '尔曹勉旃']],
    [17, ['始计篇', '用间篇']],
    [19, ['开宗明义章第一', '丧亲章第十八']],
    [32, ['雄浑', '流动']],
  ];
  for (const [n, needles] of cases) {
    for (const needle of needles) assert.ok(text(n).includes(needle), `page ${n} lacks ${needle}`);
  }
  for (const n of [6, 7, 9, 10]) assert.doesNotMatch(text(n), /[趙錢學與為]/, `page ${n}`);
});

test('all ten of the four subjects are marked among the disciples', { skip }, () => {
  const marks = pages[24].html.match(/<td>孔门十哲·(德行|言语|政事|文学)<\/td>|<td class="nw">孔门十哲·(德行|言语|政事|文学)<\/td>/g) || [];
  assert.equal(marks.length, 10);
});

test('the opening page is an HTML page in GB18030', { skip }, () => {
  const h = decode(fs.readFileSync(path.join(out, 'xhm.db')));
  assert.match(h, /^<!DOCTYPE html>/);
  assert.match(h, /charset=gb18030/);
  for (const p of PAGES) assert.ok(h.includes(p.title), p.title);
});

test('the output does not change from run to run', { skip }, () => {
  const again = fs.mkdtempSync(path.join(os.tmpdir(), 'pages-again-'));
  generate(SOURCE, again);
  for (const name of fs.readdirSync(out)) {
    assert.ok(fs.readFileSync(path.join(out, name)).equals(fs.readFileSync(path.join(again, name))), name);
  }
});
