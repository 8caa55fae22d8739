'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { query } = require('./helpers');
const { csvRows, ipa, explanation, chineseLine } = require('../lib/english');

test('csv: quoted fields keep commas, doubled quotes and line breaks', () => {
  const rows = [...csvRows('a,"b, c","say ""hi""",\r\n"x\ny",,z\r\n')];
  assert.deepEqual(rows, [
    ['a', 'b, c', 'say "hi"', ''],
    ['x\ny', '', 'z'],
  ]);
});

test('phonetics and sense lines', () => {
  const cases = [
    [ipa("kәm'pju:tә"), '[kəmˈpjuːtə]'],
    [ipa(",skrɑ:vən'hɑ:ɡə"), '[ˌskrɑːvənˈhɑːɡə]'],
    [ipa('  '), ''],
    // the source's own scheme: a comma before a space separates two forms, ^ is ɡ, j after a
    // vowel ʊ, backslashes ɜ, ɒ: ɔː, a leading full stop secondary stress, (?@) a lost label
    [ipa('blɑ:st, blæstik'), '[blɑːst, blæstik]'],
    [ipa("'ei'rәjd"), '[ˈeiˈrəʊd]'],
    [ipa("әbajt't\\\\\\\\:n"), '[əbaʊtˈtɜːn]'],
    [ipa("æltәr 'ә^әj; (?@) æltә'i:gәj"), '[æltər ˈəɡəʊ; æltəˈiːɡəʊ]'],
    [ipa("әd'vaizi:. .ædvai'zi:"), '[ədˈvaiziː, ˌædvaiˈziː]'],
    [ipa("'єәriәl"), '[ˈɛəriəl]'],
    [ipa('lɒ:'), '[lɔː]'],
    [ipa("'bɔjə"), '[ˈbɔjə]'], // j before a vowel is the consonant
    [ipa("lɪvd (for v.); 'laɪvd (for adj.)"), '[lɪvd (for v.); ˈlaɪvd (for adj.)]'],
    [chineseLine('n. 苹果, 家伙'), 'n. 苹果，家伙'],
    [chineseLine('vt. 使(马,鹰等)戴头罩, 覆盖'), 'vt. 使(马，鹰等)戴头罩，覆盖'],
    [chineseLine('A; 一个, first'), 'A; 一个, first'],
    [explanation({ phonetic: '', translation: '冰淇淋', definition: '' }), '冰淇淋'],
    [
      explanation({ phonetic: 'iz', translation: 'be的现在式\\r\\n[计] 国际标准', definition: 'v be\\ns. good\\n  more' }),
      '[iz]\r\nbe的现在式\r\nv. be\r\nadj. good more\r\n[计] 国际标准', // subject notes after the general senses
    ],
    // subject notes that are all the Chinese there is stay first; cross-reference stubs go
    [
      explanation({ phonetic: '', translation: 'n. [化] 乙醇', definition: 'n. See Alcohol.\\nn. a liquid. See Spirit.' }),
      'n. [化] 乙醇\r\nn. a liquid. See Spirit.',
    ],
  ];
  for (const [actual, expected] of cases) assert.equal(actual, expected);
});

test('英语单词: real headwords, case kept, phonetics then Chinese then English', () => {
  const row = (w) => query('xhk.db', 'select 解释 from 英语单词 where 单词 = ? collate binary', w).map((r) => r.解释);
  const cases = [
    ['apple', ['[ˈæpl]\r\nn. 苹果，家伙\r\nn. a round fruit\r\n[医] 苹果']],
    ['is', ['[iz]\r\nbe的现在式第三人称\r\nv. have the quality of being']], // ranked only by frequency
    ['March', ['[mɑːtʃ]\r\nn. 三月\r\nn. the third month']],
    ['march', ['[mɑːtʃ]\r\nn. 行进，行军\r\nn. a steady walk']],
    ['the', ['[ðə]\r\nart. 那\r\ndefinite article. A word placed before nouns to limit or individualize their meaning.']],
    ['chopsticks', ['筷子']],
    ['give up', ['放弃，停止']], // phrasal verb on a core word
    ['quixotry', ['[ˈkwɪksətri]\r\nn. 堂吉诃德式的行为\r\nn. quixotic behaviour']],
    ['give in', []], // only a web-collected sense
    ['abacus board', []], // rare phrase
    ['zymurgy', ['[ˈzaiməːdʒi]\r\nn. 酿造学']], // a word with phonetics and a sense
    ['zymase', []], // no phonetics, no rank
    ["'hood", []],
    ['abbr. to  fan3]', []],
    ['ergo', []], // no Chinese
  ];
  for (const [word, expected] of cases) assert.deepEqual(row(word), expected, word);
  const all = query('xhk.db', 'select 单词 from 英语单词').map((r) => r.单词);
  assert.deepEqual(all.slice(0, 4), ['apple', 'be', 'book', 'cat']);
  assert.equal(new Set(all).size, all.length);
  const zh = query('xhk.db', `select 单词 from 英语单词 where 解释 like '%苹果%'`).map((r) => r.单词);
  assert.deepEqual(zh, ['apple']);
});
