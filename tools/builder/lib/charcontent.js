'use strict';
// The explanation shown for a character: the modern dictionary text where we have it, else
// the classical dictionaries (converted to simplified script), else the English gloss.

function numbered(lines) {
  if (lines.length < 2) return lines;
  return lines.map((l, i) => (/^\d+[.．]/.test(l) ? l : `${i + 1}.${l}`));
}

function clean(line) {
  return String(line).replace(/\s+$/g, '').replace(/^\s+/g, '');
}

// The modern entries nest their lines irregularly (lists inside lists, readings inside
// readings); gather every line in document order.
function collectLines(value, headerOf, out = []) {
  if (typeof value === 'string') {
    if (clean(value)) out.push(clean(value));
  } else if (Array.isArray(value)) {
    for (const v of value) collectLines(v, headerOf, out);
  } else if (value && typeof value === 'object') {
    // The scrape left fragments of English glosses where a reading belongs (京 "ourtia");
    // only a real reading of the character becomes a header.
    const reading = typeof value.pinyin === 'string' ? headerOf(value.pinyin) : null;
    if (reading) out.push(`〔${reading}〕`);
    collectLines(value.details, headerOf, out);
    collectLines(value.contents, headerOf, out);
    collectLines(value.explanations, headerOf, out);
  }
  return out;
}

const PINYIN_LETTERS = 'a-zA-Zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜɡ';

// Leftovers of the scraped page layout: sense numbers with nothing after them ("5."), lone
// symbols ("<"), and the head lines of an embedded entry ("涡（渦）guō"), which become a
// reading header when the reading is real.
function tidy(ch, lines, headerOf) {
  const esc = ch.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const headLine = new RegExp(`^${esc}(?:[（(][^）)]*[）)])?\\s*([${PINYIN_LETTERS}]+)$`, 'u');
  const out = [];
  for (const l of lines) {
    if (/^\d+[.．]$/.test(l) || /^[\x21-\x7e]{1,2}$/.test(l)) continue;
    const m = headLine.exec(l);
    if (m) {
      const reading = headerOf(m[1]);
      if (reading && out[out.length - 1] !== `〔${reading}〕`) out.push(`〔${reading}〕`);
      continue;
    }
    out.push(l);
  }
  return out;
}

// Modern explanation: basic senses per reading, then the detailed notes.
function modernContent(entry, headerOf) {
  const out = [];
  const basic = tidy(entry.char || '', collectLines(entry.pronunciations || [], headerOf), headerOf);
  if (basic.some((l) => !l.startsWith('〔'))) out.push('【基本解释】', ...basic);
  const detail = tidy(entry.char || '', collectLines(entry.explanations || [], headerOf), headerOf);
  if (detail.length) out.push('【详细解释】', ...detail);
  return out;
}

// Numbered senses of the xinhua entries: "⒈…⒉…" or "1.… 2.…" on one line -> one line each.
const CIRCLED = /[\u2488-\u249b]/g;
function senseLines(text) {
  const t = text.replace(CIRCLED, (c) => ` ${c.charCodeAt(0) - 0x2487}.`);
  return t
    .split(/\s+(?=\d+[.．])/)
    .map(clean)
    .filter((l) => l && !/^\d+[.．]$/.test(l));
}

// Lines of a scraped page that are not explanation: bare Latin fragments of English glosses
// ("mourtian]") and the site's search links.
function isDebris(line) {
  return /^[\x20-\x7e]*$/.test(line) || line.startsWith('搜索与“');
}

// Modern explanation from the xinhua character records (one record per reading). Each record
// holds the detailed notes first, then the basic senses after a line "字pīnyīn…";
// readingOf(pinyin) gives the checked reading, or null: such a record was scraped from
// another character's page (豻 "zhì 爵位的次第") and is left out.
function xinhuaContent(ch, records, readingOf) {
  const basic = [];
  const detail = [];
  const esc = ch.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const head = new RegExp(`^${esc}(?:[（(][^）)]*[）)])?\\s*([a-zA-Zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜɡ]+)\\s*(.*)$`, 'u');
  for (const rec of records) {
    const lines = String(rec.explanation || '').split('\n').map(clean).filter(Boolean);
    // The record's pinyin field is unreliable (您 "ní"); the reading its basic part is headed
    // with must be one of the character's checked readings.
    let at = -1;
    let reading = null;
    let first = '';
    for (let i = lines.length - 1; i >= 0 && at < 0; i--) {
      const m = head.exec(lines[i]);
      if (m) {
        reading = readingOf(m[1]);
        first = m[2];
      } else if (lines[i] === ch && i + 1 < lines.length) {
        // Head word and reading on lines of their own ("叭" / "bā 1.…").
        const n = /^([a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜɡ]+)\s*(.*)$/u.exec(lines[i + 1]);
        reading = n ? readingOf(n[1]) : null;
        first = n ? n[2] : '';
        if (reading) lines.splice(i + 1, 1);
      } else reading = null;
      if (reading) at = i;
    }
    let notes = lines;
    if (at >= 0) {
      const senses = [...senseLines(first), ...lines.slice(at + 1).flatMap(senseLines)].filter((l) => !isDebris(l));
      if (senses.length) basic.push(`〔${reading}〕`, ...senses);
      notes = lines.slice(0, at);
    } else if (!readingOf(rec.pinyin)) continue;
    for (const l of notes) {
      // The record's own title line ("长  chang", "您〈代〉") repeats the head word.
      if (l.startsWith(ch) && l.length <= ch.length + 12 && !/[。，；]/.test(l)) continue;
      if (!isDebris(l)) detail.push(l);
    }
  }
  const senses = tidy(ch, basic, readingOf);
  const notes = tidy(ch, detail, readingOf);
  return [...(senses.length ? ['【基本解释】', ...senses] : []), ...(notes.length ? ['【详细解释】', ...notes] : [])];
}

function studentDictLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    for (const r of e.readings || []) {
      const senses = (r.senses || []).map(clean).filter(Boolean);
      if (r.pron) out.push(`〔${toSimplified(clean(r.pron))}〕`);
      out.push(...numbered(senses.map(toSimplified)));
    }
  }
  return out.length ? ['【学生字典】', ...out] : [];
}

function shuowenLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    let line = clean(e.explanation || '');
    if (!line) continue;
    if (e.pronunciation) line += `（${clean(e.pronunciation)}）`;
    out.push(toSimplified(line));
  }
  return out.length ? ['【说文解字】', ...out] : [];
}

function guangyunLines(entries, toSimplified) {
  const out = [];
  for (const e of entries) {
    const note = clean(e.note || '');
    if (!note && !e.fanqie) continue;
    out.push(toSimplified((e.fanqie ? `〔${clean(e.fanqie)}〕` : '') + note));
  }
  return out.length ? ['【广韵】', ...out] : [];
}

module.exports = { modernContent, xinhuaContent, senseLines, studentDictLines, shuowenLines, guangyunLines };
