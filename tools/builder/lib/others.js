'use strict';
// Rows of the xiehouyu, English-Chinese and famous-sayings tables.

function buildXiehouyu(pairs) {
  return pairs
    .map((p) => ({ name: String(p.riddle || '').trim(), end1: String(p.answer || '').trim() }))
    .filter((r) => r.name && r.end1);
}

const POS_LABEL = { n: 'n.', v: 'v.', a: 'adj.', s: 'adj.', r: 'adv.' };
const POS_ORDER = ['n', 'v', 'a', 's', 'r'];

function uniqueJoin(items, sep) {
  const seen = [];
  for (const i of items) if (i && !seen.includes(i)) seen.push(i);
  return seen.join(sep);
}

// One WordNet/Open Wordnet line "dog<TAB>n<TAB>犬，狗 | 一种香肠" per word and part of speech;
// "+" marks a morpheme boundary (美+的) and is not shown.
function wordnetEntries(rows) {
  const byWord = new Map();
  for (const [word, pos, zh] of rows) {
    if (!word || !zh) continue;
    const headword = word.replace(/_/g, ' ').trim();
    const senses = zh.split(' | ').map((s) => uniqueJoin(s.replace(/\+/g, '').split('，').map((w) => w.trim()), '，'));
    const text = uniqueJoin(senses, '；');
    if (!text) continue;
    if (!byWord.has(headword)) byWord.set(headword, new Map());
    const perPos = byWord.get(headword);
    perPos.set(pos, perPos.has(pos) ? uniqueJoin([perPos.get(pos), text], '；') : text);
  }
  const out = new Map();
  for (const [word, perPos] of byWord) {
    const keys = [...perPos.keys()].sort((a, b) => POS_ORDER.indexOf(a) - POS_ORDER.indexOf(b));
    out.set(word, keys.map((k) => `${POS_LABEL[k] || k + '.'} ${perPos.get(k)}`).join('\r\n'));
  }
  return out;
}

// English index of CC-CEDICT: "computer<TAB>计算机[ji4 suan4 ji1]；电脑[dian4 nao3]".
function cedictIndexEntries(rows) {
  const out = new Map();
  for (const [english, chinese] of rows) {
    const word = (english || '').trim();
    if (!word || !/[A-Za-z]/.test(word) || !chinese) continue;
    const text = uniqueJoin(chinese.split('；').map((c) => c.replace(/\[[^\]]*\]/g, '').trim()), '；');
    if (text && !out.has(word)) out.set(word, text);
  }
  return out;
}

function compareHeadwords(a, b) {
  const la = a.toLowerCase();
  const lb = b.toLowerCase();
  if (la !== lb) return la < lb ? -1 : 1;
  return a < b ? -1 : a > b ? 1 : 0;
}

function buildEnglish(wordnet, cedict) {
  const known = new Set([...wordnet.keys()].map((w) => w.toLowerCase()));
  const merged = new Map(wordnet);
  let added = 0;
  for (const [word, text] of cedict) {
    if (known.has(word.toLowerCase())) continue;
    known.add(word.toLowerCase());
    merged.set(word, text);
    added++;
  }
  const rows = [...merged.keys()].sort(compareHeadwords).map((w) => ({ 单词: w, 解释: merged.get(w) }));
  return { rows, fromCedict: added };
}

const WIDE = /[\p{Script=Han}\u3000-\u303f\uff00-\uffef“”‘’—…·]/u;

// Sayings are shown on one line: line breaks inside Chinese text vanish, others become blanks.
function oneLine(text) {
  const parts = String(text || '')
    .split(/\r?\n/)
    .map((l) => l.trim())
    .filter(Boolean);
  let out = '';
  for (const p of parts) {
    if (out && !(WIDE.test(out.slice(-1)) && WIDE.test(p[0]))) out += ' ';
    out += p;
  }
  return out;
}

// Both files of attributed sayings; a saying that comes again (also with other line breaks)
// keeps its first attribution.
function buildSayings(fortunes, hitokoto) {
  const rows = [];
  const seen = new Set();
  let duplicates = 0;
  const add = (text, person) => {
    const name = oneLine(text);
    const derivation = oneLine(person);
    if (!name || !derivation) return;
    const key = name.replace(/\s+/g, '');
    if (seen.has(key)) {
      duplicates++;
      return;
    }
    seen.add(key);
    rows.push({ name, derivation });
  };
  for (const r of fortunes) add(r.text, r.author || r.attribution || r.work);
  for (const r of hitokoto) add(r.text, r.author);
  return { rows, duplicates };
}

module.exports = { buildXiehouyu, wordnetEntries, cedictIndexEntries, buildEnglish, buildSayings, oneLine };
