'use strict';
// Rows of the xiehouyu table `xhy`.
const { generatedSpell } = require('./pinyin');

// The scrape split some sayings at the first accented letter of a pinyin gloss, losing that
// letter and the saying's answer: 坐飞机撵（ni | n追赶）西北风. Such a pair is one riddle.
function isSplitGloss(riddle) {
  const open = riddle.lastIndexOf('（');
  return open >= 0 && riddle.indexOf('）', open) < 0 && /^[a-z ]*$/.test(riddle.slice(open + 1));
}

// The lost letter is found by reading the glossed characters: "ni" + ? + "n" against niǎn.
function lostLetter(riddle, answer) {
  const open = riddle.lastIndexOf('（');
  const head = riddle.slice(open + 1);
  const tail = /^[a-z ]*/.exec(answer)[0];
  const before = [...riddle.slice(0, open)];
  for (let n = 1; n <= Math.min(4, before.length); n++) {
    const reading = generatedSpell(before.slice(-n).join(''));
    if (reading.length === head.length + 1 + tail.length && reading.startsWith(head) && reading.endsWith(tail)) {
      return reading[head.length];
    }
  }
  return null;
}

// Rejoined text of a split pair; the gloss keeps its meaning and loses only pinyin that cannot
// be made whole.
function rejoin(riddle, answer) {
  const letter = lostLetter(riddle, answer);
  if (letter) return riddle + letter + answer;
  const open = riddle.lastIndexOf('（');
  const rest = answer.replace(/^[a-z ]*/, '').replace(/^[，、；\s]+/, '');
  return rest.startsWith('）') ? riddle.slice(0, open) + rest.slice(1) : riddle.slice(0, open + 1) + rest;
}

// Pinyin glosses of the sayings were typed without tones and often cut short (蒺藜（ji li 一年生
// 草本植物）, 里外孬（n, 邋遢ld t, 椽（chu6n）): the letters go, the Chinese of a gloss stays, and a
// gloss left empty goes with its parentheses. Digits standing alone (数字8) are kept.
function withoutPinyin(text) {
  if (!/[A-Za-z\u00c0-\u024f]/.test(text)) return text;
  let out = text.replace(/\s*[A-Za-z\u00c0-\u024f][A-Za-z0-9\u00c0-\u024f]*(?:\s+[A-Za-z\u00c0-\u024f][A-Za-z0-9\u00c0-\u024f]*)*\s*/g, '');
  for (let before = null; before !== out; ) {
    before = out;
    out = out
      .replace(/[（(][\s，,、；;：:。.]*[）)]/g, '')
      .replace(/([（(])[，,、；;：:。\s]+/g, '$1')
      .replace(/[，,、；;：:\s]+([）)])/g, '$1')
      .replace(/[（(][^）)]*$/, '');
  }
  return out.trim();
}

// Pairs in file order. A split pair has no answer left; it is kept out of the table, since a
// riddle without its answer is no xiehouyu, and counted.
function buildXiehouyu(pairs) {
  const rows = [];
  const rejoined = [];
  let glosses = 0;
  for (const p of pairs) {
    let name = String(p.riddle || '').trim();
    let end1 = String(p.answer || '').trim();
    if (!name || !end1) continue;
    if (isSplitGloss(name)) {
      rejoined.push(rejoin(name, end1));
      continue;
    }
    const [n, e] = [withoutPinyin(name), withoutPinyin(end1)];
    if (n !== name || e !== end1) glosses++;
    [name, end1] = [n, e];
    if (name && end1) rows.push({ name, end1 });
  }
  return { rows, rejoined, glosses };
}

module.exports = { isSplitGloss, rejoin, withoutPinyin, buildXiehouyu };
