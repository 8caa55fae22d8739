'use strict';
// Reads the data sets and produces the rows of every store plus the history file.
const path = require('path');
const OpenCC = require('opencc-js');
const { Source } = require('./source');
const { parseWordList, SpellLookup } = require('./pinyin');
const { CharacterTable } = require('./characters');
const { buildWords, latinHeadwords, parseStartupWords } = require('./words');
const { buildIdioms } = require('./idioms');
const { buildXiehouyu } = require('./others');
const { buildSayings, classicBooks } = require('./sayings');
const { ecdictEntries, buildEnglish } = require('./english');
const { strokeRows, buildHistory } = require('./offline');

const STARTUP_FILE = path.join(__dirname, '..', 'startup-words.txt');
const PINYIN_DIR = 'pinyin/phrase-pinyin-data';

function converters() {
  const toTw = OpenCC.Converter({ from: 'cn', to: 'tw' });
  const toCn = OpenCC.Converter({ from: 't', to: 'cn' });
  return { toTraditional: (s) => toTw(s), toSimplified: (s) => toCn(s) };
}

function records(json) {
  return Array.isArray(json) ? json : json.records || [];
}

// Returns { tables: {hz: rows, ...}, history, notes } where notes feed the build report.
function collect(sourceDir, startupText) {
  const src = new Source(sourceDir);
  const { toTraditional, toSimplified } = converters();
  const notes = [];

  const strokes = strokeRows(src.jsonLines('hanzi-writer/hanzi-writer-data.jsonl'));
  const strokeChars = new Set(strokes.map((r) => r.name));

  const chars = new CharacterTable(src, { toTraditional, toSimplified, strokeChars });
  const hz = [...chars.rows()];
  const s = chars.sources;
  notes.push(
    `hz content: modern ${s.modern}; 学生字典 ${s.studentDict}, 说文解字 ${s.shuowen}, 广韵 ${s.guangyun} ` +
      `(characters having each); English gloss only ${s.english}; reading/radical summary only ${s.summary}`
  );

  const lists = ['overwrite.txt', 'pinyin.txt', 'cc_cedict.txt', 'zdic_cybs.txt'].map((f) =>
    parseWordList(src.textOr(`${PINYIN_DIR}/${f}`, ''))
  );
  const idiomList = lists[3];

  const wordSpells = new SpellLookup(lists);
  const startup = parseStartupWords(startupText);
  const words = buildWords(src.jsonLines('cnchar/word_explanations.jsonl'), {
    latinWords: latinHeadwords(src),
    startup,
    spells: wordSpells,
    toTraditional,
  });
  notes.push(`dict: dropped ${words.dropped.length} garbled keys: ${words.dropped.join(' ')}`);
  notes.push(`dict spell: from word lists ${wordSpells.counts.list}, generated ${wordSpells.counts.generated}`);
  if (words.missingStartup.length) notes.push(`dict: start-up words missing from the data: ${words.missingStartup.join(' ')}`);

  const extra = new Map();
  if (src.has('idiom-extra/xinhua_idiom_partial.jsonl')) {
    for (const r of src.jsonLines('idiom-extra/xinhua_idiom_partial.jsonl')) if (!extra.has(r.word)) extra.set(r.word, r);
  }
  const idiomSpells = new SpellLookup(lists);
  const idioms = buildIdioms([...idiomList.keys()], { explanations: words.explanations, extra, spells: idiomSpells });
  const c = idioms.counts;
  notes.push(
    `cy: source moved out of the explanation ${c.split}; derivation from idiom-extra ${c.extraDerivation}; ` +
      `samples ${c.samples}; explanation taken from idiom-extra ${c.explanationFromExtra}`
  );

  const xhy = buildXiehouyu(src.json('xinhua/xiehouyu.json'));

  const english = buildEnglish(ecdictEntries(src.text('ecdict/ecdict.csv')));
  const el = english.left;
  notes.push(
    `英语单词: with phonetics ${english.withPhonetic}; left out: rare phrases ${el.rare}, ` +
      `fragments ${el.fragments}, without Chinese ${el.noChinese}`
  );

  const sayings = buildSayings({
    fortunes: records(src.json('sayings/fortunes_zh_attributed.json')),
    hitokoto: records(src.json('sayings/hitokoto_with_author.json')),
    classics: classicBooks(src, toSimplified),
  });
  notes.push(
    `mylib: well-known sayings first ${sayings.famous}; left out: repeated ${sayings.left.duplicates}, ` +
      `unattributed, too long, chat or code ${sayings.left.rejected}`
  );

  const history = buildHistory(
    src.has('history/today_in_history_zh.json') ? src.json('history/today_in_history_zh.json') : {},
    src.has('history/today_in_history_en_bsd_calendar.json') ? src.json('history/today_in_history_en_bsd_calendar.json') : {}
  );
  const h = history.counts;
  notes.push(`history.json: ${h.days} days (${h.chineseDays} Chinese, ${h.englishDays} English only), ${h.events} events`);

  return {
    tables: { hz, dict: words.rows, cy: idioms.rows, xhy, 英语单词: english.rows, mylib: sayings.rows, strokes },
    history: history.history,
    notes,
  };
}

module.exports = { collect, STARTUP_FILE };
