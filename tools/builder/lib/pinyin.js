'use strict';
// Pinyin helpers: search codes without tones, idiom initials, and the word-list lookup.
const { pinyin: pinyinPro } = require('pinyin-pro');

// Some sources write the Latin "ɡ" (U+0261) instead of "g"; searches must not depend on it.
function normalizeSyllables(text) {
  return text.replace(/\u0261/g, 'g').replace(/\s+/g, ' ').trim();
}

// "lǜ" -> "lv", "xíng" -> "xing": tone marks removed, ü written v as on a keyboard.
function toneless(syllable) {
  return normalizeSyllables(syllable)
    .normalize('NFD')
    .replace(/u\u0308/g, 'v')
    .replace(/U\u0308/g, 'V')
    .replace(/[\u0300-\u036f]/g, '')
    .replace(/ü/g, 'v')
    .toLowerCase();
}

// Every distinct reading without tones, each followed by exactly one blank, so that an
// equality match on "ma " finds characters read ma alone and a containment match all of them.
function pycode(readings) {
  const seen = [];
  for (const r of readings) {
    const t = toneless(r).replace(/[^a-z]/g, '');
    if (t && !seen.includes(t)) seen.push(t);
  }
  return seen.map((s) => s + ' ').join('');
}

// First letter of every syllable: 千方百计 "qiān fāng bǎi jì" -> "qfbj".
function initials(spell) {
  let out = '';
  for (const syl of toneless(spell).split(' ')) {
    const m = /[a-z]/.exec(syl);
    if (m) out += m[0];
  }
  return out;
}

const HAN = /\p{Script=Han}/u;
const TONE_MARK = /[āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜńňǹḿ]/;

const MARKS = { a: 'āáǎà', e: 'ēéěè', i: 'īíǐì', o: 'ōóǒò', u: 'ūúǔù', ü: 'ǖǘǚǜ' };

// "ping2 guo3" -> "píng guǒ", "lu:4" -> "lǜ", "ma5" -> "ma": the numbered tones of CC-CEDICT.
function markTones(numbered) {
  return numbered
    .toLowerCase()
    .replace(/u:|v/g, 'ü')
    .split(/\s+/)
    .filter(Boolean)
    .map((syl) => {
      const m = /^([a-zü]+)([1-5])$/.exec(syl);
      if (!m) return syl;
      const [, s, t] = m;
      if (t === '5') return s;
      let at = s.indexOf('a');
      if (at < 0) at = s.indexOf('e');
      if (at < 0) at = s.indexOf('ou');
      if (at < 0) for (let i = s.length - 1; i >= 0 && at < 0; i--) if (MARKS[s[i]]) at = i;
      if (at < 0) return s;
      return s.slice(0, at) + MARKS[s[at]][Number(t) - 1] + s.slice(at + 1);
    })
    .join(' ');
}

// Readings of the Chinese-English dictionary's rows (traditional, simplified, numbered pinyin,
// English) as a word list: a common word's reading before a name's (人行 "Ren2 hang2"), the first
// row of each kind first. `all` collects every reading, for the neutral-tone check.
function cedictReadings(rows, all = new Map()) {
  const common = new Map();
  const names = new Map();
  for (const [, simp, numbered] of rows) {
    if (!simp || !numbered || !HAN.test(simp)) continue;
    const spell = markTones(numbered);
    if ([...simp].length !== spell.split(' ').length) continue;
    const target = /^[A-Z]/.test(numbered) ? names : common;
    if (!target.has(simp)) target.set(simp, spell);
    if (!all.has(simp)) all.set(simp, []);
    all.get(simp).push(spell);
  }
  for (const [w, s] of names) if (!common.has(w)) common.set(w, s);
  return common;
}

// Dictionaries cite 一 and 不 in their own tones; some lists apply the spoken tone change
// (一下 yí xià, 不对 bú duì). Where the syllables line up with the characters, undo it.
function citationTones(word, spell) {
  const chars = [...word];
  const syls = spell.split(' ');
  if (chars.length !== syls.length || !chars.every((c) => HAN.test(c))) return spell;
  return chars
    .map((c, i) => {
      const s = syls[i];
      if (c === '一' && (s === 'yí' || s === 'yì')) return 'yī';
      if (c === '不' && s === 'bú') return 'bù';
      return s;
    })
    .join(' ');
}

// Nouns whose final 儿 is a syllable of its own (女儿 nǚ ér), not the r of a rhotic final.
const SYLLABIC_ER = new Set([...'婴孤女男健幼胎宠弃孩妻侄犬豚乳育产运潮能血形生']);

