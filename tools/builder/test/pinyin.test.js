'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { pycode, initials, citationTones, parseWordList, SpellLookup, toneless, finalEr, withNeutralTones, parseAllReadings, markTones, cedictReadings } = require('../lib/pinyin');

test('pycode: each distinct toneless reading followed by one blank', () => {
  const cases = [
    [['mā'], 'ma '],
    [['ma', 'má', 'mǎ'], 'ma '],
    [['xíng', 'háng', 'hàng', 'héng'], 'xing hang heng '],
    [['lǜ', 'lù'], 'lv lu '],
    [['nǚ'], 'nv '],
    [['bīnɡ'], 'bing '], // Latin small script g in the source
    [['ê̄'], 'e '],
    [[], ''],
  ];
  for (const [readings, expected] of cases) assert.equal(pycode(readings), expected, readings.join(','));
});

test('initials: first letter of every syllable', () => {
  const cases = [
    ['qiān fāng bǎi jì', 'qfbj'],
    ['chéng qiān shàng wàn', 'cqsw'],
    ['ài bù shì shǒu', 'abss'],
    ['lǜ lín hǎo hàn', 'llhh'],
    ['yī rén dé dào, jī quǎn shēng tiān', 'yrddjqst'],
    ['ā Q', 'aq'],
  ];
  for (const [spell, expected] of cases) assert.equal(initials(spell), expected, spell);
});

test('citation tones of 一 and 不 are restored only where syllables line up', () => {
  const cases = [
    ['一心一意', 'yì xīn yí yì', 'yī xīn yī yì'],
    ['不对', 'bú duì', 'bù duì'],
    ['一下', 'yí xià', 'yī xià'],
    ['差不多', 'chà bu duō', 'chà bu duō'],
    ['一丁点儿', 'yì dīng diǎn er', 'yī dīng diǎn er'],
    ['一点儿', 'yì diǎnr', 'yì diǎnr'], // two syllables for three characters: left alone
  ];
  for (const [word, spell, expected] of cases) assert.equal(citationTones(word, spell), expected, word);
});

test('a reading that differs only by neutral tones is preferred', () => {
  const cases = [
    ['tóu fà', ['tóu fa'], 'tóu fa'],
    ['yī fú', ['yī fu'], 'yī fu'],
    ['dì fāng', ['dì fāng', 'dì fang'], 'dì fang'],
    ['jiāo xué', ['jiāo xué', 'jiào xué'], 'jiāo xué'], // another tone is another word
    ['péng you', ['péng yǒu'], 'péng you'],
    ['yī diǎn', ['yī diǎn r'], 'yī diǎn'],
    ['zhī dào', undefined, 'zhī dào'],
    // a neutral first syllable is the word after a verb or a slang sense, not the word itself
    ['chū lái', ['chū lái', 'chu lai'], 'chū lái'],
    ['gè tóu', ['gè tóu', 'ge tóu'], 'gè tóu'],
  ];
  for (const [spell, readings, expected] of cases) assert.equal(withNeutralTones(spell, readings), expected, spell);
  assert.deepEqual([...parseAllReadings('地方: dì fāng\n地方: dì fang # 轻声\n')], [['地方', ['dì fāng', 'dì fang']]]);
});

test('word lists: comments dropped, first line of a word wins, ɡ normalised', () => {
  const map = parseWordList('# header\n朋友: péng you # 轻声\n朋友: péng yǒu\n\n冰: bīnɡ\nbroken line\n');
  assert.deepEqual([...map], [['朋友', 'péng you'], ['冰', 'bīng']]);
  assert.equal(toneless('Lǜ'), 'lv');
});

