'use strict';
// One clean-up pass over the text of every store, and the detectors that count what it is meant
// to remove. The pass runs after the tables are built, so it knows nothing about their meaning:
// it sees text columns line by line.
//
// Text quoted verbatim under a no-derivatives licence sits after PROTECTED_MARK on its own
// line; from there to the end of the value nothing is changed or counted.

const PROTECTED_MARK = '【國語辭典】';

const HAN = /\p{Script=Han}/u;
const HAN_G = '\\p{Script=Han}';

// Small-form punctuation of the scraped sources, written as the ordinary full-width marks.
const SMALL_FORMS = { '﹐': '，', '﹑': '、', '﹔': '；', '﹕': '：', '﹖': '？', '﹗': '！', '﹝': '〔', '﹞': '〕', '﹙': '（', '﹚': '）' };
const SMALL_RE = new RegExp(`[${Object.keys(SMALL_FORMS).join('')}]`, 'g');

// Kinds of damage a reader would see. Each is a pattern over one line of text.
const DAMAGE = {
  // private code numbers the scrape wrote for characters it could not encode (耿fda4４,
  // 语出苏轼《b036＊b037９, 刀(fdd1)部, 亦作"??381d") (never the end of an English word:
  // bottle-feed的; nor a name such as D860, which stands after a comma; nor a formula: (a1b1+)
  scrapeCode: new RegExp(
    `(?<=[${HAN_G}\\uff00-\\uffef》《，。])f[de][0-9a-f]{2}|(?<![A-Za-z-])f[de][0-9a-f]{2}(?=[${HAN_G}\\uff00-\\uffef])|` +
      `(?<=[${HAN_G}《（(“"\\u2170-\\u217f\\uff00-\\uffef])[b-f](?=[0-9a-f]{0,2}[0-9])[0-9a-f]{3}(?![0-9A-Za-z+=*/-])|\\?\\?[0-9a-f]{4}(?![0-9A-Za-z])`,
    'u'
  ),
  // GBK text decoded with the wrong table: box drawing, kana, enclosed numbers, the geta mark,
  // replacement characters and full-width Latin letters glued to Chinese (ｇ铩⒌坂贰)
  mojibake: new RegExp(
    `[\\u2500-\\u257f\\u2474-\\u249b〓¤￠\\ufffd■『』]|(?<=${HAN_G})[\\u3040-\\u30ff](?=${HAN_G})|(?<=${HAN_G})[\\uff21-\\uff3a\\uff41-\\uff5a\\uff10-\\uff19＜＞＠＃]|[\\uff21-\\uff3a\\uff41-\\uff5a＜＞＠＃](?=${HAN_G})`,
    'u'
  ),
  // ASCII symbols standing between Chinese characters (眼_更, 刊@字)
  straySymbol: new RegExp(`(?<=${HAN_G})[_@^\`\\\\|~#$&*]+(?=${HAN_G})|(?<=${HAN_G})[_@^\`\\\\]|[_@^\`\\\\](?=${HAN_G})`, 'u'),
  privateUse: /[\ue000-\uf8ff]/u,
};

function damaged(text) {
  return Object.values(DAMAGE).some((re) => re.test(text));
}

// Sentences that carry damage are left out: the characters lost upstream cannot be recovered,
// and guessing them would print words the sources never had.
function dropDamaged(line, stats, stripOnly) {
  if (!Object.values(DAMAGE).some((re) => re.test(line))) return line;
  if (stripOnly) {
    // nothing would be left: only the damage itself goes
    stats.damagedSentences++;
    let out = line;
    for (let before = null; before !== out; ) {
      before = out;
      for (const re of Object.values(DAMAGE)) out = out.replace(new RegExp(re.source, 'gu'), '');
    }
    return out;
  }
  // a code left alone after the last sentence
  line = line.replace(/(?<=[。；！？”])f[de][0-9a-f]{2}[\uff10-\uff5a]?\s*$/u, '');
  // a sentence keeps the quote marks that close it
  // (a doubled ?? is the scrape's, not the end of a sentence; nor is the ！ that follows a code,
  // garbled with it: 舞《韶d03d！肥保认为…)
  const pieces = line.split(/(?<=[。；！？]|(?<!\?)[!?](?!\?))(?<![0-9a-f]{4}[！？!?])(?![”’])|(?<=[。；！？!?][”’]+)(?![”’])/);
  let kept = '';
  const depth = { '“': 0, '‘': 0 };
  for (const p of pieces) {
    const damaged = Object.values(DAMAGE).some((re) => re.test(p));
    if (!damaged) {
      kept += p;
      for (const c of p) {
        if (c === '“' || c === '‘') depth[c]++;
        else if (c === '”' && depth['“'] > 0) depth['“']--;
        else if (c === '’' && depth['‘'] > 0) depth['‘']--;
      }
      continue;
    }
    stats.damagedSentences++;
    // closing marks of a quotation opened before the dropped sentence stay
    const tail = /[”’]*$/.exec(p)[0];
    for (const c of tail) {
      const open = c === '”' ? '“' : '‘';
      const net = [...p].filter((x) => x === c).length - [...p].filter((x) => x === open).length;
      if (net > 0 && depth[open] > 0) {
        kept += c;
        depth[open]--;
      }
    }
  }
  return kept;
}