// 一点儿 "yī diǎn er" -> "yī diǎnr": a final 儿 read as a rhotic final joins the syllable
// before it. `syllabic(word)` says true where a dictionary reads the 儿 as its own syllable,
// false where it reads it as r, undefined where none knows the word.
function finalEr(word, spell, syllabic = () => undefined) {
  const chars = [...word];
  const syls = spell.split(' ');
  if (chars.length < 2 || chars[chars.length - 1] !== '儿' || chars.length !== syls.length) return spell;
  const last = syls[syls.length - 1];
  if (!/^(er|ér|ěr|èr|ēr|r)$/.test(last)) return spell;
  let rhotic;
  if (last === 'er' || last === 'r') rhotic = syllabic(word) !== true;
  else {
    const known = syllabic(word);
    rhotic = known === undefined ? !SYLLABIC_ER.has(chars[chars.length - 2]) : !known;
  }
  if (!rhotic) return spell;
  return [...syls.slice(0, -2), syls[syls.length - 2] + 'r'].join(' ');
}

// The "词语: pīn yīn" lines of a word list, '#' comments left out, as [word, spell] pairs.
function* wordListLines(text) {
  for (let line of text.split(/\r?\n/)) {
    const hash = line.indexOf('#');
    if (hash >= 0) line = line.slice(0, hash);
    const colon = line.indexOf(':');
    if (colon <= 0) continue;
    const word = line.slice(0, colon).trim();
    const spell = normalizeSyllables(line.slice(colon + 1));
    if (word && spell) yield [word, spell];
  }
}

// The first line for a word wins.
function parseWordList(text) {
  const map = new Map();
  for (const [word, spell] of wordListLines(text)) if (!map.has(word)) map.set(word, spell);
  return map;
}

// Every reading a list gives a word, not only its first ("地方: dì fāng" and "地方: dì fang").
function parseAllReadings(text) {
  const map = new Map();
  for (const [word, spell] of wordListLines(text)) {
    if (!map.has(word)) map.set(word, []);
    map.get(word).push(spell);
  }
  return map;
}

// Some lists write every syllable with its full tone (衣服 yī fú, 头发 tóu fà) where the spoken
// word has a neutral one (yī fu, tóu fa). A reading that differs only by such neutral syllables
// is taken instead. A word never starts on a neutral syllable: such readings are the word used
// as a complement (出来 chu lai after a verb) or a slang sense (个头 ge tóu), not its own.
function withNeutralTones(spell, readings = []) {
  const syls = spell.split(' ');
  for (const r of readings) {
    const other = r.split(' ');
    if (other.length !== syls.length || r === spell) continue;
    if (other[0] === toneless(other[0]) && syls[0] !== other[0]) continue;
    let neutral = false;
    const same = other.every((o, i) => {
      if (o === syls[i]) return true;
      if (toneless(o) === toneless(syls[i]) && o === toneless(o)) return (neutral = true);
      return false;
    });
    if (same && neutral) return r;
  }
  return spell;
}

// Pinyin of words and idioms: the word lists in order of trust, then the converter with the
// tone change of 一/不 turned off.
class SpellLookup {
  // `neutral`: every reading of a list that marks neutral tones, by word.
  constructor(lists, { syllabicEr, neutral } = {}) {
    this.lists = lists;
    this.syllabicEr = syllabicEr;
    this.neutral = neutral;
    this.counts = { list: 0, generated: 0 };
  }

  has(word) {
    return this.lists.some((list) => list.has(word));
  }

  spell(word) {
    for (const [i, list] of this.lists.entries()) {
      let s = list.get(word);
      // a reading without a single tone mark is a list's damage (丹墀 dan chi), not a reading
      if (!s || (s.includes(' ') && !TONE_MARK.test(s))) continue;
      this.counts.list++;
      // the first list holds hand corrections, taken as they are
      if (i > 0 && this.neutral) s = withNeutralTones(s, this.neutral.get(word));
      return finalEr(word, citationTones(word, s), this.syllabicEr);
    }
    this.counts.generated++;
    return finalEr(word, generatedSpell(word), this.syllabicEr);
  }
}

function generatedSpell(word) {
  const parts = pinyinPro(word, { toneSandhi: false, type: 'array' });
  let out = '';
  for (const p of parts.map((x) => x.trim()).filter(Boolean)) {
    if (/^[，﹐,;；]$/.test(p)) out += ',';
    else out += (out ? ' ' : '') + p;
  }
  return normalizeSyllables(out);
}

module.exports = { markTones, cedictReadings, parseAllReadings, withNeutralTones, finalEr, toneless, pycode, initials, citationTones, parseWordList, SpellLookup, generatedSpell, normalizeSyllables };
