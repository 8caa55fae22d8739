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
function collectLines(value, fixSpell, out = []) {
  if (typeof value === 'string') {
    if (clean(value)) out.push(clean(value));
  } else if (Array.isArray(value)) {
    for (const v of value) collectLines(v, fixSpell, out);
  } else if (value && typeof value === 'object') {
    if (typeof value.pinyin === 'string' && clean(value.pinyin)) out.push(`〔${fixSpell(value.pinyin)}〕`);
    collectLines(value.details, fixSpell, out);
    collectLines(value.contents, fixSpell, out);
    collectLines(value.explanations, fixSpell, out);
  }
  return out;
}

// Modern explanation: basic senses per reading, then the detailed notes.
function modernContent(entry, fixSpell) {
  const out = [];
  const basic = collectLines(entry.pronunciations || [], fixSpell);
  if (basic.some((l) => !l.startsWith('〔'))) out.push('【基本解释】', ...basic);
  const detail = collectLines(entry.explanations || [], fixSpell);
  if (detail.length) out.push('【详细解释】', ...detail);
  return out;
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

module.exports = { modernContent, studentDictLines, shuowenLines, guangyunLines };