// Words that introduce a quotation when the opening mark is lost (宝钗因说道咱们……。”).
const SPEECH = /(说道|问道|笑道|叹道|答道|骂道|喊道|叫道|曰|云)/g;
// Words that introduce a quoted term (又称二次电池” -> 又称“二次电池”).
const NAMING = /(简称|俗称|又称|亦称|也称|统称|合称|通称|总称|或称|旧称|古称|今称|泛称|自称|号称|称为|称作|叫做|叫作|也叫|又叫|亦叫|又名|亦名|也名|别名|名为|译为|意为|意译为|音译为|亦作|也作|又作|或作|写作|同|即|见|参见)/g;
const WINDOW = 12;

function lastEnd(re, seg, limit = seg.length) {
  let end = -1;
  re.lastIndex = 0;
  for (let m; (m = re.exec(seg)); ) if (m.index + m[0].length < limit) end = m.index + m[0].length;
  return end;
}

// Where the lost opening mark of an unmatched ” at `end` belongs, searching back to `start`.
function openingAt(line, start, end, known) {
  const seg = line.slice(start, end);
  const clause = start + seg.search(/[^\s，,。；、]|$/);
  if (/[。！？!?…][’』]*$/.test(seg)) {
    // a quoted sentence: after the book title, a colon or a speech verb, the last of them;
    // a quotation ending in an inner quotation begins at the title or colon
    const colon = Math.max(seg.lastIndexOf('：'), seg.lastIndexOf(':'));
    const titleAt = seg.indexOf('》');
    let title = -1;
    if (titleAt >= 0 && titleAt < seg.length - 1) {
      // a chapter named after the title precedes the quotation (《初刻拍案惊奇》第三十二卷)
      const chapter = /^第[一二三四五六七八九十百千零〇\d]+[卷回章折出篇节段]/.exec(seg.slice(titleAt + 1));
      title = titleAt + 1 + (chapter ? chapter[0].length : 0);
    }
    const nested = /[’』][。！？!?…]?$|[。！？!?…][’』]$/.test(seg);
    // a speech verb followed by an inner quotation belongs to the quoted text
    let speech = nested ? -1 : lastEnd(SPEECH, seg, seg.length - 1);
    if (speech >= 0 && /[‘『“]/.test(seg.slice(speech))) speech = -1;
    const at = Math.max(colon >= 0 ? colon + 1 : -1, title, speech);
    return at >= 0 ? start + at : clause;
  }
  // A quoted term: after a naming word close before the mark, else the longest known word or
  // phrase that ends at the mark, else the clause.
  const naming = lastEnd(NAMING, seg);
  if (naming >= 0 && seg.length - naming <= WINDOW) return start + naming;
  if (known) {
    for (let len = Math.min(seg.length, WINDOW); len >= 2; len--) {
      const w = seg.slice(seg.length - len);
      if (HAN.test(w[0]) && known(w)) return end - len;
    }
  }
  const colon = Math.max(seg.lastIndexOf('：'), seg.lastIndexOf(':'));
  if (colon >= 0 && colon < seg.length - 1) return start + colon + 1;
  const lastPunct = Math.max(...[...'，,、；：'].map((c) => seg.lastIndexOf(c)));
  return lastPunct >= 0 && lastPunct < seg.length - 1 ? start + lastPunct + 1 : clause;
}

// ASCII quotes inside Chinese text with one of them lost become “” and ‘’, so that one rule
// balances them; pairs that are whole stay as the source wrote them.
function curlyQuotes(line) {
  if (!HAN.test(line) || (line.split('"').length - 1) % 2 === 0) return line;
  let open = true;
  let out = line.replace(/"/g, () => {
    const q = open ? '“' : '”';
    open = !open;
    return q;
  });
  let single = true;
  out = out.replace(/(?<=[\p{Script=Han}，。：；！？“”、]|^)'|'(?=[\p{Script=Han}，。：；！？“”、]|$)/gu, () => {
    const q = single ? '‘' : '’';
    single = !single;
    return q;
  });
  return out;
}

