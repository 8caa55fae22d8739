'use strict';
// Rows of the character table `hz`, one per character of the character list, in its order.
const { pycode, normalizeSyllables } = require('./pinyin');
const { areacode } = require('./gb2312');
const { RadicalStrokes } = require('./radicals');
const content = require('./charcontent');

const HAN = /\p{Script=Han}/u;

function firstNumber(text) {
  const m = /\d+/.exec(text || '');
  return m ? Number(m[0]) : undefined;
}

// Unihan core table: char -> {rs, total, definition}.
function loadUnihan(src) {
  const map = new Map();
  for (const f of src.tsv('unihan/unihan_core.tsv', { header: true })) {
    if (!f[1]) continue;
    map.set(f[1], { rs: f[2] || '', total: firstNumber(f[3]), definition: (f[9] || '').trim() });
  }
  return map;
}

function loadWubi(src) {
  const map = new Map();
  for (const f of src.tsv('wubi/wubi86_chars.tsv')) {
    const full = (f[1] || '').trim().split(/\s+/)[0];
    if (f[0] && full) map.set(f[0], full);
  }
  return map;
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

class CharacterTable {
  constructor(src, { toTraditional, toSimplified, strokeChars }) {
    this.toTraditional = toTraditional;
    this.toSimplified = toSimplified;
    this.strokeChars = strokeChars;
    this.base = src.jsonLines('mapull/char_base.jsonl').sort((a, b) => a.index - b.index);
    this.modern = new Map(src.json('mapull/char_common_detail.json').map((e) => [e.char, e]));
    this.unihan = loadUnihan(src);
    this.wubi = loadWubi(src);
    this.xszd = multiMap(src.jsonLines('cjkvi-dict/xszd.jsonl'), (e) => [e.char]);
    const shuowen = src.jsonLines('shuowen/shuowen.jsonl');
    this.shuowenHead = multiMap(shuowen, (e) => [e.wordhead]);
    this.shuowenIndex = multiMap(shuowen, (e) => e.indexes || []);
    this.guangyun = multiMap(src.jsonLines('cjkvi-dict/guangyun.jsonl'), (e) => [e.char]);
    const own = new Map(this.base.map((o) => [o.char, o.strokes]));
    this.radicals = new RadicalStrokes((ch) => own.get(ch) ?? this.unihan.get(ch)?.total);
    this.sources = { modern: 0, studentDict: 0, shuowen: 0, guangyun: 0, english: 0, summary: 0 };
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

  contentOf(o, spell) {
    const ch = o.char;
    const fixSpell = normalizeSyllables;
    if (this.modern.has(ch)) {
      const lines = content.modernContent(this.modern.get(ch), fixSpell);
      if (lines.length) {
        this.sources.modern++;
        return lines.join('\r\n');
      }
    }
    const keys = this.lookupKeys(ch, o.traditional);
    const s = this.toSimplified;
    const student = content.studentDictLines(this.firstHit(this.xszd, keys), s);
    let sw = this.firstHit(this.shuowenHead, keys);
    if (!sw.length) sw = this.firstHit(this.shuowenIndex, keys);
    const shuowen = content.shuowenLines(sw, s);
    const guangyun = content.guangyunLines(this.firstHit(this.guangyun, keys), s);
    if (student.length) this.sources.studentDict++;
    if (shuowen.length) this.sources.shuowen++;
    if (guangyun.length) this.sources.guangyun++;
    const lines = [...student, ...shuowen, ...guangyun];
    if (lines.length) return lines.join('\r\n');
    const def = this.unihan.get(ch)?.definition;
    if (def) {
      this.sources.english++;
      return `【英文释义】\r\n${def}`;
    }
    // No explanation anywhere: still tell what is known of the character.
    this.sources.summary++;
    return `【字形】\r\n读音：${spell}\r\n部首：${o.radicals}\r\n笔画：${o.strokes}`;
  }

  strokeFields(o) {
    const radical = o.radicals || '';
    const radStrokes = radical ? this.radicals.actual(radical) : undefined;
    const uni = this.unihan.get(o.char);
    let strokes = o.strokes;
    // A total below the radical's own count is a slip in the list; Unihan's count repairs it.
    if (radStrokes !== undefined && strokes < radStrokes && uni?.total > strokes) strokes = uni.total;
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

  *rows() {
    for (const o of this.base) {
      const readings = (o.pinyin || []).map(normalizeSyllables).filter(Boolean);
      const spell = readings.join(',');
      const trad = o.traditional || this.toTraditional(o.char) || o.char;
      yield {
        name: o.char,
        oldname: trad,
        spell,
        part: o.radicals || '',
        ...this.strokeFields(o),
        wbcode: this.wubi.get(o.char) || '',
        areacode: areacode(o.char),
        pycode: pycode(readings),
        content: this.contentOf(o, spell),
        url: this.strokeChars.has(o.char) ? 'swf' : '',
      };
    }
  }
}

module.exports = { CharacterTable };
