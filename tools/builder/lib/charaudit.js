'use strict';
// Counts, on the finished character rows, what a reader would see as broken in an explanation.
// The counts go into the build report; a check outside the builder measures the same on the
// store and must agree.
//   restarted  a section whose sense numbers start again
//   repeated   a reading header written twice in one part
//   missing    a reading of the header without a basic section holding a sense
//   polyheader a polyphone without any header for one of its readings
//   runin      a basic sense glued to its ～ example without the colon
//   extra      a header reading the modern dictionary's field does not list
//   rawbreaks  (every row) a line feed without its carriage return, or a tab
const { firstTilde } = require('./senses');

const HEADER = /^〔(?:旧读 )?([a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜê]+)〕$/u;
const NUMBER = /^(\d+)[.．]/;
const HAN = /\p{Script=Han}/u;

const KINDS = ['restarted', 'repeated', 'missing', 'polyheader', 'runin', 'extra', 'rawbreaks'];

// content -> [{part, sections: [{reading, head, lines}]}]
function partsOf(content) {
  const parts = [];
  let part = null;
  for (const line of content.split('\r\n')) {
    if (/^【.*】$/.test(line)) {
      part = { part: line, sections: [] };
      parts.push(part);
      continue;
    }
    if (!part) {
      part = { part: '', sections: [] };
      parts.push(part);
    }
    const m = HEADER.exec(line);
    if (m) part.sections.push({ reading: m[1], head: line, lines: [] });
    else if (part.sections.length) part.sections[part.sections.length - 1].lines.push(line);
    else part.sections.push({ reading: null, head: '', lines: [line] });
  }
  return parts;
}

function runsIn(line) {
  const text = line.replace(NUMBER, '');
  const p = firstTilde(text);
  return p > 0 && !/[：:]/.test(text.slice(0, p)) && HAN.test(text[p - 1]);
}

// rows: the hz rows; common: the characters audited; listed(ch): the readings of the modern
// dictionary's field, or null. Returns {counts, examples}.
function auditCharacters(rows, common, listed) {
  const counts = Object.fromEntries(KINDS.map((k) => [k, 0]));
  const examples = Object.fromEntries(KINDS.map((k) => [k, []]));
  const hit = (kind, ch) => {
    counts[kind]++;
    if (examples[kind].length < 5) examples[kind].push(ch);
  };
  for (const row of rows) {
    if (/(?<!\r)\n|\t/.test(row.content)) hit('rawbreaks', row.name);
    if (!common.has(row.name)) continue;
    const ch = row.name;
    const readings = row.spell ? row.spell.split(',') : [];
    const parts = partsOf(row.content);
    let restarted = false;
    let repeated = false;
    for (const { sections } of parts) {
      const heads = sections.map((s) => s.head).filter(Boolean);
      if (new Set(heads).size !== heads.length) repeated = true;
      for (const s of sections) {
        let last = 0;
        for (const l of s.lines) {
          const m = NUMBER.exec(l);
          if (!m) continue;
          if (Number(m[1]) <= last) restarted = true;
          last = Number(m[1]);
        }
      }
    }
    const basic = parts.find((p) => p.part === '【基本解释】')?.sections || [];
    const explained = new Set(basic.filter((s) => s.reading && s.lines.some((l) => l.trim())).map((s) => s.reading));
    const headed = new Set(parts.flatMap((p) => p.sections.map((s) => s.reading)).filter(Boolean));
    if (restarted) hit('restarted', ch);
    if (repeated) hit('repeated', ch);
    if (readings.some((r) => !explained.has(r))) hit('missing', ch);
    if (readings.length > 1 && readings.some((r) => !headed.has(r))) hit('polyheader', ch);
    if (basic.some((s) => s.lines.some(runsIn))) hit('runin', ch);
    const field = listed(ch);
    if (field) {
      const bare = new Set(field.map((r) => r.normalize('NFD').replace(/[\u0300-\u036f]/g, '').normalize('NFC')));
      if (readings.some((r) => !field.includes(r) && !(bare.has(r) && r === r.normalize('NFD').replace(/[\u0300-\u036f]/g, '').normalize('NFC')))) {
        hit('extra', ch);
      }
    }
  }
  return { counts, examples };
}

module.exports = { auditCharacters, KINDS };
