'use strict';
// One character's modern explanation, put together from three sources that each fail in
// their own way: per reading, the first source whose block for that reading holds senses of
// this character is taken.
//  1. the modern dictionary's basic blocks at the end of the xinhua `more` text;
//  2. the basic senses of the xinhua `explanation`, with the senses of lost compounds dropped;
//  3. the common-character entry, when its blocks agree with the others;
//  4. the definitions of the detailed blocks of `more` (长 zhǎng has no basic block anywhere).
// The detailed blocks of `more` make the detailed part, under their readings.
const { parseMore } = require('./xinhuamore');
const { explanationBlocks, entryBlocks, newCounts, numbered } = require('./charcontent');
const { tidyLine, dropDamagedExamples } = require('./senses');

const SOURCES = ['more', 'explanation', 'common', 'detail', 'words'];

// Character pairs of a text, the character itself for its stand-in ～.
function pairs(ch, lines) {
  const t = lines.join('').replace(/～/g, ch).replace(/[^\p{Script=Han}]/gu, '');
  const out = new Set();
  for (let i = 0; i + 1 < t.length; i++) out.add(t.slice(i, i + 2));
  return out;
}

// How much two blocks for one reading share, 0 … 1.
function overlap(ch, a, b) {
  const A = pairs(ch, a);
  const B = pairs(ch, b);
  if (!A.size || !B.size) return null;
  let n = 0;
  for (const x of A) if (B.has(x)) n++;
  return n / Math.min(A.size, B.size);
}

// Senses that cannot be anyone's: text the scrape could not decode, runs of question marks
// standing for lost characters (于 "？吰？?？呵醩…").
function implausible(senses) {
  const text = senses.join('');
  const marks = (text.match(/[?？]/g) || []).length;
  return marks >= 4 && marks * 10 > [...text].length;
}

// Blocks -> reading -> senses; "(又读shóu)" alone repeats a reading that has its own block.
function byReading(blocks) {
  const map = new Map();
  for (const b of blocks) {
    if (!b.reading) continue;
    if (!map.has(b.reading)) map.set(b.reading, []);
    map.get(b.reading).push(...b.senses.filter((s) => !/^[(（]又读[^)）]*[)）]$/.test(s)));
  }
  return map;
}

const POS_LINE = /^(〈\p{Script=Han}〉|[名动形副代助连介叹拟量数象])$/u;
const CITATION = /--\s*[《〈]|--\s*\p{Script=Han}{1,3}·/u;
const ETYMOLOGY = /^[(（].*[)）]$/u;

// Definitions of a detailed block: per item its first line that is not a part of speech, an
// etymology or a citation, without the examples after "如"; "又如…" items are examples only.
function definitions(items) {
  const out = [];
  for (const it of items) {
    const line = it.lines.map(tidyLine).find((l) => l && !POS_LINE.test(l) && !ETYMOLOGY.test(l) && !CITATION.test(l));
    if (!line || /^(又如|如|另见)/.test(line)) continue;
    const first = line
      .replace(/^[\[［(（]?[方口书古][\]］)）]?∶?/u, '')
      .replace(/--.*$/u, '')
      .replace(/。?如[：:]?[^。]*$/u, '');
    if (!/\p{Script=Han}/u.test(first)) continue;
    out.push(/[。！？”）)]$/.test(first) ? first : `${first}。`);
  }
  return out;
}

