'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { parseCompounds, syllables, wide } = require('../lib/compounds');

const MORE = [
  '时 shi 部首 日 部首笔画 04 总笔画 07  时',
  'days； hour；',
  '时', 'shí', '(1)', '(形声。本义季度)', '(2)', '同本义 [season]',
  '时常', 'shícháng', '[often; frequently] 常常;经常', '他时常到村口去看。--《孟姜女》',
  '时间', 'shíjiān', '(1)', '[time]', '(2)', '时钟上的具体的分、小时;准确的时刻', '时间是半夜', '现在是什么时间了',
  '(3)', '[a moment]∶极短的时间', '一时间性情上疏散', '时1', '（蘯）',
  '时令', 'shílìng', '(1)', '[season]∶季节;节令', '(2)', '[seasonal disease] [方]∶时令病', '闹时令',
  '时乖命蹇', 'shíguāi－mìngjiǎn', '[with fate adverse] 指时运不顺', '早是抱闲怨,时乖运蹇!',
  '时', 'shí　ㄕˊ', '～代。～间。', '郑码kzu，u65f6',
  '时不时', 'shíbushí', '[from time to time] 时常', // after the closing lines: not a compound entry
].join('\n');

test('compound entries: senses numbered, gloss and scraps out, labels and punctuation as written elsewhere', () => {
  const entries = parseCompounds([{ word: '时', more: MORE }]);
  assert.deepEqual([...entries.keys()], ['时常', '时间', '时令', '时乖命蹇', '时不时']);
  const only = (w) => entries.get(w)[0];
  assert.deepEqual(only('时常'), { spell: 'shí cháng', lines: ['常常；经常：他时常到村口去看。--《孟姜女》。'] });
  // a sense that is only an English gloss has nothing to show; examples need real text
  assert.deepEqual(only('时间').lines, [
    '1.时钟上的具体的分、小时；准确的时刻：时间是半夜｜现在是什么时间了。',
    '2.极短的时间：一时间性情上疏散。',
  ]);
  assert.deepEqual(only('时令').lines, ['1.季节；节令。', '2.〈方〉时令病：闹时令。']);
  assert.deepEqual(only('时乖命蹇'), { spell: 'shí guāi mìng jiǎn', lines: ['指时运不顺：早是抱闲怨，时乖运蹇！'] });
});

test('a word under two characters keeps both entries; readings split per character or refused', () => {
  const records = [
    { word: '家', more: '大家\ndàgū\n[mother-in-law] 旧称婆婆\n大家\ndàjiā\n[everybody] 众人' },
    { word: '大', more: '大家\ndàjiā\n[great master] 著名的专家' },
  ];
  const entries = parseCompounds(records).get('大家');
  assert.deepEqual(entries.map((e) => e.spell), [null, 'dà jiā', 'dà jiā']); // 家 is never read gū here
  const cases = [
    ['今天', 'jīntiān', 'jīn tiān'],
    ['西安', 'xī’ān', 'xī ān'],
    ['方案', 'fāng’àn', 'fāng àn'],
    ['妈妈', 'māmɑ', 'mā ma'],
    ['喜欢', 'xǐhuɑn', 'xǐ huan'],
    ['时而', 'shí ér', 'shí ér'],
    ['今儿', 'jīnr', null], // one syllable for two characters
    ['今天', 'míngtiān', null],
  ];
  for (const [word, written, expected] of cases) assert.equal(syllables(word, written), expected, `${word} ${written}`);
});

test('half-width punctuation next to Chinese becomes full-width, other text stays', () => {
  const cases = [
    ['常常;经常', '常常；经常'],
    ['时不可失,机不再来', '时不可失，机不再来'],
    ['怎么了?你说', '怎么了？你说'],
    ['事物(如某些行动)存在', '事物（如某些行动）存在'],
    ['苹果属(malus)落叶乔木', '苹果属(malus)落叶乔木'],
    ['12:30 出发', '12:30 出发'],
  ];
  for (const [text, expected] of cases) assert.equal(wide(text), expected, text);
});
