'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { query } = require('./helpers');
const { checkKey, assignIds, parseStartupWords, withoutSelfReferences, frequentWords, englishGlosses, modernLines, START_ID, START_COUNT } = require('../lib/words');

const LATIN = new Map([['卡拉ok', '卡拉OK'], ['阿q', '阿Q']]);

test('garbled keys are recognised, genuine entries kept', () => {
  const cases = [
    ['学习', true, '学习'],
    ['一不做，二不休', true, '一不做，二不休'],
    ['为山九仞﹐功亏一篑', true, '为山九仞﹐功亏一篑'],
    ['德国--一个冬天的童话', true, '德国--一个冬天的童话'],
    ['亚历山大·涅夫斯基', true, '亚历山大·涅夫斯基'],
    ['卡拉ok', true, '卡拉OK'], // spelled as the Chinese-English dictionary spells it
    ['阿q', true, '阿Q'],
    ['中国sos儿童村协会', true, '中国sos儿童村协会'],
    ['乌j', false], // a rare character turned into a letter
    ['青霉素g', false], // indistinguishable from that damage, and not in the dictionary
    ['不febf', false], // private code number
    ['张fda1', false],
    ['滟fdbe６', false],
    ['眙■', false],
    ['五二⊙案', false],
    ['烂@@', false],
    ['一。妫洌幔豹Ｍ', false],
    ['ok', false], // no Chinese at all
    ['', false],
  ];
  for (const [word, keep, fixed] of cases) {
    const v = checkKey(word, LATIN);
    assert.equal(v.keep, keep, word);
    if (keep) assert.equal(v.word, fixed, word);
  }
});

test('identifiers: start-up words take the reserved range, the others skip it', () => {
  const words = [];
  for (let i = 0; i < START_ID + 10; i++) words.push(`w${i}`);
  const startup = ['w5', 'w0', 'w400000'];
  const ids = assignIds(words, startup);
  assert.equal(ids.get('w5'), START_ID);
  assert.equal(ids.get('w0'), START_ID + 1);
  assert.equal(ids.get('w1'), 1);
  const values = [...ids.values()];
  assert.equal(new Set(values).size, words.length);
  const inRange = words.filter((w) => ids.get(w) >= START_ID && ids.get(w) < START_ID + START_COUNT);
  assert.deepEqual(inRange.sort(), ['w0', 'w5']);
  assert.throws(() => assignIds(words, new Array(START_COUNT + 1).fill('w1')));
});

test('the start-up list names 42 distinct words', () => {
  const list = parseStartupWords(fs.readFileSync(path.join(__dirname, '..', 'startup-words.txt'), 'utf8'));
  assert.equal(list.length, START_COUNT);
  assert.equal(new Set(list).size, START_COUNT);
});

test('dict: the start-up query lists exactly the 42 chosen words in their order', () => {
  const list = parseStartupWords(fs.readFileSync(path.join(__dirname, '..', 'startup-words.txt'), 'utf8'));
  const rows = query('xhi.db', 'select * from dict where ID>362993 and ID<363036');
  assert.deepEqual(rows.map((r) => r.word), list);
  assert.ok(rows.every((r) => r.content && r.spell && r.ord));
  const others = query('xhi.db', 'select ID from dict where not (ID>362993 and ID<363036)');
  assert.ok(others.length > 0);
  const all = query('xhi.db', 'select ID from dict').map((r) => r.ID);
  assert.equal(new Set(all).size, all.length);
});

test('dict rows: garbled keys dropped, traditional form, citation-tone pinyin', () => {
  const words = query('xhi.db', 'select word from dict').map((r) => r.word);
  for (const bad of ['乌j', '不febf', '眙■', '一。妫洌幔豹Ｍ']) assert.ok(!words.includes(bad), bad);
  const row = (w) => query('xhi.db', 'select * from dict where word = ?', w)[0];
  assert.equal(row('卡拉OK').word, '卡拉OK');
  assert.equal(row('马路').ord, '馬路');
  assert.equal(row('一帆风顺').spell, 'yī fān fēng shùn'); // correction list beats the idiom list
  assert.equal(row('一心一意').spell, 'yī xīn yī yì');
  assert.equal(row('不对').spell, 'bù duì');
  assert.equal(row('朋友').spell, 'péng you');
  assert.equal(row('学习').content, '1.从阅读、听讲、研究和实践中获得知识或技能。\r\n2.效法。');
  assert.equal(query('xhi.db', `select count(*) n from dict where word like '%学%'`)[0].n, 3);
});

test('self-references are found and removed, other references kept', () => {
  const cases = [
    ['喜欢', '1.见"喜欢"。', '', 1],
    ['女儿', '1.女孩子。\n2.见“女儿”。', '1.女孩子。', 1],
    ['一哄', '见"一哄"', '', 1],
    ['重岩叠嶂', '1.见"重岩迭嶂"。', '1.见"重岩迭嶂"。', 0],
    ['学习', '1.效法。', '1.效法。', 0],
    ['共鲧', '1.即共鲧。参见“共鲧”。', '', 1],
    ['签子', '1.签条。\n2.即扦子。参见“签子”。', '1.签条。\r\n2.即扦子。', 1],
    ['鱼孽', '1.亦作“鱼孽”。\n2.古代灾异。见“鱼孽”。', '2.古代灾异。', 2],
    ['廫廓', '1.寥廓。段注"此今之寥字。"见"廫廓"。', '1.寥廓。段注"此今之寥字。"', 1],
    ['签子', '1.见"签条"。', '1.见"签条"。', 0],
  ];
  for (const [word, text, rest, removed] of cases) assert.deepEqual(withoutSelfReferences(word, text), { text: rest, removed }, word);
});