// ’ between Latin letters is an apostrophe (Alzheimer’s), not a closing quote.
const APOSTROPHE = /(?<=[A-Za-z])’(?=[A-Za-z])/g;
const APOSTROPHE_STAND_IN = '\u0001';

// Balances one kind of quote mark: a closing mark whose opening was lost gets it back where the
// text shows it began; an opening mark never closed is closed at the end of the line.
function balanceQuotes(line, openMark, closeMark, known, stats) {
  if (!line.includes(openMark) && !line.includes(closeMark)) return line;
  if (closeMark === '’' && line.search(APOSTROPHE) >= 0) {
    const kept = balanceQuotes(line.replace(APOSTROPHE, APOSTROPHE_STAND_IN), openMark, closeMark, known, stats);
    return kept.replaceAll(APOSTROPHE_STAND_IN, '’');
  }
  let out = '';
  let depth = 0;
  let segStart = 0;
  for (const c of line) {
    if (c === openMark) {
      depth++;
      out += c;
      segStart = out.length;
    } else if (c === closeMark) {
      if (depth > 0) {
        depth--;
        out += c;
      } else {
        const at = openingAt(out, segStart, out.length, known);
        if (at >= out.length) {
          stats.quotesDropped++;
        } else {
          out = out.slice(0, at) + openMark + out.slice(at) + c;
          stats.quotesRestored++;
        }
      }
      segStart = out.length;
    } else {
      out += c;
      if (c === '\n') segStart = out.length;
    }
  }
  if (depth > 0) {
    stats.quotesClosed += depth;
    out += closeMark.repeat(depth);
  }
  return out;
}

// Parentheses left without a partner are dropped: the scrape lost one side of them.
function balanceParens(line, open, close, stats) {
  if (!line.includes(open) && !line.includes(close)) return line;
  const chars = [...line];
  const stack = [];
  const drop = new Set();
  chars.forEach((c, i) => {
    if (c === open) stack.push(i);
    else if (c === close) {
      if (stack.length) stack.pop();
      else drop.add(i);
    }
  });
  for (const i of stack) drop.add(i);
  if (!drop.size) return line;
  stats.parensDropped += drop.size;
  return chars.filter((_, i) => !drop.has(i)).join('');
}

// The scrape wrote ◇ where the text had "。后" (派人送回赵国◇因以… -> 派人送回赵国。后因以…).
function lozenge(line, stats) {
  if (!line.includes('◇')) return line;
  stats.lozenges += (line.match(/◇/g) || []).length;
  return line.replace(/(^|[。！？；])?◇/g, (m, end) => (end !== undefined ? `${end}后` : '。后'));
}

// A population larger than the world's lost its decimal point upstream (人口113亿 for 11.3亿);
// where the point belonged cannot be told, so the figure and its year go.
const POPULATION = /[，、；]?[^，、；。]*?人口[约近达为有逾超过共]*(\d+(?:\.\d+)?)亿(?:[(（]\d{4}年[)）])?/g;
function impossibleFigures(line, stats) {
  if (!line.includes('人口')) return line;
  return line.replace(POPULATION, (m, n) => {
    if (Number(n) < WORLD_POPULATION) return m;
    stats.figuresDropped++;
    return '';
  }).replace(/^[，、；]|(?<=[。；])[，、；]/g, '').replace(/。。/g, '。');
}
const WORLD_POPULATION = 80;

function cleanLine(line, known, stats, stripOnly, section) {
  let l = line.replace(SMALL_RE, (c) => SMALL_FORMS[c]);
  // 《广韵》 text has no punctuation: its ？ marks a character the digitisation could not encode,
  // written as editions write a lost character
  if (section === '广韵' && l.includes('？')) {
    stats.lostCharacters += (l.match(/？/g) || []).length;
    l = l.replace(/？/g, '□');
  }
  l = lozenge(l, stats);
  l = impossibleFigures(l, stats);
  // ㄧ (a bopomofo letter) stands where the sources separated examples with a bar.
  l = l.replace(/ㄧ/g, '｜');
  l = curlyQuotes(l);
  l = dropDamaged(l, stats, stripOnly);
  if (!HAN.test(l)) return l;
  // a dropped sentence may have taken one quote of a pair with it
  l = curlyQuotes(l);
  l = balanceQuotes(l, '“', '”', known, stats);
  l = balanceQuotes(l, '‘', '’', known, stats);
  l = balanceParens(l, '（', '）', stats);
  l = balanceParens(l, '(', ')', stats);
  return l;
}

