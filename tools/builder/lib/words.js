'use strict';
// Rows of the word table `dict`.
const HAN = /\p{Script=Han}/u;
// Punctuation that genuine multi-clause entries carry (一不做，二不休; 德国--一个冬天的童话).
const PHRASE_PUNCT = new Set([...'，﹐·、…”;-()（）']);

const { moedictLines } = require('./moedict');
const { toneless } = require('./pinyin');

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

// The words of a "word count tag" list: multi-character words of Chinese characters only, by
// count, ties in list order; at most `limit` of them.
function frequentWords(text, limit = Infinity) {
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

// Cross-references of the Chinese-English dictionary name a word in both scripts and its
// reading ("中國人民銀行|中国人民银行[Zhong1 guo2 Ren2 min2 Yin2 hang2]"): the simplified form is enough.
function plainReferences(text) {
  return text.replace(/[^\s|[\]()]+\|([^\s|[\]()]+)\[[^\]]*\]/g, '$1').replace(/(\p{Script=Han}+)\[[a-zA-Z0-9: ]+\]/gu, '$1');
}

// English glosses of the Chinese-English dictionary by simplified headword, without the
// measure-word notes ("bank / CL:家[jia1]" -> "bank"). A word with several entries gets all of
// them, the common word's before a name's (苹果: "apple" before "Apple (American tech company)").
function englishGlosses(rows) {
  const parts = new Map();
  const names = new Map();
  for (const [, simp, reading, english] of rows) {
    if (!simp || !english) continue;
    const target = /^[A-Z]/.test(reading || '') ? names : parts;
    if (!target.has(simp)) target.set(simp, []);
    for (const p of english.split(' / ')) {
      const text = p.trim();
      if (text && !/^(CL:|also pr\.)/.test(text)) target.get(simp).push(plainReferences(text));
    }
  }
  const map = new Map();
  for (const simp of new Set([...parts.keys(), ...names.keys()])) {
    const all = [...new Set([...(parts.get(simp) || []), ...(names.get(simp) || [])])];
    if (all.length) map.set(simp, all.join('; '));
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

// Explanations of the classical dictionary number their senses 1. 2.; the modern one ① ②.
const MODERN_STYLE = /[①②③④⑤⑥⑦⑧⑨⑩]/;
const MORE_SENSES = '【更多释义】';

// The modern entries for a word read as `spell`; entries read otherwise belong to another word
// written alike (大家 dàgū). Several such entries are joined and numbered anew.
function modernLines(entries, spell) {
  if (!entries) return [];
  const key = toneless(spell || '');
  const fitting = entries.filter((e) => e.spell && toneless(e.spell) === key);
  if (!fitting.length) return [];
  const senses = fitting.flatMap((e) => e.lines.map((l) => l.replace(/^\d+\./, '')));
  return senses.length === 1 ? senses : senses.map((l, i) => `${i + 1}.${l}`);
}

// Whether the modern senses only repeat the word list's own text (知道: both quote 通晓天地之道
// first): then nothing is gained by showing them.
function repeats(modernSenses, text) {
  const plain = (t) => t.replace(/[^\p{Script=Han}]/gu, '');
  const body = plain(text);
  const defs = modernSenses.map((l) => plain(l.replace(/^\d+\./, '').split('：')[0])).filter((d) => d.length >= 4);
  return defs.length > 0 && defs.filter((d) => body.includes(d)).length * 2 >= defs.length;
}

// `entries`: the word list with explanations; `ranked`: the words a frequency list ranks, added
// when a source explains them; `modern`: modern explanations by word (see compounds.js).
function buildWords(entries, { latinWords, startup, spells, toTraditional, english = new Map(), ranked = [], moedictEntry = () => null, modern = new Map() }) {
  const dropped = [];
  const seen = new Map();
  const counts = {
    selfReferences: 0, selfReferenceReplaced: 0, selfReferenceDropped: 0,
    added: 0, modern: 0, moedict: 0, englishOnly: 0, rankedMissing: 0, modernFirst: 0,
  };
  for (const e of entries) {
    const verdict = checkKey(e.word, latinWords);
    if (!verdict.keep) {
      dropped.push(e.word);
      continue;
    }
    if (!seen.has(verdict.word)) seen.set(verdict.word, e.explanation);
  }
  const explained = new Map();
  const ord = new Map();
  const spellCache = new Map();
  const spellOf = (word) => {
    if (!spellCache.has(word)) spellCache.set(word, spells.spell(word));
    return spellCache.get(word);
  };
  // A word without a text of its own: the English line, the modern explanation, then the
  // 國語辭典 entry verbatim; null when no source knows it.
  const compose = (word) => {
    const lines = [];
    if (english.has(word)) lines.push(`【英文】${english.get(word)}`);
    const mod = modern.has(word) ? modernLines(modern.get(word), spellOf(word)) : [];
    lines.push(...mod);
    const entry = moedictEntry(word);
    if (entry) {
      lines.push(...moedictLines(entry));
      ord.set(word, entry.title);
    }
    if (!lines.length) return null;
    return { text: lines.join('\r\n'), kind: mod.length ? 'modern' : entry ? 'moedict' : 'englishOnly' };
  };
  const composed = new Map();
  // An explanation that only pointed at itself is replaced by the other sources' or dropped.
  for (const [word, text] of [...seen]) {
    const { text: rest, removed } = withoutSelfReferences(word, text);
    if (removed) counts.selfReferences++;
    if (rest) {
      seen.set(word, rest);
      explained.set(word, rest);
      continue;
    }
    const other = compose(word);
    if (other) {
      composed.set(word, other.text);
      counts.selfReferenceReplaced++;
    } else if (!startup.includes(word)) {
      seen.delete(word);
      counts.selfReferenceDropped++;
    }
  }
  // Words in everyday use the word list lacks.
  for (const word of ranked) {
    if (seen.has(word)) continue;
    const other = compose(word);
    if (!other) {
      counts.rankedMissing++;
      continue;
    }
    seen.set(word, '');
    composed.set(word, other.text);
    counts.added++;
    counts[other.kind]++;
  }
  const words = [...seen.keys()].sort();
  const missingStartup = startup.filter((w) => !seen.has(w));
  const ids = assignIds(words, startup);
  const rows = words.map((word) => {
    const spell = spellOf(word);
    let content = composed.get(word);
    if (content === undefined) {
      content = seen.get(word);
      // the classical dictionary's senses come after the modern ones where a modern text exists
      const mod = MODERN_STYLE.test(content) || !modern.has(word) ? [] : modernLines(modern.get(word), spell);
      if (mod.length && !repeats(mod, content)) {
        content = [...mod, MORE_SENSES, explanationText(content)].join('\r\n');
        counts.modernFirst++;
      }
    }
    return { ID: ids.get(word), word, ord: ord.get(word) || toTraditional(word), spell, content: explanationText(content) };
  });
  rows.sort((a, b) => a.ID - b.ID);
  return { rows, dropped, missingStartup, explanations: explained, counts };
}

module.exports = { MORE_SENSES, modernLines, plainReferences, frequentWords, englishGlosses, withoutSelfReferences, checkKey, latinHeadwords, explanationText, parseStartupWords, assignIds, buildWords, START_ID, START_COUNT };
