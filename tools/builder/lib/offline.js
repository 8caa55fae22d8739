'use strict';
// Files read by the offline pages: stroke paths per character and today-in-history events.
const zlib = require('zlib');

// Stroke data is stored compressed, as the program's reader expects it: the length of the text
// as four bytes, most significant first, then a zlib stream. The paths shrink to less than half.
function packStrokes(json) {
  const text = Buffer.from(json, 'utf8');
  const length = Buffer.alloc(4);
  length.writeUInt32BE(text.length);
  return Buffer.concat([length, zlib.deflateSync(text, { level: 9 })]);
}

function unpackStrokes(packed) {
  const text = zlib.inflateSync(packed.subarray(4));
  if (text.length !== packed.readUInt32BE(0)) throw new Error('stroke data: length does not match');
  return text.toString('utf8');
}

// hanzi-writer records lose their "char" key; the rest is what the stroke-order page draws.
function strokeRows(records) {
  const rows = [];
  const seen = new Set();
  for (const r of records) {
    if (!r.char || seen.has(r.char) || !Array.isArray(r.strokes) || !Array.isArray(r.medians)) continue;
    seen.add(r.char);
    const data = { strokes: r.strokes, medians: r.medians };
    if (Array.isArray(r.radStrokes)) data.radStrokes = r.radStrokes;
    rows.push({ name: r.char, data: packStrokes(JSON.stringify(data)) });
  }
  return rows;
}

// Years as the Chinese pages write them: 1941, and 前221 for 221 BC.
function yearText(year) {
  if (year === undefined || year === null || year === '') return '';
  const n = Number(year);
  if (!Number.isFinite(n)) return String(year);
  return n < 0 ? `前${-n}` : String(n);
}

function chronological(events) {
  return events
    .map((e, i) => ({ e, i, y: e.sortYear }))
    .sort((a, b) => {
      const ay = a.y ?? Infinity;
      const by = b.y ?? Infinity;
      return ay !== by ? ay - by : a.i - b.i;
    })
    .map(({ e }) => ({ year: e.year, text: e.text }));
}

function chineseEvents(list) {
  return (list || [])
    .filter((e) => e && String(e.text || '').trim())
    .map((e) => ({
      year: yearText(e.year),
      text: String(e.text).trim(),
      sortYear: Number.isFinite(Number(e.year)) && e.year !== '' && e.year !== null ? Number(e.year) : undefined,
    }));
}

// English calendar lines carry the year at their end ("…, 1941", "…, 65BC").
function englishEvents(list) {
  return (list || [])
    .filter((e) => e && String(e.text || '').trim())
    .map((e) => {
      let text = String(e.text).trim();
      let year = e.year;
      const bc = /,\s*(\d+)\s*BC$/.exec(text);
      if ((year === undefined || year === null) && bc) year = -Number(bc[1]);
      if (year !== undefined && year !== null) {
        text = text.replace(new RegExp(`,\\s*${Math.abs(year)}\\s*(BC)?$`), '').trim();
      }
      return { year: yearText(year), text, sortYear: year === undefined || year === null ? undefined : Number(year) };
    });
}

// Chinese events where the Chinese file has the day, else the English calendar's lines.
function buildHistory(zh, en) {
  const zhDays = (zh && zh.days) || {};
  const enDays = (en && en.days) || {};
  const keys = [...new Set([...Object.keys(zhDays), ...Object.keys(enDays)])].filter((k) => /^\d\d-\d\d$/.test(k)).sort();
  const out = {};
  const counts = { days: 0, chineseDays: 0, englishDays: 0, events: 0 };
  for (const k of keys) {
    let events = chineseEvents(zhDays[k]);
    if (events.length) counts.chineseDays++;
    else {
      events = englishEvents(enDays[k]);
      if (events.length) counts.englishDays++;
    }
    if (!events.length) continue;
    out[k] = chronological(events);
    counts.days++;
    counts.events += events.length;
  }
  return { history: out, counts };
}

module.exports = { strokeRows, packStrokes, unpackStrokes, buildHistory, yearText };