test('frequent words: multi-character Chinese words by count, then list order', () => {
  const list = '的 900 uj\n银行 50 n\nAT&T 99 nz\n学生 70 n\n国家 50 n\n学生 10 n\nB超 80 n\n';
  assert.deepEqual(frequentWords(list, 10), ['学生', '银行', '国家']);
  assert.deepEqual(frequentWords(list, 1), ['学生']);
  assert.deepEqual(frequentWords(list), ['学生', '银行', '国家']);
});

test('English glosses: measure words out, the common word before a name, references in simplified script', () => {
  const english = englishGlosses([
    ['銀行', '银行', 'yin2 hang2', 'bank / CL:家[jia1]'],
    ['一會兒', '一会儿', 'yi1 hui4 r5', 'a moment / also pr. [yi1 hui3 r5]'],
    ['蘋果', '苹果', 'Ping2 guo3', 'Apple (American tech company)'],
    ['蘋果', '苹果', 'ping2 guo3', 'apple / CL:個|个[ge4],顆|颗[ke1]'],
    ['人行', '人行', 'Ren2 hang2', "People's Bank of China (abbr. for 中國人民銀行|中国人民银行[Zhong1 guo2 Ren2 min2 Yin2 hang2])"],
  ]);
  assert.deepEqual([...english], [
    ['银行', 'bank'],
    ['一会儿', 'a moment'],
    ['苹果', 'apple; Apple (American tech company)'],
    ['人行', "People's Bank of China (abbr. for 中国人民银行)"],
  ]);
});

test('modern explanations: only the entries read as the word is read, numbered anew', () => {
  const entries = [
    { spell: null, lines: ['旧称婆婆。'] },
    { spell: 'dà jiā', lines: ['1.众人。', '2.指我们。'] },
    { spell: 'dà jia', lines: ['世家望族。'] },
    { spell: 'dà gū', lines: ['婆婆。'] },
  ];
  assert.deepEqual(modernLines(entries, 'dà jiā'), ['1.众人。', '2.指我们。', '3.世家望族。']);
  assert.deepEqual(modernLines(entries, 'dà gū'), ['婆婆。']);
  assert.deepEqual(modernLines(entries, 'tài jiā'), []);
  assert.deepEqual(modernLines(undefined, 'dà jiā'), []);
});

test('dict rows: modern words from the 國語辭典, verbatim and credited; self-references and readings', () => {
  const row = (w) => query('xhi.db', 'select * from dict where word = ?', w)[0];
  const cases = [
    // word, column, expected start, text it must contain
    ['银行', 'content', '【英文】bank\r\n【國語辭典】\r\n1.試驗用的釋義：辦理存款放款的機構。如：「試驗例句。」', '——教育部《重編國語辭典修訂本》，CC BY-ND 3.0 TW'],
    ['银行', 'ord', '銀行', ''],
    ['喜欢', 'content', '【國語辭典】\r\n試驗用：愛好﹐高興。', '重編國語辭典'], // replaced; its ﹐ stays as printed
    ['女儿', 'content', '1.女孩子。', ''],
    ['女儿', 'spell', 'nǚ ér', ''],
    ['一点儿', 'spell', 'yī diǎnr', ''],
    ['便宜', 'content', '【國語辭典】\r\n〔pián yi〕\r\n試驗用：價錢低。\r\n〔biàn yí〕', ''],
    ['今天', 'content', '【英文】today\r\n1.试验用：说话时的这一天：今天的任务很多。\r\n2.试验用：现在；目前。', ''],
    ['今年', 'content', '试验用：说话时的这一年。', ''], // a modern explanation alone
    ['今年', 'spell', 'jīn nián', ''],
    ['大家', 'content', '试验用：众人，大伙儿：大家都来了。', ''], // not the dàgū entry
    ['大家', 'spell', 'dà jiā', ''],
    ['早晨', 'content', '试验用：天亮以后的一段时间。\r\n【更多释义】\r\n从天将亮到八九点钟的一段时间。', ''],
    ['努力', 'content', '把力量尽量使出来。', ''], // the modern entry only repeats it
    ['东京回合', 'content', '尼克松发起，故又称“尼克松回合”，是一次谈判｜贸易。', ''],
    ['坏词', 'content', '1.好的一句。\r\n2.第二义。', ''],
  ];
  for (const [word, col, start, inside] of cases) {
    const r = row(word);
    assert.ok(r, word);
    assert.ok(r[col].startsWith(start), `${word}.${col}: ${r[col]}`);
    assert.ok(r[col].includes(inside), `${word}.${col}: ${r[col]}`);
  }
  for (const absent of ['自己人', '无解释词']) assert.equal(row(absent), undefined, absent);
  assert.equal(row('女儿').content.includes('女儿'), false);
});