// Detailed lines of a block: parts of speech, numbered senses with their citations under
// them; "如…"/"又如…" items join the sense they illustrate; cross references ("另见dì") go.
function detailLines(items) {
  const senses = [];
  const plain = [];
  for (const it of items) {
    const lines = it.lines
      .map((l) => tidyLine(l).replace(/^[-—]+/, ''))
      .filter((l) => l && !/^另见/.test(l))
      .map((l) => l.replace(/(^|[。；])(又如|如)(?=[\p{Script=Han}“])(?![此何果同今意实])/gu, '$1$2：'));
    if (!lines.length) continue;
    if (!it.numbered || ETYMOLOGY.test(lines[0])) {
      if (senses.length) senses[senses.length - 1].push(...lines);
      else plain.push(...lines.map((l) => (/^[\p{Script=Han}]$/u.test(l) ? `〈${l}〉` : l)));
    } else if (/^(又如|如)/.test(lines[0]) && senses.length) senses[senses.length - 1].push(...lines);
    else senses.push(lines);
  }
  const out = [...plain];
  senses.forEach((s, i) => out.push(senses.length > 1 ? `${i + 1}.${s[0]}` : s[0], ...s.slice(1)));
  return out;
}

// Senses a source files under the everyday reading that the modern dictionary gives their own
// neutral-tone reading (明儿个 míngr ge).
const MOVED = new Map([['个', { from: 'gè', to: 'ge', sense: /明儿/ }]]);

function moveSenses(ch, basic, standard) {
  const move = MOVED.get(ch);
  if (!move || !standard?.includes(move.to)) return;
  for (const map of Object.values(basic)) {
    const senses = map.get(move.from) || [];
    const moving = senses.filter((s) => move.sense.test(s));
    if (!moving.length) continue;
    map.set(move.from, senses.filter((s) => !moving.includes(s)));
    map.set(move.to, [...(map.get(move.to) || []), ...moving]);
  }
}

class EntryBuilder {
  // words(text): the word list's part of speech for a text, undefined when it is no word;
  // wordsRead(ch, reading): frequent words that read the character so.
  constructor({ words = () => undefined, wordsRead = () => [] } = {}) {
    this.words = words;
    this.wordsRead = wordsRead;
    this.supplied = Object.fromEntries(SOURCES.map((s) => [s, 0]));
    this.rejected = Object.fromEntries(SOURCES.map((s) => [s, 0]));
    this.examples = Object.fromEntries(SOURCES.map((s) => [s, []]));
    this.repairs = { ...newCounts(), colons: 0, dropped: 0 };
  }

  // records: the xinhua records of the character; entry: its common-character entry or null;
  // standard: its modern standard readings in display order, or null when no modern
  // dictionary covers it; order: its readings in display order; isReading(text): the known
  // reading a text names, or null. Returns {readings, sections, detail, notes} or null.
  build(ch, records, entry, { standard, order }, isReading) {
    const counts = this.repairs;
    const parsed = { more: [], explanation: [], common: [], detail: [] };
    const notes = [];
    const seenMore = new Set();
    for (const r of records) {
      const e = explanationBlocks(ch, r.explanation, isReading, counts);
      parsed.explanation.push(...e.basic);
      if (!notes.length) notes.push(...e.notes);
      if (seenMore.has(r.more)) continue;
      seenMore.add(r.more);
      const m = parseMore(ch, r.more);
      parsed.more.push(...m.basic.map((b) => ({ reading: isReading(b.reading), senses: b.senses.map(tidyLine).filter(Boolean) })));
      parsed.detail.push(...m.detail.map((b) => ({ reading: isReading(b.reading), items: b.items })));
    }
    if (entry) {
      const c = entryBlocks(entry, isReading, counts);
      parsed.common.push(...c.basic);
      if (!notes.length) notes.push(...c.notes);
    }
    const basic = {
      more: byReading(parsed.more),
      explanation: byReading(parsed.explanation),
      common: byReading(parsed.common),
      detail: byReading(parsed.detail.map((b) => ({ reading: b.reading, senses: definitions(b.items) }))),
      words: new Map(),
    };
    this.reject(ch, basic);
    moveSenses(ch, basic, standard);
    const explained = new Set(SOURCES.flatMap((s) => [...basic[s].keys()]).filter((r) => SOURCES.some((s) => basic[s].get(r)?.length)));
    // A standard reading no text explains, that words of the word lists still read, refers to
    // those words (膀 páng 见“膀胱”); one no word reads either has fallen out of use.
    for (const r of standard || []) {
      if (explained.has(r)) continue;
      const words = this.wordsRead(ch, r);
      if (!words.length) continue;
      basic.words.set(r, [`见${words.map((w) => `“${w}”`).join('、')}。`]);
      explained.add(r);
    }
    if (!explained.size && !notes.length) return null;

    const readings = this.headerReadings(standard, explained, order, new Set(basic.more.keys()));
    const old = [...explained].filter((r) => !readings.includes(r));
    const used = new Set();
    const sections = [];
    for (const r of [...readings, ...old]) {
      const source = SOURCES.find((s) => basic[s].get(r)?.length);
      if (!source) continue;
      used.add(source);
      const senses = basic[source].get(r).map((s) => this.colon(ch, s));
      sections.push({ reading: r, old: !readings.includes(r), senses });
    }
    for (const s of used) this.supplied[s]++;
    const details = new Map();
    for (const b of parsed.detail) {
      if (!b.reading || (!readings.includes(b.reading) && !old.includes(b.reading))) continue;
      if (!details.has(b.reading)) details.set(b.reading, []);
      details.get(b.reading).push(...b.items);
    }
    const detail = [...readings, ...old]
      .filter((r) => details.has(r))
      .map((r) => ({ reading: r, old: !readings.includes(r), lines: detailLines(details.get(r)) }))
      .filter((d) => d.lines.length);
    return { readings, sections, detail, notes: detail.length ? [] : notes, used };
  }

