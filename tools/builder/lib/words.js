'use strict';
// Rows of the word table `dict`.
const HAN = /\p{Script=Han}/u;
// Punctuation that genuine multi-clause entries carry (一不做，二不休; 德国--一个冬天的童话).
const PHRASE_PUNCT = new Set([...'，﹐·、…”;-()（）']);

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

function buildWords(entries, { latinWords, startup, spells, toTraditional }) {
  const dropped = [];
  const seen = new Map();
  for (const e of entries) {
    const verdict = checkKey(e.word, latinWords);
    if (!verdict.keep) {
      dropped.push(e.word);
      continue;
    }
    if (!seen.has(verdict.word)) seen.set(verdict.word, e.explanation);
  }
  const words = [...seen.keys()].sort();
  const missingStartup = startup.filter((w) => !seen.has(w));
  const ids = assignIds(words, startup);
  const rows = words.map((word) => ({
    ID: ids.get(word),
    word,
    ord: toTraditional(word),
    spell: spells.spell(word),
    content: explanationText(seen.get(word)),
  }));
  rows.sort((a, b) => a.ID - b.ID);
  return { rows, dropped, missingStartup, explanations: seen };
}

module.exports = { checkKey, latinHeadwords, explanationText, parseStartupWords, assignIds, buildWords, START_ID, START_COUNT };
