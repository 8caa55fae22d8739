'use strict';
// Reads the data sets and produces the rows of every store plus the history file.
const path = require('path');
const OpenCC = require('opencc-js');
const { Source } = require('./source');
const { parseWordList, parseAllReadings, SpellLookup } = require('./pinyin');
const { CharacterTable } = require('./characters');
const { buildWords, latinHeadwords, parseStartupWords, frequentWords, englishGlosses } = require('./words');
const { buildIdioms } = require('./idioms');
const { buildXiehouyu } = require('./xiehouyu');
const { indexMoedict, entryFor, syllabicEr } = require('./moedict');
const { cleanTables } = require('./clean');
const { buildSayings, classicBooks } = require('./sayings');
const { ecdictEntries, buildEnglish } = require('./english');
const { strokeRows, buildHistory } = require('./offline');

const STARTUP_FILE = path.join(__dirname, '..', 'startup-words.txt');
const PINYIN_DIR = 'pinyin/phrase-pinyin-data';
// How many of the most frequent words must be in the word table when any source explains them.
const FREQUENT_WORDS = 20000;

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
  notes.push(
    ...chars.sourceNotes(),
    `hz checked against Unihan/OpenCC: readings changed ${chars.readings.counts.changed} (${chars.readings.counts.dropped} unconfirmed dropped), ` +
      `strokes ${chars.fixes.strokes}, radicals ${chars.fixes.radical}, traditional forms ${chars.fixes.traditional}`
  );

  const lists = ['overwrite.txt', 'pinyin.txt', 'cc_cedict.txt', 'zdic_cybs.txt'].map((f) =>
    parseWordList(src.textOr(`${PINYIN_DIR}/${f}`, ''))
  );
  const idiomList = lists[3];

  const moedict = indexMoedict(src.has('moedict/revised_dict.jsonl') ? src.jsonLines('moedict/revised_dict.jsonl') : []);
  const moedictEntry = (word) => entryFor(moedict, word, toTraditional(word));
  const spellOptions = {
    syllabicEr: (word) => syllabicEr(moedictEntry(word)),
    neutral: parseAllReadings(src.textOr(`${PINYIN_DIR}/cc_cedict.txt`, '')),
  };
  const wordSpells = new SpellLookup(lists, spellOptions);
  const startup = parseStartupWords(startupText);
  const frequent = src.has('frequency/jieba_dict.txt') ? frequentWords(src.text('frequency/jieba_dict.txt'), FREQUENT_WORDS) : [];
  const words = buildWords(src.jsonLines('cnchar/word_explanations.jsonl'), {
    latinWords: latinHeadwords(src),
    startup,
    spells: wordSpells,
    toTraditional,
    moedictEntry,
    english: src.has('english/cc_cedict.tsv') ? englishGlosses(src.tsv('english/cc_cedict.tsv', { header: true })) : new Map(),
    frequent,
  });
  const wc = words.counts;
  notes.push(`dict: dropped ${words.dropped.length} garbled keys: ${words.dropped.join(' ')}`);
  notes.push(`dict spell: from word lists ${wordSpells.counts.list}, generated ${wordSpells.counts.generated}`);
  notes.push(
    `dict: of the ${frequent.length} most frequent words, ${wc.moedict} added with the 國語辭典 text, ${wc.englishOnly} with ` +
      `an English gloss only, ${wc.frequentMissing} explained by no source; self-references: ${wc.selfReferences} words, ` +
      `${wc.selfReferenceReplaced} replaced by the 國語辭典 text, ${wc.selfReferenceDropped} dropped (no other explanation)`
  );
  if (words.missingStartup.length) notes.push(`dict: start-up words missing from the data: ${words.missingStartup.join(' ')}`);

  const extra = new Map();
  if (src.has('idiom-extra/xinhua_idiom_partial.jsonl')) {
    for (const r of src.jsonLines('idiom-extra/xinhua_idiom_partial.jsonl')) if (!extra.has(r.word)) extra.set(r.word, r);
  }
  const xinhua = new Map();
  if (src.has('xinhua/idiom.jsonl')) {
    for (const r of src.jsonLines('xinhua/idiom.jsonl')) if (!xinhua.has(r.word)) xinhua.set(r.word, r);
  }
  const idiomSpells = new SpellLookup(lists, spellOptions);
  const idioms = buildIdioms([...idiomList.keys()], { explanations: words.explanations, xinhua, extra, spells: idiomSpells });
  const c = idioms.counts;
  notes.push(
    `cy: ${c.added} idioms added from the xinhua idiom data; source moved out of the explanation ${c.split}; ` +
      `derivation from the idiom data ${c.derivation}; samples ${c.samples}; explanation taken from the idiom data ` +
      `${c.explanationFromXinhua}; self-references removed ${c.selfReferences}; reading from the idiom data ${c.readingFromXinhua}`
  );

  const xiehouyu = buildXiehouyu(src.json('xinhua/xiehouyu.json'));
  const xhy = xiehouyu.rows;
  if (xiehouyu.rejoined.length) {
    notes.push(
      `xhy: ${xiehouyu.rejoined.length} pairs split inside a pinyin gloss, their answers lost upstream, left out: ` +
        xiehouyu.rejoined.slice(0, 5).join(' / ') + (xiehouyu.rejoined.length > 5 ? ' …' : '')
    );
  }

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

  const tables = { hz, dict: words.rows, cy: idioms.rows, xhy, 英语单词: english.rows, mylib: sayings.rows, strokes };
  // Restored opening quotes go around a known word: the words and idioms are the known ones.
  const known = new Set([...words.rows.map((r) => r.word), ...idioms.rows.map((r) => r.name)]);
  const cleaning = cleanTables(tables, { known: (w) => known.has(w), skip: new Set(['strokes.data', 'strokes.name']) });
  for (const [table, st] of Object.entries(cleaning)) {
    if (!st.values) continue;
    notes.push(
      `clean-up ${table}: ${st.values} values changed; damaged sentences left out ${st.damagedSentences}; opening quotes ` +
        `restored ${st.quotesRestored}, stray closing quotes dropped ${st.quotesDropped}, quotes closed ${st.quotesClosed}; ` +
        `unpaired parentheses dropped ${st.parensDropped}`
    );
  }
  notes.push(chars.auditNote(tables.hz));
  // An English entry is there for its Chinese: one whose only Chinese line was damage goes.
  const englishRows = tables['英语单词'].length;
  tables['英语单词'] = tables['英语单词'].filter((r) => /\p{Script=Han}/u.test(r['解释']));
  if (tables['英语单词'].length < englishRows) {
    notes.push(`英语单词: ${englishRows - tables['英语单词'].length} entries left without Chinese by the clean-up, left out`);
  }

  tables.parts = require('./parts').partRows(src, src.textOr('frequency/jieba_dict.txt', ''));
  return { tables, history: history.history, notes };
}

module.exports = { collect, STARTUP_FILE };
