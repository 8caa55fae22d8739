'use strict';
// Readings of a character, checked against Unihan's Mandarin fields (kMandarin, kHanyuPinyin,
// kXHC1983) and the polyphone list. The character list carries scrape slips (numeric tones
// "diu1", syllables run together "guoguō", readings of another character: 您 "ní"), so a reading
// is kept only when a reference knows it, and the modern dictionary's readings are added.
const { toneless } = require('./pinyin');

const MARKS = { a: 'āáǎà', e: 'ēéěè', i: 'īíǐì', o: 'ōóǒò', u: 'ūúǔù', ü: 'ǖǘǚǜ' };
const SYLLABLE = /^[a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜêếềḿńňǹ\u0300\u0301]+$/;
// The shape of a Mandarin syllable without tones (ü as v): initial, then final.
const SHAPE = new RegExp(
  '^(?:(?:[bpmfdtnlgkhjqxrzcsyw]|zh|ch|sh)?(?:a|ai|an|ang|ao|e|ei|en|eng|er|o|ong|ou|i|ia|ian|iang|iao|ie|in|ing|iong|iu|' +
    'u|ua|uai|uan|uang|ue|ui|un|uo|v|van|ve|vn|ê)|m|n|ng|hm|hng)$'
);

function normalize(text) {
  return placeToneMark(String(text || '').replace(/\u0261/g, 'g').normalize('NFC').trim());
}

// A tone mark on the wrong vowel ("zhúo" for zhuó) moved to the one pinyin marks: a or e,
// else the o of ou, else the last vowel.
function placeToneMark(syllable) {
  const d = syllable.normalize('NFD');
  const m = /[\u0304\u0301\u030c\u0300]/.exec(d);
  if (!m || !/^[a-z\u0304\u0301\u030c\u0300\u0308]+$/.test(d)) return syllable;
  const tone = ['\u0304', '\u0301', '\u030c', '\u0300'].indexOf(m[0]) + 1;
  const bare = d.replace(/[\u0304\u0301\u030c\u0300]/g, '').normalize('NFC');
  return numericToMarks(bare + tone);
}

// "diu1" -> "diū", "lv4" -> "lǜ", "ma5" -> "ma".
function numericToMarks(text) {
  const m = /^([a-zü:v]+)([1-5])$/i.exec(text);
  if (!m) return text;
  const syl = m[1].toLowerCase().replace(/u:|v/g, 'ü');
  const tone = Number(m[2]);
  if (tone === 5) return syl;
  let at = syl.search(/[ae]/);
  if (at < 0) at = syl.indexOf('ou');
  if (at < 0) for (let i = syl.length - 1; i >= 0; i--) if ('iouü'.includes(syl[i])) { at = i; break; }
  if (at < 0) return syl;
  return syl.slice(0, at) + MARKS[syl[at]][tone - 1] + syl.slice(at + 1);
}

// "10033.020:yāo,mó,ma,me 2000.1:x" / "0758.081,0758.091:ma 0770.150:me" -> readings in order.
function fieldReadings(value) {
  const out = [];
  for (const part of String(value || '').split(/\s+/)) {
    const colon = part.lastIndexOf(':');
    for (const r of (colon >= 0 ? part.slice(colon + 1) : part).split(',')) {
      const n = normalize(r);
      if (n && !out.includes(n)) out.push(n);
    }
  }
  return out;
}

// The dictionary lists the spoken tone changes of 一 and 不 as entries of their own; they are
// not readings of the character.
const TONE_CHANGES = new Map([['一', ['yí', 'yì']], ['不', ['bú']], ['七', ['qí']], ['八', ['bá']]]);

// Neutral-tone readings the modern dictionary lists but the reading fields lack (明儿个 míngr ge).
const NEUTRAL_EXTRA = new Map([['个', ['ge']]]);

class ReadingChecker {
  // unihan: char -> {mandarin, hanyu, xhc} (raw field values); polyphone: char -> [readings].
  constructor(unihan, polyphone = new Map()) {
    this.unihan = new Map();
    this.syllables = new Set();
    for (const [ch, u] of unihan) {
      const r = { mandarin: fieldReadings(u.mandarin), hanyu: fieldReadings(u.hanyu), xhc: fieldReadings(u.xhc) };
      if (!r.mandarin.length && !r.hanyu.length && !r.xhc.length) continue;
      this.unihan.set(ch, r);
      for (const s of [...r.mandarin, ...r.hanyu, ...r.xhc]) this.syllables.add(toneless(s));
    }
    this.polyphone = new Map([...polyphone].map(([ch, list]) => [ch, list.map(normalize).filter(Boolean)]));
    this.counts = { dropped: 0, added: 0, changed: 0 };
  }

