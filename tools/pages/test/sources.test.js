'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { Sources, restoreQuotes } = require('../lib/sources');
const { chineseNumber } = require('../lib/texts');

test('quotation marks lost as spaces are restored or the spaces dropped', () => {
  const cases = [
    ['子曰： 学而时习之。 曾子曰： 吾日三省。', '子曰：“学而时习之。”曾子曰：“吾日三省。”'],
    // the closing mark stood at the line end and was trimmed away with the space
    ['《诗》云： 战战兢兢，如临深渊。', '《诗》云：“战战兢兢，如临深渊。”'],
    ['古之所谓 曲则全 者，岂虚言哉！', '古之所谓“曲则全”者，岂虚言哉！'],
    // a space that does not open after a colon or a verb of saying is not a quotation
    ['少则得，多则惑。 是以圣人抱一。', '少则得，多则惑。是以圣人抱一。'],
    ['天地玄黄，宇宙洪荒。', '天地玄黄，宇宙洪荒。'],
  ];
  for (const [input, expected] of cases) assert.equal(restoreQuotes(input), expected, input);
});

test('chapter numbers are written in Chinese', () => {
  const cases = [[1, '一'], [10, '十'], [11, '十一'], [20, '二十'], [36, '三十六'], [100, '一百'],
    [101, '一百零一'], [110, '一百一十'], [221, '二百二十一']];
  for (const [n, text] of cases) assert.equal(chineseNumber(n), text);
});

function fixture(book) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'pages-src-'));
  fs.mkdirSync(path.join(dir, 'classics', 'niutrans'), { recursive: true });
  fs.writeFileSync(path.join(dir, 'classics', 'niutrans', 'sanlue.json'), JSON.stringify(book));
  return dir;
}

const BOOK = {
  title: '三略', author: '黄石公', dynasty: '秦汉',
  chapters: [{ title: '上略', paragraphs: ['《军谶》曰： 柔能制刚，弱能制强。 柔者，德也。', '端未见，人莫能知。', ''] }],
};

test('a book is read with its quotes restored, fixes applied and empty lines dropped', () => {
  const dir = fixture(BOOK);
  const s = new Sources(dir, { corrections: { sanlue: [{ from: '端未见', to: '端末未见' }] } });
  const b = s.book('sanlue');
  assert.deepEqual(b.chapters[0].paragraphs, ['《军谶》曰：“柔能制刚，弱能制强。”柔者，德也。', '端末未见，人莫能知。']);
});

test('a fix that no longer matches its source stops the build', () => {
  const dir = fixture(BOOK);
  const s = new Sources(dir, { corrections: { sanlue: [{ from: '不在此书', to: 'x' }] } });
  assert.throws(() => s.book('sanlue'), /no longer applies: 不在此书/);
});

test('a folder without the classics is refused', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'pages-empty-'));
  assert.throws(() => new Sources(dir), /no classics folder/);
});
