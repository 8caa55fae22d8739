'use strict';
// Rows of the word table `dict`.
const HAN = /\p{Script=Han}/u;
// Punctuation that genuine multi-clause entries carry (一不做，二不休; 德国--一个冬天的童话).
const PHRASE_PUNCT = new Set([...'，﹐·、…”;-()（）']);

const { moedictLines } = require('./moedict');

const START_ID = 362994;
const START_COUNT = 42;

// The scrape that made the word list turned some rare characters into stray letters, private
// code numbers or symbols (乌j, 不febf, 眙■, 一。妫洌幔豹Ｍ). A key is kept when it holds only
// Chinese characters and phrase punctuation; Latin letters are kept only in a word the
// Chinese-English dictionary also knows (阿Q, 卡拉OK, spelled as it spells them) or in runs of
// two or more letters that are not one of the scrape's four-digit hex codes (SOS).
function checkKey(word, latinWords) {
  if (!word) return { keep: false };
  let latin = false;
  for (const c of word) {
    if (HAN.test(c) || PHRASE_PUNCT.has(c)) continue;
    if (/[A-Za-z]/.test(c)) {
      latin = true;
      continue;
    }
    return { keep: false };
  }
  if (![...word].some((c) => HAN.test(c))) return { keep: false };
  if (!latin) return { keep: true, word };
  const known = latinWords.get(word.toLowerCase());
  if (known) return { keep: true, word: known };
  const runs = word.match(/[A-Za-z]+/g);
  const damaged = runs.some((r) => r.length < 2 || /^[0-9a-f]{4}$/i.test(r));
  return damaged ? { keep: false } : { keep: true, word };
}

// Headwords of the Chinese-English dictionary that contain Latin letters, by lower case.
function latinHeadwords(src) {
  const map = new Map();
  if (!src.has('english/cc_cedict.tsv')) return map;
  for (const f of src.tsv('english/cc_cedict.tsv', { header: true })) {
    const simp = f[1] || '';
    if (/[A-Za-z]/.test(simp) && HAN.test(simp) && !map.has(simp.toLowerCase())) map.set(simp.toLowerCase(), simp);
  }
  return map;
}

// Explanations keep one sense per line, ended the way the program's text views expect.
function explanationText(text) {
  return String(text || '')
    .split(/\r?\n/)
    .map((l) => l.trim())
    .filter(Boolean)
    .join('\r\n');
}

