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

// "词语: pīn yīn" lines with '#' comments; the first line for a word wins.
function parseWordList(text) {
  const map = new Map();
  for (let line of text.split(/\r?\n/)) {
    const hash = line.indexOf('#');
    if (hash >= 0) line = line.slice(0, hash);
    const colon = line.indexOf(':');
    if (colon <= 0) continue;
    const word = line.slice(0, colon).trim();
    const spell = normalizeSyllables(line.slice(colon + 1));
    if (word && spell && !map.has(word)) map.set(word, spell);
  }
  return map;
}

// Pinyin of words and idioms: the word lists in order of trust, then the converter with the
// tone change of 一/不 turned off.
class SpellLookup {
  constructor(lists) {
    this.lists = lists;
    this.counts = { list: 0, generated: 0 };
  }

  spell(word) {
    for (const list of this.lists) {
      const s = list.get(word);
      if (s) {
        this.counts.list++;
        return citationTones(word, s);
      }
    }
    this.counts.generated++;
    return generatedSpell(word);
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

module.exports = { toneless, pycode, initials, citationTones, parseWordList, SpellLookup, generatedSpell, normalizeSyllables };