  // One raw reading -> clean syllables: numeric tones written as marks, glued syllables split
  // where every piece is a syllable Unihan knows; what is no syllable at all is left out.
  sanitize(raw) {
    const out = [];
    for (let piece of normalize(raw).split(/[\s,，;；]+/)) {
      piece = numericToMarks(piece);
      if (!SYLLABLE.test(piece)) continue;
      const bare = toneless(piece);
      if (this.syllables.has(bare)) out.push(piece);
      else {
        const parts = this.split(piece);
        if (parts && parts.length > 1) out.push(...parts);
        else if (SHAPE.test(bare)) out.push(piece);
      }
    }
    return out;
  }

  // Splits "guoguō" into "guo", "guō": the shortest list of known syllables covering the text.
  split(text) {
    const chars = [...text];
    const best = [[]];
    for (let end = 1; end <= chars.length; end++) {
      for (let start = Math.max(0, end - 6); start < end; start++) {
        if (!best[start]) continue;
        const piece = chars.slice(start, end).join('');
        if (!this.syllables.has(toneless(piece))) continue;
        if (!best[end] || best[start].length + 1 < best[end].length) best[end] = [...best[start], piece];
      }
    }
    return best[chars.length] || null;
  }

  // The modern standard readings of a character, or null when the modern dictionary's field
  // does not cover it: kXHC1983's readings, without the spoken tone changes, plus the
  // neutral-tone readings (过 guo, 子 zi) the other lists give for one of them. Readings
  // of the other fields beyond these are literary or old (她 jiě, 他 tuó, 是 tí).
  standard(ch) {
    const u = this.unihan.get(ch);
    if (!u || !u.xhc.length) return null;
    const changes = TONE_CHANGES.get(ch) || [];
    const out = u.xhc.filter((r) => !changes.includes(r));
    const toned = new Set(out.map(toneless));
    for (const r of [...u.mandarin, ...(this.polyphone.get(ch) || []), ...(NEUTRAL_EXTRA.get(ch) || [])]) {
      if (r === toneless(r) && toned.has(r) && !out.includes(r)) out.push(r);
    }
    return out;
  }

  // The readings of the modern dictionary's field as it stands, or null.
  listed(ch) {
    const u = this.unihan.get(ch);
    return u && u.xhc.length ? u.xhc : null;
  }

  // Every reading a reference knows for the character, the literary ones included.
  known(ch) {
    const u = this.unihan.get(ch);
    const all = [...(u ? [...u.xhc, ...u.mandarin, ...u.hanyu] : []), ...(this.polyphone.get(ch) || []), ...(NEUTRAL_EXTRA.get(ch) || [])];
    return new Set(all);
  }

  // candidates: readings in order of preference; listed: the character list's own, the only
  // ones taken unchecked when no reference knows the character.
  check(ch, candidates, listed = candidates) {
    const u = this.unihan.get(ch);
    const poly = this.polyphone.get(ch) || [];
    const known = new Set([...(u ? [...u.xhc, ...u.mandarin, ...u.hanyu] : []), ...poly]);
    const out = [];
    const add = (r) => {
      if (r && !out.includes(r)) out.push(r);
    };
    let dropped = 0;
    const clean = [];
    for (const c of known.size ? [...candidates, ...poly] : listed) clean.push(...this.sanitize(c));
    for (const r of clean) {
      if (!known.size || known.has(r)) add(r);
      else dropped++;
    }
    const before = out.length;
    // Readings of the modern dictionary and the customary reading must be there.
    const changes = TONE_CHANGES.get(ch) || [];
    if (u) for (const r of [...u.xhc, ...u.mandarin]) if (!changes.includes(r)) add(r);
    if (!out.length && u) for (const r of u.hanyu) add(r);
    if (!out.length) for (const r of clean) add(r);
    if (dropped) this.counts.dropped += dropped;
    if (out.length > before) this.counts.added++;
    const first = candidates.map(normalize).join(',');
    if (first !== out.join(',')) this.counts.changed++;
    return out;
  }
}

module.exports = { ReadingChecker, numericToMarks, fieldReadings, normalize, placeToneMark };