function newStats() {
  return {
    values: 0, damagedSentences: 0, quotesRestored: 0, quotesDropped: 0, quotesClosed: 0, parensDropped: 0,
    lozenges: 0, lostCharacters: 0, figuresDropped: 0,
  };
}

// The section a line belongs to: the last 【…】 heading at the start of a line so far.
const SECTION = /^【([^】]+)】/;

// Cleans one value. `known(text)` tells whether a text is a known word, which places restored
// opening quotes around a quoted word (称其地为中国” -> 称其地为“中国”). A value that would be
// left empty by dropping its damaged sentences loses only the damaged characters instead.
function cleanText(value, known, stats = newStats()) {
  if (typeof value !== 'string' || !value) return value;
  const trial = newStats();
  let cleaned = cleanValue(value, known, trial, false);
  if (!cleaned.trim() && value.trim()) {
    Object.keys(trial).forEach((k) => (trial[k] = 0));
    cleaned = cleanValue(value, known, trial, true);
  }
  for (const k of Object.keys(trial)) stats[k] += trial[k];
  if (cleaned !== value) stats.values++;
  return cleaned;
}

function cleanValue(value, known, stats, stripOnly) {
  const mark = value.indexOf(PROTECTED_MARK);
  const head = mark >= 0 ? value.slice(0, mark) : value;
  const tail = mark >= 0 ? value.slice(mark) : '';
  const parts = head.split(/(\r?\n)/);
  const out = [];
  let dropped = false;
  let section = '';
  for (let i = 0; i < parts.length; i += 2) {
    const heading = SECTION.exec(parts[i]);
    if (heading) section = heading[1];
    const line = cleanLine(parts[i], known, stats, stripOnly, section);
    // a line emptied by the pass goes; a value's own blanks (the "ma " codes) stay
    if (line.trim() || !parts[i].trim()) out.push(line, parts[i + 1] || '');
    else dropped = true;
  }
  let cleaned = out.join('');
  if (dropped) cleaned = cleaned.replace(/(\r?\n)+$/, '');
  if (tail) {
    cleaned = cleaned.replace(/(\r?\n)+$/, '');
    cleaned = cleaned ? `${cleaned}\r\n${tail}` : tail;
  }
  return cleaned;
}

// Counts of every kind of artefact in one value (outside the protected part).
const KINDS = [
  'smallComma', 'bopomofoSeparator', 'scrapeCode', 'mojibake', 'straySymbol', 'privateUse', 'unbalancedQuotes', 'unbalancedParens',
  'lozenge', 'impossibleFigure', 'lostCharacter',
];

// Damage that only one table can carry, mended by that table's builder and counted here.
const LATIN = /[A-Za-z\u00c0-\u024f]/;
// A stress mark with nothing after it to stress: ", " between two phonetics read as ˌ.
const STRESS_GAP = /ˌ(?=[\s,;\])]|$)/;
// The English source's own ASCII scheme: ^ and the Latin g for ɡ, \ for ɜ, є for ɛ, ˊ for ˈ, the Cyrillic ә,
// ɒ: for ɔː, j for ʊ after a vowel (mәjd), @ of a lost label.
const ASCII_SCHEME = /[\^g\\єεˊә@]|ɒː|ɒ:|(?<=[aəeɔo])j(?![aeiouəɑæɔɒʌɪʊɜɛː:])/;
// A sense line with a subject tag ([计], [医], art. [网络]).
const DOMAIN = /^(?:[a-z]+\.\s*)*\[[^\]]{1,4}\]/;
// A definition that only sends the reader elsewhere ("v. i. See Thee.").
const CROSS_REFERENCE = /^(?:[a-z]+\.\s*(?:&\s*[a-z]+\.\s*)?)*See\s+[A-Z][^.;]*\.?$/;

function englishKinds(text) {
  const found = [];
  let lines = String(text || '').split(/\r?\n/).filter((l) => l.trim());
  // the phonetic line: one bracket, nothing after it (a line such as [医] 苹果 is a sense)
  if (lines.length && /^\[[^\]]*\]$/.test(lines[0])) {
    if (STRESS_GAP.test(lines[0])) found.push('stressComma');
    if (ASCII_SCHEME.test(lines[0])) found.push('asciiPhonetic');
    lines = lines.slice(1);
  }
  const general = lines.some((l) => !DOMAIN.test(l) && HAN.test(l));
  const firstDomain = lines.findIndex((l) => DOMAIN.test(l));
  if (general && firstDomain >= 0 && lines.slice(firstDomain).some((l) => !DOMAIN.test(l))) found.push('domainFirst');
  if (lines.some((l) => CROSS_REFERENCE.test(l))) found.push('crossReference');
  return found;
}

