'use strict';
// Rows of the character table `hz`, one per character of the character list, in its order.
const { pycode } = require('./pinyin');
const { ReadingChecker, normalize } = require('./readings');
const { areacode } = require('./gb2312');
const { RadicalStrokes } = require('./radicals');
const content = require('./charcontent');
const { EntryBuilder, entryLines } = require('./charentry');
const { auditCharacters, KINDS } = require('./charaudit');

const HAN = /\p{Script=Han}/u;

function firstNumber(text) {
  const m = /\d+/.exec(text || '');
  return m ? Number(m[0]) : undefined;
}

const fromCodepoints = (value) =>
  String(value || '')
    .split(/\s+/)
    .filter((v) => /^U\+[0-9A-F]+$/i.test(v))
    .map((v) => String.fromCodePoint(parseInt(v.slice(2), 16)));

// Unihan core table: char -> {rs, total, readings, traditional, definition}.
function loadUnihan(src) {
  const map = new Map();
  for (const f of src.tsv('unihan/unihan_core.tsv', { header: true })) {
    if (!f[1]) continue;
    map.set(f[1], {
      rs: f[2] || '',
      total: firstNumber(f[3]),
      mandarin: f[4] || '',
      hanyu: f[5] || '',
      xhc: f[6] || '',
      traditional: fromCodepoints(f[7]),
      definition: (f[9] || '').trim(),
    });
  }
  return map;
}

