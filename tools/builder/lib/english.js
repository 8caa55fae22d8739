'use strict';
// Rows of the English-Chinese table, from ECDICT (word, phonetic, definition, translation, …).
const { DOMAIN, CROSS_REFERENCE } = require('./clean');

// RFC 4180 rows: quoted fields may hold commas, doubled quotes and line breaks.
function* csvRows(text) {
  const n = text.length;
  let i = 0;
  while (i < n) {
    const row = [];
    for (;;) {
      let value = '';
      if (text[i] === '"') {
        i++;
        for (;;) {
          const q = text.indexOf('"', i);
          if (q < 0) {
            value += text.slice(i);
            i = n;
            break;
          }
          value += text.slice(i, q);
          if (text[q + 1] === '"') {
            value += '"';
            i = q + 2;
          } else {
            i = q + 1;
            break;
          }
        }
      } else {
        let j = i;
        while (j < n && text[j] !== ',' && text[j] !== '\r' && text[j] !== '\n') j++;
        value = text.slice(i, j);
        i = j;
      }
      row.push(value);
      if (text[i] === ',') {
        i++;
        continue;
      }
      if (text[i] === '\r') i++;
      if (text[i] === '\n') i++;
      break;
    }
    yield row;
  }
}

function ecdictEntries(text) {
  const rows = csvRows(text);
  const header = rows.next().value || [];
  const at = Object.fromEntries(header.map((h, i) => [h.trim(), i]));
  for (const need of ['word', 'phonetic', 'definition', 'translation']) {
    if (!(need in at)) throw new Error(`ecdict.csv: no column ${need}`);
  }
  const out = [];
  for (const r of rows) {
    const get = (k) => (k in at ? r[at[k]] || '' : '');
    const num = (k) => Number(get(k)) || 0;
    out.push({
      word: get('word'),
      phonetic: get('phonetic'),
      definition: get('definition'),
      translation: get('translation'),
      tag: get('tag').trim(),
      ranked: num('bnc') > 0 || num('frq') > 0 || num('collins') > 0 || num('oxford') > 0,
      exchange: get('exchange'),
    });
  }
  return out;
}