const TABLE_KINDS = {
  cy: { emptyExplanation: (row) => !String(row.content || '').trim() },
  xhy: { latinLetters: (row) => LATIN.test(`${row.name}${row.end1}`) },
  mylib: { longSaying: (row) => [...String(row.name || '')].length > LONG_SAYING },
  英语单词: Object.fromEntries(['stressComma', 'asciiPhonetic', 'domainFirst', 'crossReference'].map((k) => [k, (row) => englishKinds(row['解释']).includes(k)])),
};
const LONG_SAYING = 100;

function kindsOf(table) {
  return [...KINDS, ...Object.keys(TABLE_KINDS[table] || {})];
}

function unbalanced(text, open, close) {
  let depth = 0;
  for (const c of close === '’' ? text.replace(APOSTROPHE, '') : text) {
    if (c === open) depth++;
    else if (c === close && --depth < 0) return true;
  }
  return depth !== 0;
}

function artefacts(value) {
  const found = [];
  if (typeof value !== 'string' || !value) return found;
  const mark = value.indexOf(PROTECTED_MARK);
  const text = mark >= 0 ? value.slice(0, mark) : value;
  if (text.includes('﹐')) found.push('smallComma');
  if (text.includes('ㄧ')) found.push('bopomofoSeparator');
  for (const kind of ['scrapeCode', 'mojibake', 'straySymbol', 'privateUse']) {
    if (text.split(/\r?\n/).some((l) => DAMAGE[kind].test(l))) found.push(kind);
  }
  const lines = text.split(/\r?\n/).filter((l) => HAN.test(l));
  if (lines.some((l) => unbalanced(l, '“', '”') || unbalanced(l, '‘', '’') || (l.split('"').length - 1) % 2)) found.push('unbalancedQuotes');
  if (lines.some((l) => unbalanced(l, '（', '）') || unbalanced(l, '(', ')'))) found.push('unbalancedParens');
  if (text.includes('◇')) found.push('lozenge');
  if ([...text.matchAll(/人口[约近达为有逾超过共]*(\d+(?:\.\d+)?)亿/g)].some((m) => Number(m[1]) >= WORLD_POPULATION)) found.push('impossibleFigure');
  let section = '';
  for (const l of text.split(/\r?\n/)) {
    const heading = SECTION.exec(l);
    if (heading) section = heading[1];
    if (section === '广韵' && l.includes('？')) {
      found.push('lostCharacter');
      break;
    }
  }
  return found;
}

// Applies the pass to every text column of every table; returns per-table statistics.
// Columns named in `skip` (`table.column`) hold data that is not prose (stroke paths).
function cleanTables(tables, { known, skip = new Set() } = {}) {
  const report = {};
  for (const [table, rows] of Object.entries(tables)) {
    const stats = newStats();
    for (const row of rows) {
      for (const [col, v] of Object.entries(row)) {
        if (typeof v !== 'string' || skip.has(`${table}.${col}`)) continue;
        row[col] = cleanText(v, known, stats);
      }
    }
    report[table] = stats;
  }
  return report;
}

// Counts, per kind, the rows of `table` that still carry an artefact; `skip` names columns
// holding data rather than text.
function countArtefacts(rows, { table = '', skip = [] } = {}) {
  const kinds = kindsOf(table);
  const counts = Object.fromEntries(kinds.map((k) => [k, 0]));
  const examples = Object.fromEntries(kinds.map((k) => [k, []]));
  const own = Object.entries(TABLE_KINDS[table] || {});
  for (const row of rows) {
    const found = new Set();
    for (const [col, v] of Object.entries(row)) {
      if (skip.includes(col)) continue;
      for (const k of artefacts(v)) found.add(k);
    }
    for (const [k, detect] of own) if (detect(row)) found.add(k);
    for (const k of found) {
      counts[k]++;
      if (examples[k].length < 3) examples[k].push(String(Object.values(row).find((v) => typeof v === 'string')).slice(0, 20));
    }
  }
  return { counts, examples };
}

module.exports = { damaged, PROTECTED_MARK, KINDS, kindsOf, englishKinds, ASCII_SCHEME, DOMAIN, CROSS_REFERENCE, LONG_SAYING, cleanText, cleanTables, artefacts, countArtefacts, balanceQuotes, curlyQuotes, newStats };
