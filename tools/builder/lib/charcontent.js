'use strict';
// Reading the explanation sources of a character into one shape: basic blocks
// [{reading, senses: [text]}] and detailed notes. Each source is read here; characters.js
// chooses between them.
//  - the xinhua records' `explanation`: detailed notes, then basic senses under head lines
//    "还（還）hái" numbered ⒈⒉…; where the scrape lost a compound's head word (在乎, 国家) its
//    sense number stays empty or its sub-senses ①② stand under the character;
//  - the common-character entries: the same text cut into lists, with the same losses and, for
//    some characters, senses of another character (地 holding 第's);
//  - the classical dictionaries, for characters no modern text explains.
const { tidyLine } = require('./senses');

const PINYIN = 'a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜêɡ';
// A toned syllable, or a toneless one spelled as a reading (not an English word)
const SYLLABLE = /^(?:[a-zü]*[āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ][a-zü]*|[a-z]{1,6})$/u;
const ENCLOSED_NUMBER = /[\u2488-\u249b]/g; // ⒈ … ⒛
const SUB_SENSE = /^[\u2460-\u2473]/; // ① … ⑳
const escape = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// "⒈存，生存存～。" / "1.垂耳。 2.古代南方国名用字。" -> [{n, text}], unnumbered lines {n: 0}.
function numberedPieces(line) {
  const t = line.replace(ENCLOSED_NUMBER, (c) => ` ${c.charCodeAt(0) - 0x2487}.`).trim();
  return t
    .split(/\s*(?<![\d.])(?=\d+[.．](?!\d))/)
    .map((p) => p.trim())
    .filter(Boolean)
    .map((p) => {
      const m = /^(\d+)[.．](?!\d)\s*(.*)$/s.exec(p);
      return m ? { n: Number(m[1]), text: m[2].trim() } : { n: 0, text: p };
    });
}

// Senses of one block from its numbered pieces. What belonged to a compound whose head word
// was lost goes: an empty number, the sub-senses ①② under it (or under a sense: 国 ⒈国家
// ①…), and a run whose numbering starts again (…6. 1.在于。 2.介意… 8.见huán。).
function sensesOf(pieces, counts) {
  const out = [];
  let last = 0;
  let lost = false;
  for (const { n, text } of pieces) {
    if (SUB_SENSE.test(text)) {
      counts.lostCompound++;
      continue;
    }
    if (n) {
      if (last && n <= last) {
        lost = true;
        counts.restarted++;
        continue;
      }
      if (lost && n > last + 1 && !text) continue;
      lost = false;
      last = n;
      if (!text) {
        counts.emptyNumber++;
        continue;
      }
      out.push(text);
    } else if (lost) {
      continue;
    } else if (out.length && !/[。！？”）)]$/.test(out[out.length - 1])) {
      out[out.length - 1] += text; // a sentence cut by a line break
    } else {
      out.push(text);
    }
  }
  return out.map(tidyLine).filter(Boolean);
}

function newCounts() {
  return { lostCompound: 0, restarted: 0, emptyNumber: 0, unknownReading: 0 };
}

// A head line of a basic block: the character (or several sharing the block: "吗、么ma"),
// maybe its traditional forms, the reading written exactly (neutral tone as "·ba"), then
// perhaps the first senses.
function headPattern(ch) {
  return new RegExp(`^${escape(ch)}(?:、\\p{Script=Han})*(?:[（(][^）)]*[）)])?\\s*[·•]?([${PINYIN}]+)(?![${PINYIN}])\\s*(.*)$`, 'u');
}

// Lines of scraped page that are not explanation: bare Latin fragments of English glosses
// ("mourtian]") and the site's search links.
function isDebris(line) {
  return /^[\x20-\x7e]*$/.test(line) || line.startsWith('搜索与“');
}

// The xinhua explanation of one record: {basic: [{reading, senses}], notes: [line]}.
// isReading(text) gives the reading a head line names, or null when it names none of the
// character's (a record scraped from another character's page).
function explanationBlocks(ch, text, isReading, counts = newCounts()) {
  const lines = String(text || '')
    .split('\n')
    .map((l) => l.replace(/^[\s\u3000]+|[\s\u3000]+$/g, ''))
    .filter(Boolean);
  const head = headPattern(ch);
  const basic = [];
  const notes = [];
  let block = null;
  for (let i = 0; i < lines.length; i++) {
    const l = lines[i];
    const m = head.exec(l);
    let reading = m && SYLLABLE.test(m[1]) ? isReading(m[1]) : null;
    let rest = m ? m[2] : '';
    // (a first line with a bare reading is the record's title: "长  chang")
    let named = Boolean(reading) || Boolean(m && SYLLABLE.test(m[1]) && (block || i > 0 || rest));
    if (!reading && l === ch && i + 1 < lines.length) {
      // head word and reading on lines of their own ("叭" / "bā 1.…")
      const n = new RegExp(`^([${PINYIN}]+)(?![${PINYIN}])\\s*(.*)$`, 'u').exec(lines[i + 1]);
      reading = n ? isReading(n[1]) : null;
      if (reading) {
        rest = n[2];
        named = true;
        i++;
      }
    }
    if (named) {
      // a head line naming no reading of the character starts a block that is left out
      block = { reading, pieces: rest ? numberedPieces(rest) : [] };
      if (reading) basic.push(block);
      else counts.unknownReading++;
    } else if (block) {
      // compounds with their head words ("【车床】…") belong to the word dictionary
      if (!/^\.?【[^】]+】/.test(l)) block.pieces.push(...numberedPieces(l));
    } else if (!(i === 0 && l.startsWith(ch) && !/[。，；]/.test(l)) && !isDebris(l) && l !== ch && l !== '又') {
      // (the record's own title line, "长  chang" or "您〈代〉", repeats the head word)
      notes.push(tidyLine(l));
    }
  }
  return {
    basic: basic.map((b) => ({ reading: b.reading, senses: sensesOf(b.pieces, counts) })).filter((b) => b.senses.length),
    notes: notes.filter(Boolean),
  };
}