// The source writes many phonetics in an ASCII scheme of its own: ' and , for the stress marks
// (a comma before a space separates two forms), : for length, a Cyrillic ә for ə, ^ and g for ɡ,
// backslashes for ɜ, є for ɛ, ˊ for ˈ, ɒ: for ɔː, j for ʊ after a vowel (mәjd), a full stop
// for secondary stress at the start of a form, and "(?@)" for a label lost upstream.
function ipa(phonetic) {
  const p = phonetic
    .trim()
    .replace(/\(\?@\)\s*/g, '')
    .replace(/\u04d9/g, 'ə')
    .replace(/\\+/g, 'ɜ')
    .replace(/[\^g]/g, 'ɡ')
    .replace(/[єε]/g, 'ɛ')
    .replace(/ˊ/g, 'ˈ')
    .replace(/ɒ[:ː]/g, 'ɔː')
    .replace(/(?<=[aəeɔo])j(?![aeiouəɑæɔɒʌɪʊɜɛː:])/g, 'ʊ')
    .replace(/(?<=\S)\.(?=\s)/g, ',')
    .replace(/(^|[\s(;,])\.(?=[^\s.])/g, '$1ˌ')
    .replace(/'/g, 'ˈ')
    .replace(/,(?=[^\s,;)])/g, 'ˌ')
    .replace(/:/g, 'ː');
  return p ? `[${p}]` : '';
}

// Line breaks are stored as the two characters backslash and n (a few as real CR LF);
// indented lines continue the line before.
function fieldLines(text) {
  const lines = [];
  for (const raw of text.split(/\\r\\n|\\n|\\r|\r?\n/)) {
    const line = raw.replace(/\s+/g, ' ').trim();
    if (!line) continue;
    if (/^\s/.test(raw) && lines.length) lines[lines.length - 1] += ' ' + line;
    else lines.push(line);
  }
  return lines;
}

const HAN = /\p{Script=Han}/u;
const WIDE = '[\\p{Script=Han}）】”…]';

// Chinese senses are listed with ", " in the source; a Chinese reader expects "，".
function chineseLine(line) {
  return line.replace(new RegExp(`(${WIDE})\\s*,\\s*(?=\\p{Script=Han}|[（【“(])`, 'gu'), '$1，');
}

// English definitions: "v have …" gets its dot, the satellite adjective "s." reads "adj.".
function definitionLine(line) {
  return line.replace(/^([nvar])\s+(?!\.)/, '$1. ').replace(/^[as]\.\s/, 'adj. ');
}

// The senses a reader looks for first: general Chinese senses, then the English definitions,
// then the subject notes ([计] 累加器 on "a"), unless the subject notes are all the Chinese
// there is. Definitions that only send the reader to another headword ("v. i. See Thee.") go.
function explanation(e) {
  const lines = [];
  const phon = ipa(e.phonetic);
  if (phon) lines.push(phon);
  const chinese = fieldLines(e.translation).map(chineseLine);
  const general = chinese.filter((l) => !DOMAIN.test(l));
  const notes = chinese.filter((l) => DOMAIN.test(l));
  const english = fieldLines(e.definition).map(definitionLine).filter((l) => !CROSS_REFERENCE.test(l));
  if (general.some((l) => HAN.test(l))) lines.push(...general, ...english, ...notes);
  else lines.push(...chinese, ...english);
  return lines.join('\r\n');
}

const WORD = /^[A-Za-z][A-Za-z'.-]*$/;
const CORE_WORD = /^[A-Za-z][\x20-\x7e]*$/;
const PARTICLES = new Set('up down in out off on over away back through about around along by for with into after apart across ahead'.split(' '));

const POS_LINE = /(^|\\n|\n)(n|v|vt|vi|a|adj|adv|prep|conj|pron|int|interj|num|art)\. /;

function hasOwnSense(translation) {
  return fieldLines(translation).some((l) => !l.startsWith('[网络]'));
}

// Which entries become rows. Every word an exam list tags or a frequency list ranks is in; of
// the rest, single words with a phonetic and an English definition, inflections or a Chinese
// sense under a part of speech, and phrasal verbs on a core word. The rest are mostly rare technical phrases and web-collected senses.
function selectEntries(entries) {
  const core = new Set();
  for (const e of entries) if (e.tag || e.ranked) core.add(e.word);
  const kept = [];
  const left = { fragments: 0, rare: 0, noChinese: 0 };
  for (const e of entries) {
    const w = e.word;
    if (!HAN.test(e.translation)) {
      left.noChinese++; // "hasn't: =has not" tells a Chinese reader nothing
      continue;
    }
    if (core.has(w)) {
      if (!CORE_WORD.test(w)) left.fragments++;
      else kept.push(e);
      continue;
    }
    const parts = w.split(' ');
    if (!parts.every((p) => WORD.test(p))) {
      left.fragments++;
      continue;
    }
    const single = parts.length === 1 && e.phonetic.trim() &&
      (e.definition.trim() || e.exchange.trim() || POS_LINE.test(e.translation));
    const phrasal = parts.length === 2 && /^[a-z]+$/.test(parts[0]) && core.has(parts[0]) &&
      PARTICLES.has(parts[1]) && hasOwnSense(e.translation);
    if (single || phrasal) kept.push(e);
    else left.rare++;
  }
  return { kept, left };
}

function compareHeadwords(a, b) {
  const la = a.toLowerCase();
  const lb = b.toLowerCase();
  if (la !== lb) return la < lb ? -1 : 1;
  return a < b ? -1 : a > b ? 1 : 0;
}

// One row per headword, letter case kept (China and china are two rows), sorted with letter
// case ignored first.
function buildEnglish(entries) {
  const { kept, left } = selectEntries(entries);
  const byWord = new Map();
  for (const e of kept) if (!byWord.has(e.word)) byWord.set(e.word, e);
  const rows = [...byWord.keys()].sort(compareHeadwords).map((w) => ({ 单词: w, 解释: explanation(byWord.get(w)) }));
  const withPhonetic = rows.filter((r) => r.解释.startsWith('[')).length;
  return { rows, left, withPhonetic };
}

module.exports = { csvRows, ecdictEntries, ipa, fieldLines, chineseLine, definitionLine, explanation, selectEntries, buildEnglish };