// Kangxi radical number (with ' for the simplified form) -> the radical as an ideograph.
function loadRadicalNumbers(src) {
  const map = new Map();
  for (const line of src.textOr('unihan/CJKRadicals.txt', '').split(/\r?\n/)) {
    const m = /^(\d+'*);\s*[0-9A-F]*;\s*([0-9A-F]+)/i.exec(line);
    if (m) map.set(m[1], String.fromCodePoint(parseInt(m[2], 16)));
  }
  return map;
}

// OpenCC's character table: simplified -> its traditional forms, most common first.
function loadOpenccTable(src) {
  const map = new Map();
  for (const line of src.textOr('opencc/STCharacters.txt', '').split(/\r?\n/)) {
    if (line.startsWith('#')) continue;
    const [key, values] = line.split('\t');
    if (key && values) map.set(key, values.trim().split(/\s+/));
  }
  return map;
}

// "162'.3" -> {number: "162'", residual: 3}; the first value is the one for China. Radical
// forms shorter than their ideograph have a negative residual (王 "96.-1").
function radicalStroke(rs) {
  const m = /^(\d+'*)\.(-?\d+)/.exec(rs || '');
  return m ? { number: m[1], residual: Number(m[2]) } : null;
}

// Radical forms the list uses for characters that do not contain them (离 under 忄, 間 under
// 钅, 閥 under 鬥): where Unihan files the character elsewhere, its radical replaces these.
const MISFILED = new Set([...'忄氵扌亻犭纟讠钅饣礻衤牜鬥']);

function loadWubi(src) {
  const map = new Map();
  for (const f of src.tsv('wubi/wubi86_chars.tsv')) {
    const full = (f[1] || '').trim().split(/\s+/)[0];
    if (f[0] && full) map.set(f[0], full);
  }
  return map;
}

// The frequency list's words with their parts of speech (where an example starts in a sense)
// and the words of the reading lists by how they read each character (膀 páng: 膀胱).
function loadWords(src) {
  const words = new Map();
  const counts = new Map();
  for (const line of src.textOr('frequency/jieba_dict.txt', '').split('\n')) {
    const [word, count, pos] = line.split(' ');
    if (!word) continue;
    words.set(word, pos || '');
    counts.set(word, Number(count) || 0);
  }
  const read = new Map();
  for (const f of ['overwrite.txt', 'pinyin.txt', 'cc_cedict.txt']) {
    for (const line of src.textOr(`pinyin/phrase-pinyin-data/${f}`, '').split('\n')) {
      const m = /^([^#:]+):\s*(.+)$/.exec(line);
      if (!m) continue;
      const chars = [...m[1].trim()];
      const syllables = m[2].trim().split(/\s+/);
      if (chars.length !== syllables.length) continue;
      chars.forEach((c, i) => {
        const key = `${c} ${normalize(syllables[i])}`;
        if (!read.has(key)) read.set(key, new Set());
        read.get(key).add(m[1].trim());
      });
    }
  }
  const wordsRead = (ch, reading) =>
    [...(read.get(`${ch} ${reading}`) || [])]
      .filter((w) => counts.has(w))
      .sort((a, b) => counts.get(b) - counts.get(a) || (a < b ? -1 : 1))
      .slice(0, 3);
  return { words: (w) => words.get(w), wordsRead };
}

function multiMap(items, keysOf) {
  const map = new Map();
  for (const item of items) {
    for (const k of keysOf(item)) {
      if (!k) continue;
      if (!map.has(k)) map.set(k, []);
      const list = map.get(k);
      if (!list.includes(item)) list.push(item);
    }
  }
  return map;
}

const SOURCE_NAMES = {
  more: 'xinhua more (modern blocks)',
  explanation: 'xinhua explanation',
  common: 'common-character entries',
  detail: 'xinhua more (detailed blocks)',
  words: 'words of the reading lists',
};

class CharacterTable {
  constructor(src, { toTraditional, toSimplified, strokeChars }) {
    this.toTraditional = toTraditional;
    this.toSimplified = toSimplified;
    this.strokeChars = strokeChars;
    this.base = src.jsonLines('mapull/char_base.jsonl').sort((a, b) => a.index - b.index);
    this.modern = new Map(src.json('mapull/char_common_detail.json').map((e) => [e.char, e]));
    this.xinhua = multiMap(src.has('xinhua/word.jsonl') ? src.jsonLines('xinhua/word.jsonl') : [], (e) => [e.word]);
    this.unihan = loadUnihan(src);
    this.radicalNumbers = loadRadicalNumbers(src);
    this.opencc = loadOpenccTable(src);
    const polyphone = src.has('mapull/polyphone.json') ? src.json('mapull/polyphone.json') : [];
    this.readings = new ReadingChecker(this.unihan, new Map(polyphone.map((e) => [e.char, e.pinyin || []])));
    this.fixes = { strokes: 0, radical: 0, traditional: 0 };
    this.wubi = loadWubi(src);
    this.xszd = multiMap(src.jsonLines('cjkvi-dict/xszd.jsonl'), (e) => [e.char]);
    const shuowen = src.jsonLines('shuowen/shuowen.jsonl');
    this.shuowenHead = multiMap(shuowen, (e) => [e.wordhead]);
    this.shuowenIndex = multiMap(shuowen, (e) => e.indexes || []);
    this.guangyun = multiMap(src.jsonLines('cjkvi-dict/guangyun.jsonl'), (e) => [e.char]);
    // A radical's own count as the table gives it, so that `sum` adds up with its row.
    const own = new Map(this.base.map((o) => [o.char, this.strokesOf(o)]));
    this.radicals = new RadicalStrokes((ch) => own.get(ch) ?? this.unihan.get(ch)?.total);
    this.sources = { studentDict: 0, shuowen: 0, guangyun: 0, english: 0, summary: 0 };
    this.common = new Set(src.has('mapull/char_common.json') ? src.json('mapull/char_common.json').map((e) => e.char) : []);
    this.entries = new EntryBuilder(loadWords(src));
  }

  // Forms under which the classical dictionaries may file a character: itself first, then
  // its traditional forms.
  lookupKeys(ch, traditional) {
    const keys = [ch];
    for (const t of [...(traditional || ''), ...this.toTraditional(ch)]) if (HAN.test(t) && !keys.includes(t)) keys.push(t);
    return keys;
  }

  firstHit(map, keys) {
    for (const k of keys) if (map.has(k)) return map.get(k);
    return [];
  }

  // Readings in order of preference: the xinhua records' (their first is the everyday
  // reading: 的 de, 么 me), the list's, the modern entry's headers.
  readingsOf(o) {
    const candidates = [];
    for (const r of this.xinhua.get(o.char) || []) candidates.push(r.pinyin);
    candidates.push(...(o.pinyin || []));
    for (const p of this.modern.get(o.char)?.pronunciations || []) if (typeof p.pinyin === 'string') candidates.push(p.pinyin);
    return this.readings.check(o.char, candidates, o.pinyin || []);
  }

  // The modern explanation of a character and the readings its header shows: the standard
  // readings that a source explains, else the checked ones.
  modernEntry(o, checked) {
    const ch = o.char;
    const standard = this.readings.standard(ch);
    const order = standard ? [...checked.filter((r) => standard.includes(r)), ...standard.filter((r) => !checked.includes(r))] : checked;
    const known = this.readings.known(ch);
    for (const r of checked) known.add(r);
    const isReading = (text) => {
      const r = normalize(text);
      return known.has(r) ? r : null;
    };
    const entry = this.entries.build(ch, this.xinhua.get(ch) || [], this.modern.get(ch) || null, { standard: standard && order, order }, isReading);
    const readings = entry?.readings.length ? entry.readings : order;
    return { entry, readings };
  }

  contentOf(o, spell, entry) {
    const ch = o.char;
    const modern = entry ? entryLines(entry) : [];
    // The classical dictionaries follow a modern text only as short as the xinhua senses.
    if (modern.length && (entry.used.has('more') || entry.used.has('common'))) return modern.join('\r\n');
    const keys = this.lookupKeys(ch, o.oldname);
    const s = this.toSimplified;
    const student = content.studentDictLines(this.firstHit(this.xszd, keys), s);
    let sw = this.firstHit(this.shuowenHead, keys);
    if (!sw.length) sw = this.firstHit(this.shuowenIndex, keys);
    const shuowen = content.shuowenLines(sw, s);
    const guangyun = content.guangyunLines(this.firstHit(this.guangyun, keys), s);
    if (student.length) this.sources.studentDict++;
    if (shuowen.length) this.sources.shuowen++;
    if (guangyun.length) this.sources.guangyun++;
    const lines = [...modern, ...student, ...shuowen, ...guangyun];
    if (lines.length) return lines.join('\r\n');
    const def = this.unihan.get(ch)?.definition;
    if (def) {
      this.sources.english++;
      return `【英文释义】\r\n${def}`;
    }
    // No explanation anywhere: still tell what is known of the character.
    this.sources.summary++;
    return `【字形】\r\n读音：${spell || '不详'}\r\n部首：${o.radicals}\r\n笔画：${o.strokes}`;
  }

  // Kangxi number of a character's radical per Unihan, simplified mark dropped ("120'" -> "120").
  kangxiNumber(ch) {
    return radicalStroke(this.unihan.get(ch)?.rs)?.number.replace(/'/g, '');
  }

  // The list's radical, unless Unihan files the character under another one and either the
  // xinhua entry agrees with Unihan (碗 石, not 日) or the list's radical is misfiled.
  radicalOf(o) {
    const listed = o.radicals || '';
    const uni = radicalStroke(this.unihan.get(o.char)?.rs);
    if (!uni) return listed;
    const number = uni.number.replace(/'/g, '');
    const form = this.radicalNumbers.get(uni.number) || this.radicalNumbers.get(number);
    // A radical with more strokes than the character cannot be part of it (龜 under 龝, 鼋
    // under 黽 rather than 黾).
    if (form && listed && this.radicals.actual(listed) > this.strokesOf(o)) return form;
    if (listed && this.kangxiNumber(listed) === number) return listed;
    const xinhua = (this.xinhua.get(o.char) || []).map((r) => r.radicals).find(Boolean);
    if (xinhua && xinhua !== listed && this.kangxiNumber(xinhua) === number) return xinhua;
    if (form && (!listed || MISFILED.has(listed))) return form;
    return listed;
  }

  // Unihan's total where the list disagrees with it (题 12 for 15, 碗 11 for 13).
  strokesOf(o) {
    const total = this.unihan.get(o.char)?.total;
    return total && total !== o.strokes ? total : o.strokes;
  }

  // Traditional forms: OpenCC's first form, its further forms where Unihan confirms them
  // (发 發髮, but not 呆 待), Unihan's variants where OpenCC keeps the character itself (面 麵);
  // else Unihan's variants, else the character. The list's own field is not used: it holds
  // wrong forms (世 乫, 说 説).
  traditionalOf(ch) {
    const unihan = this.unihan.get(ch)?.traditional || [];
    const table = this.opencc.size ? this.opencc.get(ch) : [...this.toTraditional(ch)];
    const forms = [];
    const add = (f) => {
      if (f && !forms.includes(f)) forms.push(f);
    };
    if (table?.length) {
      add(table[0]);
      for (const f of table.slice(1)) if (f === ch || unihan.includes(f)) add(f);
      if (table[0] === ch) unihan.forEach(add);
    } else {
      unihan.forEach(add);
    }
    return forms.length ? forms.join('') : ch;
  }

  strokeFields(o, radical, strokes) {
    const radStrokes = radical ? this.radicals.actual(radical) : undefined;
    const uni = this.unihan.get(o.char);
    let sum = radStrokes !== undefined ? strokes - radStrokes : undefined;
    if (sum === undefined || sum < 0) {
      const residual = /^\d+'*\.(\d+)/.exec(uni?.rs || '');
      sum = residual ? Number(residual[1]) : undefined;
    }
    const group = radical ? this.radicals.searchGroup(radical) : undefined;
    return {
      strokes,
      sum: sum === undefined ? '' : String(sum),
      partstrokes: group === undefined ? '' : String(group),
    };
  }

  // Report lines: what each explanation source supplied and what was rejected or repaired.
  sourceNotes() {
    const e = this.entries;
    const per = (counts) => Object.entries(counts).map(([k, n]) => `${SOURCE_NAMES[k]} ${n}`).join(', ');
    const ex = Object.entries(e.examples).filter(([, v]) => v.length).map(([k, v]) => `${SOURCE_NAMES[k]}: ${v.join(' ')}`);
    const r = e.repairs;
    const s = this.sources;
    return [
      `hz modern explanation, characters supplied per source: ${per(e.supplied)}`,
      `hz modern explanation, characters with a block rejected per source: ${per(e.rejected)}${ex.length ? ` (e.g. ${ex.join('; ')})` : ''}`,
      `hz repairs: lost compound sub-senses dropped ${r.lostCompound}, restarted runs dropped ${r.restarted}, empty sense numbers ` +
        `dropped ${r.emptyNumber}, blocks under no reading of the character dropped ${r.unknownReading}, colons before examples ` +
        `restored ${r.colons}, standard readings no source explains left out of the header ${r.dropped}`,
      `hz classical dictionaries: 学生字典 ${s.studentDict}, 说文解字 ${s.shuowen}, 广韵 ${s.guangyun} (characters having each); ` +
        `English gloss only ${s.english}; reading/radical summary only ${s.summary}`,
    ];
  }

  // The audit of the finished rows (after the clean-up pass) over the common characters.
  auditNote(rows) {
    const { counts, examples } = auditCharacters(rows, this.common, (ch) => this.readings.listed(ch));
    const shown = KINDS.filter((k) => examples[k].length).map((k) => `${k}: ${examples[k].join('')}`);
    return `hz audit: ${KINDS.map((k) => `${k} ${counts[k]}`).join(', ')}${shown.length ? ` (e.g. ${shown.join('; ')})` : ''}`;
  }

  *rows() {
    for (const o of this.base) {
      const { entry, readings } = this.modernEntry(o, this.readingsOf(o));
      const spell = readings.join(',');
      const oldname = this.traditionalOf(o.char);
      const part = this.radicalOf(o);
      const strokes = this.strokesOf(o);
      if (part !== (o.radicals || '')) this.fixes.radical++;
      if (strokes !== o.strokes) this.fixes.strokes++;
      if (oldname !== (o.traditional || o.char)) this.fixes.traditional++;
      yield {
        name: o.char,
        oldname,
        spell,
        part,
        ...this.strokeFields(o, part, strokes),
        wbcode: this.wubi.get(o.char) || '',
        areacode: areacode(o.char),
        pycode: pycode(readings),
        content: this.contentOf({ ...o, oldname, radicals: part, strokes }, spell, entry),
        url: this.strokeChars.has(o.char) ? 'swf' : '',
      };
    }
  }
}

module.exports = { CharacterTable };