// Lines of a common-character entry, nested irregularly (lists inside lists).
function strings(value, out = []) {
  if (typeof value === 'string') out.push(value);
  else if (Array.isArray(value)) value.forEach((v) => strings(v, out));
  else if (value && typeof value === 'object') {
    for (const key of ['details', 'contents', 'explanations']) strings(value[key], out);
  }
  return out;
}

function explanationParts(value, out = []) {
  if (Array.isArray(value)) value.forEach((v) => explanationParts(v, out));
  else if (value && typeof value === 'object') out.push(value);
  return out;
}

const NOTE = /--\s*《|^[(（](形声|会意|象形|指事|字源|本义)|^又如|^如[:：]/;

// The common-character entry: {basic, notes}. Its reading fields are unreliable (重 "chon",
// 还's hái senses under "huan"): a head line among an element's lines ("还（還）hái") names the
// reading its senses belong to; a field naming no reading of the character drops its senses.
function entryBlocks(entry, isReading, counts = newCounts()) {
  const ch = entry.char || '';
  const head = headPattern(ch);
  const basic = [];
  const notes = strings(entry.explanations || []).map(tidyLine).filter(Boolean);
  for (const p of entry.pronunciations || []) {
    const fieldReading = typeof p.pinyin === 'string' ? isReading(p.pinyin) : null;
    for (const part of explanationParts(p.explanations || [])) {
      const details = strings(part.details || []).map((l) => l.trim()).filter((l) => l && !isDebris(l));
      const contents = strings(part.contents || []).map((l) => l.trim()).filter(Boolean);
      let reading = fieldReading;
      const rest = [];
      for (const l of contents) {
        const m = head.exec(l);
        if (m && isReading(m[1]) && !m[2]) reading = isReading(m[1]);
        else rest.push(l);
      }
      // compounds with their head words ("【车床】…") belong to the word dictionary
      const own = rest.filter((l) => !/^【[^】]+】/.test(l));
      let lines = details;
      if (details.length) notes.push(...own.map(tidyLine));
      else if (own.some((l) => NOTE.test(l))) {
        notes.push(...own.map(tidyLine));
        lines = [];
      } else lines = own;
      // a head line among the senses starts the block of the reading it names ("世（丗）shì")
      const runs = [{ reading, lines: [] }];
      for (const l of lines) {
        const m = head.exec(l);
        if (m && !m[2] && isReading(m[1])) runs.push({ reading: isReading(m[1]), lines: [] });
        else runs[runs.length - 1].lines.push(l);
      }
      for (const run of runs) {
        if (!run.reading || !run.lines.length) continue;
        const senses = sensesOf(run.lines.flatMap(numberedPieces), counts);
        const known = basic.find((b) => b.reading === run.reading);
        if (known) known.senses.push(...senses);
        else if (senses.length) basic.push({ reading: run.reading, senses });
      }
    }
  }
  return { basic, notes: notes.filter(Boolean) };
}

function numbered(lines) {
  if (lines.length < 2) return lines;
  return lines.map((l, i) => `${i + 1}.${l}`);
}

function studentDictLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    for (const r of e.readings || []) {
      const senses = (r.senses || []).map((s) => tidyLine(s)).filter(Boolean);
      if (r.pron) out.push(`〔${toSimplified(tidyLine(r.pron))}〕`);
      out.push(...numbered(senses.map(toSimplified)));
    }
  }
  return out.length ? ['【学生字典】', ...out] : [];
}

function shuowenLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    let line = tidyLine(e.explanation || '');
    if (!line) continue;
    if (e.pronunciation) line += `（${tidyLine(e.pronunciation)}）`;
    out.push(toSimplified(line));
  }
  return out.length ? ['【说文解字】', ...out] : [];
}

function guangyunLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    const note = tidyLine(e.note || '');
    if (!note && !e.fanqie) continue;
    out.push(toSimplified((e.fanqie ? `〔${tidyLine(e.fanqie)}〕` : '') + note));
  }
  return out.length ? ['【广韵】', ...out] : [];
}

module.exports = {
  explanationBlocks,
  entryBlocks,
  numberedPieces,
  sensesOf,
  newCounts,
  numbered,
  studentDictLines,
  shuowenLines,
  guangyunLines,
};