  // A source's block is rejected when it is undecodable, or, for the common-character
  // entries, when it shares almost nothing with the other sources' blocks for that reading and
  // never shows the character's stand-in ～ (地's dì block holding 第's senses).
  reject(ch, basic) {
    for (const s of SOURCES) {
      let bad = false;
      for (const [r, senses] of basic[s]) {
        let wrong = implausible(senses);
        if (!wrong && s === 'common' && senses.length >= 2) {
          const others = ['explanation', 'more'].map((o) => basic[o].get(r)).filter((x) => x?.length >= 2);
          const scores = others.map((o) => overlap(ch, senses, o)).filter((v) => v !== null);
          wrong = scores.length > 0 && scores.every((v) => v < 0.15) && !senses.some((x) => x.includes('～'));
        }
        if (wrong) {
          basic[s].delete(r);
          if (!bad && this.examples[s].length < 3) this.examples[s].push(`${ch} ${r}`);
          bad = true;
        }
      }
      if (bad) this.rejected[s]++;
    }
  }

  // The standard readings that some source explains, in display order; a standard reading no
  // source explains gives way to an explained reading of the same syllable in another tone
  // (啥 shà -> shá), else it is left out.
  headerReadings(standard, explained, order = [], modern = new Set()) {
    if (!standard) return [...order.filter((r) => explained.has(r)), ...[...explained].filter((r) => !order.includes(r))];
    const toneless = (r) => r.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
    const out = [];
    for (const r of standard) {
      if (explained.has(r)) out.push(r);
      else {
        const alt = [...modern].filter((e) => !standard.includes(e) && toneless(e) === toneless(r));
        if (alt.length === 1 && !out.includes(alt[0])) out.push(alt[0]);
        else this.repairs.dropped++;
      }
    }
    return out;
  }

  colon(ch, sense) {
    const fixed = dropDamagedExamples(ch, sense, this.words);
    if (fixed !== sense) this.repairs.colons++;
    return fixed;
  }
}

// The content lines of a built entry.
function entryLines({ sections, detail, notes }) {
  const out = [];
  const head = (s) => (s.old ? `〔旧读 ${s.reading}〕` : `〔${s.reading}〕`);
  if (sections.length) {
    out.push('【基本解释】');
    for (const s of sections) out.push(head(s), ...numbered(s.senses));
  }
  if (detail.length || notes.length) out.push('【详细解释】');
  for (const d of detail) out.push(head(d), ...d.lines);
  out.push(...notes);
  return out;
}

module.exports = { EntryBuilder, entryLines, overlap, implausible, definitions, detailLines };
