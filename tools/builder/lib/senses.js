'use strict';
// Repairs of single explanation lines that a rule can make: spacing and half-width punctuation
// of the scrape, English glosses inside Chinese senses, and the colon the scrape dropped
// between a sense and its example ("仍旧，依然他身体～健康" -> "仍旧，依然：他身体～健康").

const { artefacts } = require('./clean');

const HAN = /\p{Script=Han}/u;

// Half-width marks between Chinese text, as the rest of the dictionary writes them.
const FULL = { ',': '，', ';': '；', ':': '：', '?': '？', '!': '！' };

function tidyLine(text) {
  let t = String(text)
    .replace(/[\r\n\t]+/g, '')
    .replace(/[\s\u3000]+$|^[\s\u3000]+/g, '');
  // an English gloss inside a Chinese sense ("地面;陆地 [ground;land]")
  if (HAN.test(t)) t = t.replace(/\s*\[[^\]\p{Script=Han}]*[A-Za-z][^\]\p{Script=Han}]*\]/gu, '');
  // a phonetic note in Latin letters written full-width（ｈ与…）
  t = t.replace(/(?<=[（(])[\uff41-\uff5a\uff21-\uff3a]+(?=\p{Script=Han})/gu, (m) => String.fromCharCode(...[...m].map((c) => c.charCodeAt(0) - 0xfee0)));
  t = t.replace(/(?<=[\p{Script=Han}）)”》〉])\s*([,;:?!])\s*|\s*([,;:?!])\s*(?=[\p{Script=Han}（(“《〈～])/gu, (m, a, b) => FULL[a || b]);
  // runs of blanks the page layout left inside a line
  t = t.replace(/(?<=\P{Script=Han})\s{2,}|\s{2,}(?=\P{Script=Han})/gu, ' ').replace(/(?<=\p{Script=Han})\s+(?=\p{Script=Han})/gu, '');
  return restoreOpeningQuotes(t);
}

// Characters after which the source quotes a word (与“轻”相对, 古同“纵”, 相当于“着”, 作“涨”).
const QUOTE_AFTER = '同通作与和跟称叫于为像如见即在是的';

// The opening quote the scrape lost before a quoted word ("与轻”相对") goes after the nearest
// mark or introducing character when the word found so is short, else before the last
// character (大写“贰”); a quoted sentence ("注二百人为一队。”") opens after its colon or 注/曰,
// else where the text starts. So every quote is paired before the clean-up pass, which would
// otherwise open it at the start of the line, before the sense number.
function restoreOpeningQuotes(text) {
  let out = '';
  let open = 0;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (c === '“') open++;
    if (c !== '”') {
      out += c;
      continue;
    }
    if (open > 0) {
      open--;
      out += c;
      continue;
    }
    let k = out.length;
    // a reading in brackets after the quoted word (通“拨(bō)”) goes with it
    if (/[)）]$/.test(out)) k = Math.max(out.lastIndexOf('('), out.lastIndexOf('（'), 0);
    const end = k;
    while (k > 0 && /\p{Script=Han}/u.test(out[k - 1]) && !QUOTE_AFTER.includes(out[k - 1])) k--;
    if (k === end && k > 0 && QUOTE_AFTER.includes(out[k - 1])) k--; // the quoted word is one of them (和“一”)
    if (k === end) {
      const m = /[：:注曰云](?=[^：:注曰云]*$)/u.exec(out);
      k = m ? m.index + 1 : 0;
    } else if (end - k > 6) k = end - 1;
    out = `${out.slice(0, k)}“${out.slice(k)}${c}`;
  }
  return out;
}

// Words that begin an example sentence rather than end a sense: pronouns, demonstratives and
// time words (他～种地, 今天比昨天～冷).
const SUBJECT_POS = /^(r|t)/;
const SUBJECTS = '他她它我你您这那谁咱';
const NUMERALS = '一二三四五六七八九十两几半每';
const CLAUSE_END = /[。；！？]/;
const ITEM_END = /[。，、；！？（(]/;

// Index of the first "～" outside brackets (〔～～〕 names a compound, （～） a note).
function firstTilde(text) {
  let depth = 0;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if ('〔（('.includes(c)) depth++;
    else if ('〕）)'.includes(c)) depth = Math.max(0, depth - 1);
    else if (c === '～' && depth === 0) return i;
  }
  return -1;
}

