'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { query } = require('./helpers');
const { areacode } = require('../lib/gb2312');
const { RadicalStrokes, PICKER_GROUPS, OTHER_GROUP } = require('../lib/radicals');
const { ReadingChecker, numericToMarks } = require('../lib/readings');

function hz(name) {
  return query('xhb.db', 'select * from hz where name = ?', name)[0];
}

test('areacode: GB 2312 qu-wei code as four digits, empty outside GB 2312', () => {
  const cases = [
    ['啊', '1601'],
    ['一', '5027'],
    ['永', '5132'],
    ['齄', '8794'],
    ['丂', ''], // GBK only
    ['開', ''], // traditional form
    ['𪚥', ''],
    ['', ''],
  ];
  for (const [ch, expected] of cases) assert.equal(areacode(ch), expected, ch);
});

test('the radical picker table has 256 radicals, each in one group', () => {
  const all = [...PICKER_GROUPS.join(''), ...OTHER_GROUP];
  assert.equal(all.length, 256);
  assert.equal(new Set(all).size, 256);
});

test('partstrokes follows the picker group; sum counts the strokes really left', () => {
  const cases = [
    // name, part, partstrokes, sum, strokes
    ['口', '口', '3', '0', 3],
    ['叫', '口', '3', '2', 5],
    ['吃', '口', '3', '3', 6],
    ['听', '口', '3', '4', 7],
    ['唱', '口', '3', '8', 11],
    ['林', '木', '4', '4', 8],
    ['村', '木', '4', '3', 7],
    ['永', '水', '4', '1', 5],
    ['江', '氵', '3', '3', 6],
    ['跑', '足', '6', '5', 12], // the picker files 足 under six strokes; it has seven
    ['開', '門', '7', '4', 12], // 門 likewise under seven, written with eight
    ['𪚥', '龍', '16', '48', 64], // not in the picker: its own count
    ['齯', '齒', '15', '8', 23], // total below the radical's count in the list: repaired
  ];
  for (const [name, part, partstrokes, sum, strokes] of cases) {
    const r = hz(name);
    assert.deepEqual([r.part, r.partstrokes, r.sum, r.strokes], [part, partstrokes, sum, strokes], name);
  }
});

test('radical strokes of supplement forms count as their ideograph', () => {
  const r = new RadicalStrokes((ch) => ({ 竹: 6 })[ch]);
  assert.equal(r.actual('⺮'), 6);
  assert.equal(r.searchGroup('⺮'), 6);
  assert.equal(r.searchGroup('竹'), 6);
  assert.equal(r.searchGroup('足'), 6);
});

test('pycode: equality finds characters read ma alone, containment all readings with ma', () => {
  const exact = query('xhb.db', `select name from hz where pycode = 'ma '`).map((r) => r.name);
  assert.deepEqual(exact.sort(), ['吗', '妈', '码', '马', '骂'].sort());
  const containing = query('xhb.db', `select name from hz where pycode like '%ma%'`).map((r) => r.name);
  assert.deepEqual(containing.sort(), ['吗', '妈', '码', '马', '骂', '猫'].sort());
  assert.equal(hz('行').pycode, 'xing hang heng ');
  assert.equal(hz('绿').pycode, 'lv lu ');
  assert.equal(hz('仌').spell, 'bīng');
});

test('searched columns compare as the program expects', () => {
  assert.equal(query('xhb.db', 'select * from hz where strokes=12').length, 4);
  assert.equal(query('xhb.db', `select * from hz where part = '口' and sum='3'`).length, 2);
  assert.equal(query('xhb.db', `select * from hz where partstrokes = '4'`).length, 12);
  assert.equal(query('xhb.db', `select * from hz where pycode = 'MA '`).length, 5); // letter case ignored
});

test('readings: slips of the list mended, readings checked against Unihan and the polyphone list', () => {
  const cases = [
    // name, spell, pycode
    ['了', 'le,liǎo,liào', 'le liao '], // "liǎoliào" split
    ['丢', 'diū', 'diu '], // numeric tone "diu1"
    ['您', 'nín', 'nin '], // "ní" is no reading of 您
    ['们', 'men', 'men '], // "mén" neither
    ['长', 'cháng,zhǎng', 'chang zhang '], // the modern dictionary's second reading added
    ['着', 'zhe,zháo,zhuó,zhāo', 'zhe zhao zhuo '], // the xinhua entry's everyday reading first
    ['一', 'yī', 'yi '], // spoken tone changes are no readings
    ['仌', 'bīng', 'bing '], // unknown to Unihan: the list's reading, not a scraped one
    ['烪', '', ''], // "uu" is no syllable, and no reference knows one
  ];
  for (const [name, spell, code] of cases) assert.deepEqual([hz(name).spell, hz(name).pycode], [spell, code], name);
});

