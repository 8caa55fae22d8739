'use strict';
// Rows of the idiom table `cy`.
const { initials, citationTones, normalizeSyllables } = require('./pinyin');
const { explanationText, withoutSelfReferences } = require('./words');
const { moedictLines } = require('./moedict');
const { damaged } = require('./clean');

const SOURCE_START = /^(\d+[.．])?((?:语出|语本|典出|语见)[\s\S]*)$/;
// A source named inside the text, after a sentence or the lozenge the sources use as a break.
const SOURCE_INSIDE = /(^|[。；◇])((?:语出|语本|典出|语见)《)/;
// Text between two quotations that only introduces the next one (又《易．履》, 何晏集解引郑玄曰).
const LEADS_TO_QUOTE = /^[^。；;]{0,40}(曰|云|注|笺|疏|说|》)$/;

// Where a quotation closes and the source part ends; -1 when the text gives no clear end.
function sourceEnd(body) {
  const titleEnd = body.indexOf('》');
  if (titleEnd < 0 || titleEnd > 60) return -1;
  if (body[titleEnd + 1] === '。') return titleEnd + 2;
  let inAscii = false;
  let depth = 0;
  for (let j = titleEnd + 1; j < body.length; j++) {
    const c = body[j];
    let closed = false;
    if (c === '"') {
      inAscii = !inAscii;
      closed = !inAscii;
    } else if (c === '“') {
      depth++;
    } else if (c === '”') {
      if (depth > 0) depth--;
      closed = depth === 0 && !inAscii;
    }
    if (!closed) continue;
    const next = body.slice(j + 1);
    const open = next.search(/["“]/);
    if (open >= 0 && LEADS_TO_QUOTE.test(next.slice(0, open))) continue;
    return j + 1;
  }
  return -1;
}

// "1.语出《孟子》"……"后以"X"谓……" -> source 语出《孟子》"……", rest "1.后以"X"谓……".
// A source may also stand later in a line (……。语出《庄子》"……"); null when no line has one.
function splitSource(explanation) {
  const lines = String(explanation || '').split(/\r?\n/);
  for (let i = 0; i < lines.length; i++) {
    const line = lines[i].trim();
    let before;
    let body;
    let prefix = '';
    const m = SOURCE_START.exec(line);
    if (m) {
      prefix = m[1] || '';
      before = '';
      body = m[2];
    } else {
      const inside = SOURCE_INSIDE.exec(line);
      if (!inside) continue;
      const at = inside.index + inside[1].length;
      before = line.slice(0, at).replace(/◇$/, '');
      body = line.slice(at);
    }
    const end = sourceEnd(body);
    if (end < 0) continue;
    const source = body.slice(0, end).trim();
    const after = body.slice(end).replace(/^[\s◇]+/, '').trim();
    const rest = (before ? before + after : prefix + after).trim();
    if (!rest && !lines.some((l, j) => j !== i && l.trim())) return null;
    const kept = lines.slice();
    if (rest) kept[i] = before ? rest : prefix + after;
    else kept.splice(i, 1);
    return { source, rest: kept.join('\n') };
  }
  return null;
}

const PLACEHOLDER = '无';

function extraField(value) {
  const v = String(value || '').trim();
  return v === PLACEHOLDER ? '' : v;
}

// Examples write the idiom as "～" and put the work after "★".
function sampleText(example, name) {
  const v = extraField(example);
  return v.replace(/～/g, name).replace(/★/g, '——');
}

// Readings of the idiom data ("ài shǒu ài jiǎo"), for idioms none of the word lists has.
function xinhuaSpell(name, pinyin) {
  const spell = normalizeSyllables(String(pinyin || '').replace(/\u3000/g, ' '));
  return spell ? citationTones(name, spell) : '';
}

// The idiom data's readings as a word list, for idioms the other lists read badly.
function xinhuaReadings(xinhua) {
  const map = new Map();
  for (const [name, r] of xinhua) {
    const spell = xinhuaSpell(name, r.pinyin);
    if (spell) map.set(name, spell);
  }
  return map;
}

// `names`: the idiom list; `xinhua`: idiom records by name (source, example, reading), which
// also add the idioms the list lacks; `extra`: the older partial copy of the same records.
// An idiom no source explains is left out: `modern(name)` gives modern explanation lines and
// `moedictEntry(name)` the 國語辭典 entry, tried in that order after the idiom data.
function buildIdioms(names, { explanations, xinhua = new Map(), extra = new Map(), spells, modern = () => [], moedictEntry = () => null }) {
  const rows = [];
  const counts = {
    split: 0, derivation: 0, samples: 0, explanationFromXinhua: 0, explanationFromModern: 0, explanationFromMoedict: 0,
    selfReferences: 0, added: 0, readingFromXinhua: 0, unexplained: [],
  };
  const all = [...names];
  const listed = new Set(names);
  for (const name of xinhua.keys()) {
    if (!listed.has(name)) {
      all.push(name);
      counts.added++;
    }
  }
  for (const name of all) {
    const x = xinhua.get(name) || extra.get(name);
    let text = explanations.get(name);
    if (text) {
      const cleaned = withoutSelfReferences(name, text);
      if (cleaned.removed) counts.selfReferences++;
      text = cleaned.text;
    }
    // an explanation that only points to another spelling of the idiom (见“重岩迭嶂”)
    if (text && /^(?:\d+[.．])?\s*见\s*["“][^"”]+["”]\s*[。．.]?$/.test(text.trim()) && x && extraField(x.explanation)) {
      text = '';
    }
    // so does one the scrape damaged (语出苏轼《b036＊…), where the idiom data has it whole
    if (text && damaged(text) && x && extraField(x.explanation) && !damaged(extraField(x.explanation))) text = '';
    if (!text && x && extraField(x.explanation)) {
      text = extraField(x.explanation);
      counts.explanationFromXinhua++;
    }
    if (!text) {
      const lines = modern(name);
      if (lines.length) {
        text = lines.join('\n');
        counts.explanationFromModern++;
      }
    }
    let quoted = '';
    if (!text) {
      const entry = moedictEntry(name);
      if (entry) {
        quoted = moedictLines(entry).join('\r\n');
        counts.explanationFromMoedict++;
      }
    }
    let derivation = x ? extraField(x.derivation) : '';
    if (derivation) counts.derivation++;
    const split = splitSource(text);
    if (split) {
      counts.split++;
      text = split.rest;
      if (!derivation) derivation = split.source;
    }
    const samples = x ? sampleText(x.example, name) : '';
    if (samples) counts.samples++;
    const spell = spells.spell(name);
    if (!listed.has(name) && x && spell === xinhuaSpell(name, x.pinyin)) counts.readingFromXinhua++;
    const content = quoted || explanationText(text);
    if (!content) {
      counts.unexplained.push(name);
      continue;
    }
    rows.push({ name, spell, pyjm: initials(spell), content, derivation, samples });
  }
  return { rows, counts };
}

module.exports = { splitSource, sampleText, buildIdioms, xinhuaReadings };