function parseStartupWords(text) {
  return text
    .split(/\r?\n/)
    .map((l) => l.replace(/#.*/, '').trim())
    .filter(Boolean);
}

// Identifiers: the start-up words take START_ID.. in their listed order; every other word
// counts up from 1 in list order, jumping over that range.
function assignIds(words, startup) {
  if (startup.length > START_COUNT) throw new Error(`at most ${START_COUNT} start-up words, got ${startup.length}`);
  const special = new Map(startup.map((w, i) => [w, START_ID + i]));
  const ids = new Map();
  let next = 1;
  for (const w of words) {
    if (special.has(w)) continue;
    if (next === START_ID) next = START_ID + START_COUNT;
    ids.set(w, next++);
  }
  const present = new Set(words);
  for (const [w, id] of special) if (present.has(w)) ids.set(w, id);
  return ids;
}

// The most frequent words of a "word count tag" list: multi-character words of Chinese
// characters only, by count, ties in list order.
function frequentWords(text, limit) {
  const all = [];
  text.split(/\r?\n/).forEach((line, i) => {
    const [word, count] = line.trim().split(/\s+/);
    if (!word || [...word].length < 2 || ![...word].every((c) => HAN.test(c))) return;
    all.push({ word, count: Number(count) || 0, i });
  });
  all.sort((a, b) => b.count - a.count || a.i - b.i);
  const seen = new Set();
  const out = [];
  for (const { word } of all) {
    if (seen.has(word)) continue;
    seen.add(word);
    out.push(word);
    if (out.length === limit) break;
  }
  return out;
}

// English glosses of the Chinese-English dictionary by simplified headword, without the
// measure-word notes ("bank / CL:家[jia1]" -> "bank").
function englishGlosses(rows) {
  const map = new Map();
  for (const [, simp, , english] of rows) {
    if (!simp || !english || map.has(simp)) continue;
    const text = english.split(' / ').map((p) => p.trim()).filter((p) => p && !/^(CL:|also pr\.)/.test(p)).join('; ');
    if (text) map.set(simp, text);
  }
  return map;
}

const SELF_REFERENCE = /^(?:\d+[.．])?\s*见\s*["“]?([^"”。]+)["”]?\s*[。．.]?\s*$/;

function escapeRe(text) {
  return text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
}

// Sense lines that only send the reader to the word itself (喜欢: 1.见"喜欢"。, 亦作"鱼孽"。)
// are removed, and so is a closing 参见 pointing at the word (……。参见“签子”。).
function withoutSelfReferences(word, text) {
  const lines = explanationText(text).split('\r\n').filter(Boolean);
  const w = escapeRe(word);
  const pointer = new RegExp(`(?<=[。；”"])\\s*(?:参)?见\\s*["“]?${w}["”]?\\s*[。．.]?\\s*$`);
  const alone = new RegExp(`^(?:\\d+[.．])?\\s*(?:(?:参)?见|即|亦作|同|也作)\\s*["“]?${w}["”]?\\s*[。．.]?\\s*$`);
  let removed = 0;
  const kept = [];
  for (const l of lines) {
    const m = SELF_REFERENCE.exec(l);
    let line = m && m[1].trim() === word ? '' : l.replace(pointer, '');
    if (alone.test(line)) line = '';
    if (line !== l) removed++;
    if (line) kept.push(line);
  }
  return { text: kept.join('\r\n'), removed };
}

function buildWords(entries, { latinWords, startup, spells, toTraditional, moedict = new Map(), english = new Map(), frequent = [], moedictEntry }) {
  const dropped = [];
  const seen = new Map();
  const counts = { selfReferences: 0, selfReferenceReplaced: 0, selfReferenceDropped: 0, moedict: 0, englishOnly: 0, frequentMissing: 0 };
  for (const e of entries) {
    const verdict = checkKey(e.word, latinWords);
    if (!verdict.keep) {
      dropped.push(e.word);
      continue;
    }
    if (!seen.has(verdict.word)) seen.set(verdict.word, e.explanation);
  }
  const ord = new Map();
  // An explanation that only pointed at itself is replaced by the modern dictionary's or dropped.
  for (const [word, text] of [...seen]) {
    const { text: rest, removed } = withoutSelfReferences(word, text);
    if (!removed) continue;
    counts.selfReferences++;
    if (rest) {
      seen.set(word, rest);
      continue;
    }
    const entry = moedictEntry(word);
    if (entry) {
      seen.set(word, moedictContent(word, entry, english).join('\r\n'));
      ord.set(word, entry.title);
      counts.selfReferenceReplaced++;
    } else if (!startup.includes(word)) {
      seen.delete(word);
      counts.selfReferenceDropped++;
    }
  }
  // Frequent modern words the Chinese word list lacks.
  for (const word of frequent) {
    if (seen.has(word)) continue;
    const entry = moedictEntry(word);
    if (entry) {
      seen.set(word, moedictContent(word, entry, english).join('\r\n'));
      ord.set(word, entry.title);
      counts.moedict++;
    } else if (english.has(word)) {
      seen.set(word, `【英文】${english.get(word)}`);
      counts.englishOnly++;
    } else {
      counts.frequentMissing++;
    }
  }
  const words = [...seen.keys()].sort();
  const missingStartup = startup.filter((w) => !seen.has(w));
  const ids = assignIds(words, startup);
  const rows = words.map((word) => ({
    ID: ids.get(word),
    word,
    ord: ord.get(word) || toTraditional(word),
    spell: spells.spell(word),
    content: explanationText(seen.get(word)),
  }));
  rows.sort((a, b) => a.ID - b.ID);
  return { rows, dropped, missingStartup, explanations: seen, counts };
}

function moedictContent(word, entry, english) {
  const lines = [];
  if (english.has(word)) lines.push(`【英文】${english.get(word)}`);
  return lines.concat(moedictLines(entry));
}

module.exports = { frequentWords, englishGlosses, withoutSelfReferences, checkKey, latinHeadwords, explanationText, parseStartupWords, assignIds, buildWords, START_ID, START_COUNT };
