'use strict';
// The Ministry of Education's revised dictionary (Taiwan). Its licence (CC BY-ND 3.0 TW) allows
// no edits of the text: definitions are copied exactly as given, in traditional characters,
// after a marker line the clean-up pass leaves alone, and every copy names its source.
const { PROTECTED_MARK } = require('./clean');

const ATTRIBUTION = '——教育部《重編國語辭典修訂本》，CC BY-ND 3.0 TW';

// Entries by their simplified lookup key; several traditional titles may share one key.
function indexMoedict(records) {
  const map = new Map();
  for (const r of records) {
    const key = r.simplified_key || r.title;
    if (!key || !Array.isArray(r.heteronyms)) continue;
    if (!map.has(key)) map.set(key, []);
    map.get(key).push(r);
  }
  return map;
}

// The entry for a word: the one whose title is the word's usual traditional form, else the first.
function entryFor(index, word, traditional) {
  const list = index.get(word);
  if (!list) return null;
  const usable = list.filter((r) => r.heteronyms.some((h) => (h.definitions || []).some((d) => d.def)));
  if (!usable.length) return null;
  return usable.find((r) => r.title === traditional) || usable[0];
}

// The reading as printed, before any variant note ("yī　diǎnr　(變)yì　diǎr" -> "yī diǎnr").
function firstReading(pinyin) {
  return String(pinyin || '')
    .split(/[(（]/)[0]
    .split(/[\u3000\s]+/)
    .filter(Boolean);
}

// Whether the entry reads a final 儿 as a syllable of its own (女兒 nǚ ér) or as r (一點兒 diǎnr).
function syllabicEr(entry) {
  if (!entry) return undefined;
  const syls = firstReading(entry.heteronyms[0].pinyin);
  const last = syls[syls.length - 1];
  if (!last) return undefined;
  if (/^(er|ér|ěr|èr|ēr)$/.test(last)) return true;
  if (/r$/.test(last)) return false;
  return undefined;
}

// Lines of the entry: senses with their examples, each reading's pinyin when there are several,
// then the source. The text of every sense is taken unchanged.
function moedictLines(entry) {
  const lines = [PROTECTED_MARK];
  const many = entry.heteronyms.length > 1;
  for (const h of entry.heteronyms) {
    const defs = (h.definitions || []).filter((d) => d.def);
    if (!defs.length) continue;
    if (many && h.pinyin) lines.push(`〔${firstReading(h.pinyin).join(' ')}〕`);
    defs.forEach((d, i) => {
      const number = defs.length > 1 ? `${i + 1}.` : '';
      lines.push(number + d.def + (d.examples || []).join(''));
    });
  }
  lines.push(ATTRIBUTION);
  return lines;
}

module.exports = { ATTRIBUTION, indexMoedict, entryFor, syllabicEr, moedictLines, firstReading };
