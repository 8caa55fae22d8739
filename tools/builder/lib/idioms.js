'use strict';
// Rows of the idiom table `cy`.
const { initials } = require('./pinyin');
const { explanationText } = require('./words');

const SOURCE_START = /^(\d+[.．])?((?:语出|语本|典出|语见)[\s\S]*)$/;
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
// Only the first line is looked at; null when it does not begin with a source.
function splitSource(explanation) {
  const lines = String(explanation || '').split(/\r?\n/);
  const m = SOURCE_START.exec(lines[0].trim());
  if (!m) return null;
  const prefix = m[1] || '';
  const body = m[2];
  const end = sourceEnd(body);
  if (end < 0) return null;
  const source = body.slice(0, end).trim();
  const rest = body.slice(end).replace(/^[\s◇]+/, '').trim();
  if (!rest) return null;
  return { source, rest: [prefix + rest, ...lines.slice(1)].join('\n') };
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

function buildIdioms(names, { explanations, extra, spells }) {
  const rows = [];
  const counts = { split: 0, extraDerivation: 0, samples: 0, explanationFromExtra: 0 };
  for (const name of names) {
    const x = extra.get(name);
    let text = explanations.get(name);
    if (!text && x && extraField(x.explanation)) {
      text = extraField(x.explanation);
      counts.explanationFromExtra++;
    }
    let derivation = x ? extraField(x.derivation) : '';
    if (derivation) counts.extraDerivation++;
    const split = splitSource(text);
    if (split) {
      counts.split++;
      text = split.rest;
      if (!derivation) derivation = split.source;
    }
    const samples = x ? sampleText(x.example, name) : '';
    if (samples) counts.samples++;
    const spell = spells.spell(name);
    rows.push({ name, spell, pyjm: initials(spell), content: explanationText(text), derivation, samples });
  }
  return { rows, counts };
}

module.exports = { splitSource, sampleText, buildIdioms };