test('spell lookup: lists in order, then the converter without tone change', () => {
  const spells = new SpellLookup([new Map([['一帆风顺', 'yī fān fēng shùn']]), new Map([['一帆风顺', 'yī fán fēng shùn'], ['一下', 'yí xià']])]);
  assert.equal(spells.spell('一帆风顺'), 'yī fān fēng shùn');
  assert.equal(spells.spell('一下'), 'yī xià');
  assert.equal(spells.spell('不要'), 'bù yào');
  assert.equal(spells.spell('一人得道，鸡犬升天'), 'yī rén dé dào, jī quǎn shēng tiān');
  assert.deepEqual(spells.counts, { list: 2, generated: 2 });
  // a list reading without any tone mark is damage: the next source reads the word
  const toneless = new SpellLookup([new Map([['丹墀', 'dan chi'], ['出来', 'chu lai']]), new Map([['丹墀', 'dān chí']])]);
  assert.equal(toneless.spell('丹墀'), 'dān chí');
  assert.equal(toneless.spell('出来'), 'chū lái');
});

test('CC-CEDICT readings: numbered tones marked, the common word before a name', () => {
  const cases = [
    ['ping2 guo3', 'píng guǒ'],
    ['lu:4 se4', 'lǜ sè'],
    ['nu:3 er2', 'nǚ ér'],
    ['Zhong1 guo2', 'zhōng guó'],
    ['xiu1 gou3', 'xiū gǒu'],
    ['ma1 ma5', 'mā ma'],
    ['yi1 hui4 r5', 'yī huì r'],
  ];
  for (const [numbered, marked] of cases) assert.equal(markTones(numbered), marked, numbered);
  const all = new Map();
  const rows = [
    ['人行', '人行', 'Ren2 hang2', "People's Bank of China"],
    ['人行', '人行', 'ren2 xing2', 'pedestrian'],
    ['個頭', '个头', 'ge4 tou2', 'size'],
    ['個頭', '个头', 'ge5 tou2', 'my ass!'],
    ['投行', '投行', 'tou2 hang2', 'investment bank'],
    ['卡拉OK', '卡拉OK', 'ka3 la1 O K', 'karaoke'],
  ];
  const map = cedictReadings(rows, all);
  assert.deepEqual([...map], [['人行', 'rén xíng'], ['个头', 'gè tóu'], ['投行', 'tóu háng'], ['卡拉OK', 'kǎ lā o k']]);
  assert.deepEqual(all.get('个头'), ['gè tóu', 'ge tóu']);
});

test('a final 儿 read as r joins the syllable before it', () => {
  const cases = [
    // word, spell, what a dictionary says of the 儿 (true: own syllable), expected
    ['一点儿', 'yī diǎn er', undefined, 'yī diǎnr'],
    ['一会儿', 'yī huì ér', false, 'yī huìr'],
    ['哪儿', 'nǎ ér', undefined, 'nǎr'],
    ['小孩儿', 'xiǎo hái er', undefined, 'xiǎo háir'],
    ['女儿', 'nǚ ér', undefined, 'nǚ ér'],
    ['婴儿', 'yīng ér', undefined, 'yīng ér'],
    ['孩儿', 'hái ér', true, 'hái ér'],
    ['混血儿', 'hùn xuè ér', undefined, 'hùn xuè ér'],
    ['儿', 'ér', undefined, 'ér'],
    ['儿子', 'ér zi', undefined, 'ér zi'],
    ['一丁点儿', 'yī dīng diǎnr', undefined, 'yī dīng diǎnr'], // already joined: syllables do not line up
  ];
  for (const [word, spell, syllabic, expected] of cases) assert.equal(finalEr(word, spell, () => syllabic), expected, word);
  const spells = new SpellLookup([new Map(), new Map([['一点儿', 'yī diǎn er'], ['头发', 'tóu fà']])], { neutral: new Map([['头发', ['tóu fa']]]) });
  assert.equal(spells.spell('头发'), 'tóu fa');
  assert.equal(spells.spell('一点儿'), 'yī diǎnr');
  assert.equal(spells.spell('这儿'), 'zhèr'); // generated readings too
});