// Where the first example starts in a sense whose colon was lost, or -1 when it needs none.
// words(text) gives a word's part of speech when the word list knows it, else undefined.
function exampleStart(ch, text, words) {
  const p = firstTilde(text);
  if (p <= 0) return -1;
  if (text.slice(0, p).includes('：')) return -1;
  // start of the clause the example was glued to
  let q = 0;
  for (let i = p - 1; i >= 0; i--) {
    if (CLAUSE_END.test(text[i])) {
      q = i + 1;
      break;
    }
  }
  if (q === p) return -1; // "…。～…": the sense ended properly
  // an example of two clauses ("但运动有益于健康，～不宜…"): it starts in the clause before
  let end = p;
  if (/[，、]/.test(text[p - 1]) && p - 1 > q) end = p - 1;
  let e = p + 1;
  while (e < text.length && !ITEM_END.test(text[e])) e++;
  const filled = (a, b) => text.slice(a, b).replace(/～/g, ch);
  // the first example is a word the list knows (慎～ 慎重, 高～子 高个子, 方兴未～, 锻炼身体，～)
  for (let k = q + 1; k < end; k++) {
    if (/[，、”）)]/.test(text.slice(k - 1, end))) continue;
    const w = end < p ? filled(k, end) : filled(k, e);
    if ([...w].length >= (end < p ? 4 : 2) && words(w) !== undefined) return k;
  }
  // a count (三～月, 两～苹果)
  let n = end;
  while (n > q + 1 && NUMERALS.includes(text[n - 1])) n--;
  if (n < end) return n;
  // a sentence: it starts with its subject (仍旧，依然他身体～健康)
  let s = q;
  for (let i = end - 1; i > q; i--) {
    if (/[，、”）)]/.test(text[i])) {
      s = i + 1;
      break;
    }
  }
  for (let k = s + 1; k < end; k++) {
    for (let len = Math.min(4, end - k); len >= 1; len--) {
      const w = text.slice(k, k + len);
      const pos = words(w);
      if (pos !== undefined && SUBJECT_POS.test(pos) && (len > 1 ? !w.startsWith('某') : SUBJECTS.includes(w))) return k;
    }
  }
  // an example of two clauses whose start no rule finds stays as it is
  return end < p ? -1 : p;
}

function restoreColon(ch, text, words) {
  const k = exampleStart(ch, text, words);
  if (k < 0) return text;
  return `${text.slice(0, k)}：${text.slice(k)}`;
}

// Damage the clean-up pass takes out with its whole sentence (mojibake 『 ｔ幔, 〓 ■ for lost
// characters, scrape codes): found here first, so that the sense keeps its colon.
const LOST = /[〓■□\ufffd]/u;
const DAMAGE_KINDS = ['scrapeCode', 'mojibake', 'straySymbol', 'privateUse'];
const damaged = (text) => LOST.test(text) || artefacts(text).some((k) => DAMAGE_KINDS.includes(k));

// Sentences of a sense; a full stop inside brackets ends none.
function sentencesOf(text) {
  const out = [];
  let depth = 0;
  let start = 0;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if ('〔（('.includes(c)) depth++;
    else if ('〕）)'.includes(c)) depth = Math.max(0, depth - 1);
    else if (depth === 0 && '。！？'.includes(c)) {
      out.push(text.slice(start, i + 1));
      start = i + 1;
    }
  }
  if (start < text.length) out.push(text.slice(start));
  return out;
}

// The colon restored (above) in a sense whose examples may hold damage. A damaged example
// goes; when it is the first one, glued to the sense, the sense ends a character before its ～
// (话～言『～。英～。 -> 话：英～。); when the sense ended before it (称“韵母”。如ｔ幔…～文。押～),
// the colon takes the place of that full stop.
function dropDamagedExamples(ch, text, words) {
  if (!damaged(text)) return restoreColon(ch, text, words);
  const sentences = sentencesOf(text);
  const p = firstTilde(text);
  let at = 0;
  let f = -1;
  sentences.forEach((x, i) => {
    if (f < 0 && p >= at && p < at + x.length) f = i;
    at += x.length;
  });
  const rest = (from) => sentences.slice(from).filter((x) => !damaged(x)).join('');
  if (f < 0 || !damaged(sentences[f])) return restoreColon(ch, rest(0), words);
  if (text.slice(0, p).includes('：')) return rest(0);
  if (f === 0) {
    const cut = /\p{Script=Han}/u.test(text[p - 1]) && p > 1 ? p - 1 : p;
    const after = rest(1);
    return after ? `${text.slice(0, cut)}：${after}` : `${text.slice(0, cut)}。`;
  }
  const before = sentences.slice(0, f).join('');
  const after = rest(f + 1);
  return after ? `${before.replace(/[。！？]$/u, '')}：${after}` : before;
}

module.exports = { restoreOpeningQuotes, tidyLine, restoreColon, dropDamagedExamples, exampleStart, firstTilde };
