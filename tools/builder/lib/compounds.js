'use strict';
// Modern explanations of words, taken from the compound entries in the detailed part (`more`) of
// the xinhua character records: a headword line, its pinyin, then numbered senses, each an English
// gloss in brackets, the Chinese definition and examples:
//   今天 / jīntiān / (1) / [today]∶说话时的这一天;本日 / 今天的任务 / (2) / …
const { pinyin: pinyinPro } = require('pinyin-pro');
const { toneless } = require('./pinyin');

const HAN_WORD = /^[\p{Script=Han}]{2,}$/u;
const PINYIN_LINE = /^[a-zA-Zāáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜüńňǹḿɑɡ'’ －-]+$/;
const TONED = /[āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜńňǹḿ]/;
// The character's own reading line with its bopomofo closes the compounds ("jīn　ㄐㄧㄣˉ").
const CLOSING = /[\u3105-\u312f]|^(郑码|笔画数)/;
const SENSE_NUMBER = /^\((\d+)\)$/;
// Register labels of the source, written the way the other explanations write them.
const LABELS = { 方: '〈方〉', 口: '〈口〉', 书: '〈书〉', 古: '〈古〉', 俗: '〈俗〉', 谦: '〈谦〉', 敬: '〈敬〉', 贬: '〈贬〉', 婉: '〈婉〉' };
const MAX_EXAMPLES = 2;

// Half-width punctuation next to Chinese text becomes full-width (本日;今天 -> 本日；今天).
function wide(text) {
  const map = { ',': '，', ';': '；', ':': '：', '?': '？', '!': '！', '∶': '：' };
  return text
    .replace(/(?<=[\p{Script=Han}”’）)》])\s*([,;:?!∶])\s*|\s*([,;:?!∶])\s*(?=[\p{Script=Han}“‘（(《])/gu, (m, a, b) => map[a || b])
    .replace(/\(([^()]*\p{Script=Han}[^()]*)\)/gu, '（$1）')
    .trim();
}

function splitGloss(line) {
  // "[today]∶说话时的这一天" / "[seasonal disease] [方]∶时令病" / "[this year] 指现在的这一年"
  let rest = line;
  let label = '';
  for (let m; (m = /^\s*\[([^\]]*)\]\s*/.exec(rest)); ) {
    if (LABELS[m[1]]) label += LABELS[m[1]];
    rest = rest.slice(m[0].length);
  }
  rest = rest.replace(/^[∶:：]\s*/, '');
  return { glossed: rest !== line, label, text: rest.trim() };
}

// One sense: the first Chinese line after the gloss is the definition, the rest are examples.
function senseLines(lines) {
  let definition = '';
  let label = '';
  const examples = [];
  for (const raw of lines) {
    const line = raw.trim();
    if (!line) continue;
    if (line.startsWith('[')) {
      const g = splitGloss(line);
      label += g.label;
      if (g.text && !definition) definition = g.text.replace(/^-+/, '');
      else if (g.text) examples.push(g.text);
      continue;
    }
    if (!/\p{Script=Han}/u.test(line)) continue;
    if (!definition) definition = line.replace(/^-+/, '');
    // scraps such as "苹1" or "（蘯）" are no examples
    else if ((line.match(/\p{Script=Han}/gu) || []).length >= 3) examples.push(line);
  }
  if (!definition) return null;
  return { definition: label + definition, examples };
}

function senseText(sense) {
  let text = wide(sense.definition);
  if (!/[。！？…”]$/.test(text)) text += '。';
  const ex = sense.examples.slice(0, MAX_EXAMPLES).map((e) => wide(e).replace(/[。；，]$/, ''));
  if (!ex.length) return text;
  const last = ex[ex.length - 1];
  return `${text.replace(/。$/, '')}：${ex.join('｜')}${/[！？…”]$/.test(last) ? '' : '。'}`;
}

// Entry body lines -> explanation lines "1.…", or one unnumbered line for a single sense.
function explanation(body) {
  const groups = [];
  let current = [];
  for (const line of body) {
    if (SENSE_NUMBER.test(line.trim())) {
      if (current.length) groups.push(current);
      current = [];
    } else {
      current.push(line);
    }
  }
  if (current.length) groups.push(current);
  const senses = groups.map(senseLines).filter(Boolean);
  if (senses.length === 1) return [senseText(senses[0])];
  return senses.map((s, i) => `${i + 1}.${senseText(s)}`);
}

const readingCache = new Map();
function charReadings(c) {
  if (!readingCache.has(c)) {
    const all = pinyinPro(c, { multiple: true, type: 'array', toneType: 'none' });
    readingCache.set(c, new Set(all.map((r) => r.replace(/ü/g, 'v'))));
  }
  return readingCache.get(c);
}

// Pinyin written as one run ("jīntiān", "shíguāi－mìngjiǎn") split into one syllable per
// character; null when no split gives each character one of its readings.
function syllables(word, written) {
  const chars = [...word];
  const text = written.replace(/ɑ/g, 'a').replace(/ɡ/g, 'g').replace(/[\s'’－-]+/g, '').toLowerCase();
  const plain = [...text].map((c) => toneless(c)).join('');
  if (plain.length !== text.length) return null;
  const readings = chars.map(charReadings);
  const out = [];
  const walk = (i, at) => {
    if (i === chars.length) return at === text.length;
    for (let len = Math.min(6, text.length - at); len >= 1; len--) {
      const syl = plain.slice(at, at + len);
      if (!readings[i].has(syl)) continue;
      const toned = text.slice(at, at + len);
      if ((toned.match(new RegExp(TONED.source, 'g')) || []).length > 1) continue;
      out.push(toned);
      if (walk(i + 1, at + len)) return true;
      out.pop();
    }
    return false;
  };
  return walk(0, 0) ? out.join(' ') : null;
}

// Compound entries of all records: word -> [{ spell, lines }], in record order. A word may stand
// under several characters, and under one with another reading (大家 dàgū "婆婆" under 家).
function parseCompounds(records) {
  const entries = new Map();
  for (const r of records) {
    const lines = String(r.more || '').split('\n').map((l) => l.trim());
    let i = 0;
    while (i < lines.length - 1) {
      const word = lines[i];
      if (!(HAN_WORD.test(word) && PINYIN_LINE.test(lines[i + 1]) && /[a-z]/.test(lines[i + 1]))) {
        i++;
        continue;
      }
      const written = lines[i + 1];
      let j = i + 2;
      const body = [];
      while (j < lines.length) {
        if (HAN_WORD.test(lines[j]) && j + 1 < lines.length && PINYIN_LINE.test(lines[j + 1]) && /[a-z]/.test(lines[j + 1])) break;
        if (CLOSING.test(lines[j]) || (lines[j] === r.word && j + 1 < lines.length && CLOSING.test(lines[j + 1]))) break;
        body.push(lines[j]);
        j++;
      }
      const text = explanation(body);
      if (text.length) {
        if (!entries.has(word)) entries.set(word, []);
        entries.get(word).push({ spell: syllables(word, written), lines: text });
      }
      i = j;
    }
  }
  return entries;
}

module.exports = { parseCompounds, explanation, syllables, wide };