test('reading slips: numeric tones and glued syllables', () => {
  const checker = new ReadingChecker(new Map([['过', { mandarin: 'guò', hanyu: '', xhc: '0422.070:guō 0427.050:guò' }]]));
  const cases = [
    ['diu1', ['diū']],
    ['lv4', ['lǜ']],
    ['ma5', ['ma']],
    ['guoguō', ['guo', 'guō']],
    ['gou3', ['gǒu']],
    ['l&lt', []],
    ['ourtia', []],
    ['liǎnɡ', ['liǎng']],
  ];
  for (const [raw, expected] of cases) assert.deepEqual(checker.sanitize(raw), expected, raw);
  assert.equal(numericToMarks('xue2'), 'xué');
});

test('oldname: OpenCC and Unihan forms, else the character itself', () => {
  const cases = [
    ['马', '馬'],
    ['树', '樹'],
    ['口', '口'],
    ['世', '世'], // the list's "乫" is wrong
    ['说', '說'], // not the Japanese 説
    ['着', '着著'], // no OpenCC entry: Unihan's variants
    ['碗', '碗'],
  ];
  for (const [name, oldname] of cases) assert.equal(hz(name).oldname, oldname, name);
});

test('strokes and radical from Unihan where the list disagrees', () => {
  const cases = [
    // name, part, strokes, sum
    ['碗', '石', 13, '8'], // list: 日, 11; the xinhua entry agrees with Unihan
    ['离', '禸', 10, '6'], // list: 忄, which 离 does not contain
    ['说', '讠', 9, '7'], // simplified radical kept
    ['珲', '王', 10, '6'], // list: 车; Unihan files 王 itself as 96.-1
    ['龜', '龜', 17, '0'], // list: 龝, a radical larger than the character
  ];
  for (const [name, part, strokes, sum] of cases) {
    const r = hz(name);
    assert.deepEqual([r.part, r.strokes, r.sum], [part, strokes, sum], name);
  }
});

test('modern explanation: headers are readings, xinhua entries of other characters left out', () => {
  const cases = [
    // name, contains, does not contain
    ['世', '〔shì〕', '〔ourtia〕'],
    ['世', '代代相传。', '【字形】'], // the lines of a dropped header stay
    ['世', '〔shì〕\r\n2.时代近～。', '\r\n5.\r\n'], // an embedded head line becomes a header; empty senses go
    ['世', '1.一辈子', '\r\n<\r\n'],
    ['碗', '【基本解释】\r\n〔wǎn〕\r\n1.盛饭菜的器皿。\r\n2.形状像碗的东西。', 'mbowl]'],
    ['您', '〔nín〕\r\n"你"的敬称。', '〔ní〕'],
    ['着', '〔zhe〕\r\n1.助词，表示动作在进行。', '【字形】'],
    ['仌', '【字形】', '次第'], // record headed with a reading 仌 does not have
    ['烪', '读音：不详', '读音：\r\n'],
  ];
  for (const [name, has, hasNot] of cases) {
    const c = hz(name).content;
    assert.ok(c.includes(has), `${name} has ${has}`);
    assert.ok(!c.includes(hasNot), `${name} lacks ${hasNot}`);
  }
});

test('url is set exactly for characters with stroke paths', () => {
  const withUrl = query('xhb.db', `select name from hz where url <> ''`).map((r) => r.name);
  const strokes = query('strokes.db', 'select name from strokes').map((r) => r.name);
  assert.deepEqual(withUrl.sort(), strokes.sort());
  assert.equal(hz('永').url, 'swf');
  assert.equal(hz('行').url, '');
});

test('content: never empty, from the best source available, lines ended by CR LF', () => {
  const cases = [
    ['叫', '【基本解释】'], // modern dictionary
    ['妈', '【基本解释】'], // nested lists in the modern entry
    ['骂', '【学生字典】'], // found through its traditional form
    ['開', '【说文解字】'],
    ['齯', '【广韵】'],
    ['丂', '【英文释义】'],
    ['㐄', '【字形】'], // nothing known but reading, radical and strokes
  ];
  for (const [name, label] of cases) assert.ok(hz(name).content.includes(label), name);
  assert.equal(query('xhb.db', `select count(*) n from hz where content = ''`)[0].n, 0);
  assert.ok(hz('骂').content.includes('以恶言加人也'), 'classical text converted to simplified');
  assert.ok(hz('妈').content.includes('\r\n1.称呼母亲'));
  assert.ok(!/[^\r]\n/.test(hz('行').content));
});

test('rows keep the order of the character list', () => {
  const names = query('xhb.db', 'select name from hz order by rowid').map((r) => r.name);
  assert.deepEqual(names.slice(0, 4), ['一', '人', '口', '马']);
  assert.equal(names.length, 47);
});
