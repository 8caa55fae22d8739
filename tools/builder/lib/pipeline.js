'use strict';
// Reads the data sets and produces the rows of every store plus the history file.
const path = require('path');
const OpenCC = require('opencc-js');
const { Source } = require('./source');
const { parseWordList, parseAllReadings, cedictReadings, SpellLookup } = require('./pinyin');
const { parseCompounds } = require('./compounds');
const { CharacterTable } = require('./characters');
const { buildWords, latinHeadwords, parseStartupWords, frequentWords, englishGlosses, modernLines, MORE_SENSES } = require('./words');
const { buildIdioms, xinhuaReadings } = require('./idioms');
const { buildXiehouyu } = require('./xiehouyu');
const { indexMoedict, entryFor, syllabicEr } = require('./moedict');
const { cleanTables } = require('./clean');
const { buildSayings, classicBooks, clauseSet } = require('./sayings');
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
  notes.push(
    ...chars.sourceNotes(),
    `hz checked against Unihan/OpenCC: readings changed ${chars.readings.counts.changed} (${chars.readings.counts.dropped} unconfirmed dropped), ` +
      `strokes ${chars.fixes.strokes}, radicals ${chars.fixes.radical}, traditional forms ${chars.fixes.traditional}`
  );

  const lists = ['overwrite.txt', 'pinyin.txt', 'cc_cedict.txt', 'zdic_cybs.txt'].map((f) =>
    parseWordList(src.textOr(`${PINYIN_DIR}/${f}`, ''))
  );
  const idiomList = lists[3];
  const cedictRows = src.has('english/cc_cedict.tsv') ? src.tsv('english/cc_cedict.tsv', { header: true }) : [];
  const neutral = parseAllReadings(src.textOr(`${PINYIN_DIR}/cc_cedict.txt`, ''));
  // after the phrase lists: the whole Chinese-English dictionary, then the modern explanations
  const modern = parseCompounds(src.has('xinhua/word.jsonl') ? src.jsonLines('xinhua/word.jsonl') : []);
  const modernSpells = new Map();
  for (const [w, list] of modern) {
    const first = list.find((e) => e.spell);
    if (first) modernSpells.set(w, first.spell);
  }
  lists.push(cedictReadings(cedictRows, neutral), modernSpells);

  const moedict = indexMoedict(src.has('moedict/revised_dict.jsonl') ? src.jsonLines('moedict/revised_dict.jsonl') : []);
  const moedictEntry = (word) => (moedict.has(word) ? entryFor(moedict, word, toTraditional(word)) : null);
  const spellOptions = { syllabicEr: (word) => syllabicEr(moedictEntry(word)), neutral };
  const wordSpells = new SpellLookup(lists, spellOptions);
  const startup = parseStartupWords(startupText);
  const ranked = src.has('frequency/jieba_dict.txt') ? frequentWords(src.text('frequency/jieba_dict.txt')) : [];
  const words = buildWords(src.jsonLines('cnchar/word_explanations.jsonl'), {
    latinWords: latinHeadwords(src),
    startup,
    spells: wordSpells,
    toTraditional,
    moedictEntry,
    english: englishGlosses(cedictRows),
    ranked,
    modern,
  });
  const wc = words.counts;
  notes.push(`dict: dropped ${words.dropped.length} garbled keys: ${words.dropped.join(' ')}`);
  notes.push(`dict spell: from word lists ${wordSpells.counts.list}, generated ${wordSpells.counts.generated}`);
  notes.push(
    `dict: of the ${ranked.length} words the frequency list ranks, ${wc.added} added: ${wc.modern} with a modern explanation, ` +
      `${wc.moedict} with the 國語辭典 text only, ${wc.englishOnly} with an English gloss only; ${wc.rankedMissing} explained by no source; ` +
      `modern senses put before the classical dictionary's (${MORE_SENSES}) ${wc.modernFirst}; self-references: ${wc.selfReferences} words, ` +
      `${wc.selfReferenceReplaced} replaced by the other sources, ${wc.selfReferenceDropped} dropped (no other explanation)`
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
  // idioms the lists read without tones take the idiom data's reading before a generated one
  const idiomSpells = new SpellLookup([...lists, xinhuaReadings(xinhua)], spellOptions);
  const idioms = buildIdioms([...idiomList.keys()], {
    explanations: words.explanations, xinhua, extra, spells: idiomSpells, modern: (name) => modernLines(modern.get(name), idiomSpells.spell(name)), moedictEntry,
  });
  const c = idioms.counts;
  notes.push(
    `cy: ${c.added} idioms added from the xinhua idiom data; source moved out of the explanation ${c.split}; ` +
      `derivation from the idiom data ${c.derivation}; samples ${c.samples}; explanation taken from the idiom data ` +
      `${c.explanationFromXinhua}, from the modern explanations ${c.explanationFromModern}, from the 國語辭典 ${c.explanationFromMoedict}; ` +
      `self-references removed ${c.selfReferences}; reading from the idiom data ${c.readingFromXinhua}; ` +
      `left out without any explanation ${c.unexplained.length}` + (c.unexplained.length ? ` (e.g. ${c.unexplained.slice(0, 8).join(' ')})` : '')
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

  // the lines of a poem the dictionaries quote are its famous ones
  const quotedClauses = clauseSet([
    ...words.rows.map((r) => r.content),
    ...idioms.rows.flatMap((r) => [r.content, r.derivation, r.samples]),
    ...hz.map((r) => r.content),
  ]);
  const sayings = buildSayings({
    fortunes: records(src.json('sayings/fortunes_zh_attributed.json')),
    hitokoto: records(src.json('sayings/hitokoto_with_author.json')),
    classics: classicBooks(src, toSimplified),
    quoted: (clause) => quotedClauses.has(clause),
  });
  notes.push(
    `mylib: well-known sayings first ${sayings.famous}; whole poems and chapters cut to their quoted lines ${sayings.left.cut}, ` +
      `left out with no quoted line ${sayings.left.long}; left out: repeated ${sayings.left.duplicates}, ` +
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
        `unpaired parentheses dropped ${st.parensDropped}; ◇ read as 。后 ${st.lozenges}; lost characters marked □ ${st.lostCharacters}; ` +
        `impossible figures dropped ${st.figuresDropped}`
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
