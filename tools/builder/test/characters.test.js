'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { query, fixtureStores } = require('./helpers');
const { areacode } = require('../lib/gb2312');
const { RadicalStrokes, PICKER_GROUPS, OTHER_GROUP } = require('../lib/radicals');
const { ReadingChecker, numericToMarks, placeToneMark } = require('../lib/readings');
const { restoreColon, dropDamagedExamples, tidyLine } = require('../lib/senses');
const { explanationBlocks, entryBlocks } = require('../lib/charcontent');
const { parseMore } = require('../lib/xinhuamore');
const { EntryBuilder, entryLines } = require('../lib/charentry');
const { auditCharacters } = require('../lib/charaudit');

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

test('modern explanation: headers are readings, blocks under no reading of the character left out', () => {
  const cases = [
    // name, contains, does not contain
    ['世', '〔shì〕', '〔ourtia〕'],
    ['世', '2.时代近', '代代相传'], // a head line among the senses starts its reading's block; a block under no reading goes
    ['世', '〔shì〕\r\n1.一辈子', '\r\n5.'], // empty senses and page debris go
    ['世', '1.一辈子', '\r\n<'],
    ['碗', '【基本解释】\r\n〔wǎn〕\r\n1.盛饭菜的器皿。\r\n2.形状像碗的东西。', 'mbowl]'],
    ['您', '〔nín〕\r\n"你"的敬称。', '〔ní〕'],
    ['着', '〔zhe〕\r\n助词，表示动作在进行。', '【字形】'],
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

test('the colon the scrape lost goes where the example starts', () => {
  const words = new Map([
    ['慎重', 'a'],
    ['方兴未艾', 'i'],
    ['锻炼身体', 'l'],
    ['他', 'r'],
    ['今天', 't'],
    ['某', 'r'],
  ]);
  const cases = [
    // character, sense as the source has it, as shown
    ['还', '仍旧，依然他身体～健康。', '仍旧，依然：他身体～健康。'], // a sentence starts with its subject
    ['还', '更加今天比昨天～冷。', '更加：今天比昨天～冷。'],
    ['重', '言行不轻率慎～。自～。', '言行不轻率：慎～。自～。'], // the example is a known word
    ['艾', '止，绝方兴未～。', '止，绝：方兴未～。'],
    ['个', '量词三～月。', '量词：三～月。'], // a count
    ['阿', '助词。用在称呼前～姨。', '助词。用在称呼前：～姨。'], // else right before ～
    ['地', '地球或地球的某部分～质。', '地球或地球的某部分：～质。'], // 某 begins no example
    ['还', '再，又锻炼身体，～要注意休息。', '再，又：锻炼身体，～要注意休息。'], // an example of two clauses
    ['第', '但运动有益于健康，～不宜过于剧烈。', '但运动有益于健康，～不宜过于剧烈。'], // unknown start: left alone
    ['在', '存在：～世。', '存在：～世。'], // already there
    ['在', '回报别人。～手。', '回报别人。～手。'], // the sense ended properly
    ['栅', '〔大～栏〕北京的街名。', '〔大～栏〕北京的街名。'], // ～ in a compound's brackets is no example
  ];
  for (const [ch, text, shown] of cases) assert.equal(restoreColon(ch, text, (w) => words.get(w)), shown, text);
  // an example holding a character the scrape lost goes, the sense stays
  const none = () => undefined;
  const damaged = [
    ['泽', '水积聚的地方大～〓～。润～（潮湿）。沼～。', '水积聚的地方：润～（潮湿）。沼～。'],
    ['语', '话～言『～。英～。～录。', '话：英～。～录。'], // mojibake the clean-up would take with the sense
    ['韵', '称“韵母”。如ｔ幔睿～文（体裁。区别于散文）。押～。', '称“韵母”：押～。'], // the sense had ended
    ['然', '对，是：～否。不～■。', '对，是：～否。'],
  ];
  for (const [ch, text, shown] of damaged) assert.equal(dropDamagedExamples(ch, text, none), shown, text);
  assert.equal(tidyLine('地面;陆地 [ground;land]\t\t'), '地面；陆地');
  // the opening quote the scrape lost goes before the quoted word, not the sense number
  assert.equal(tidyLine('分量较大，与轻”相对'), '分量较大，与“轻”相对');
  assert.equal(tidyLine('加在昨儿”、今儿”等后面'), '加在“昨儿”、“今儿”等后面');
  assert.equal(tidyLine('义同（一），那”和一”连读的合音'), '义同（一），“那”和“一”连读的合音');
  assert.equal(tidyLine('（ｈ与舌根鼻音拼合的音）表示不满'), '（h与舌根鼻音拼合的音）表示不满');
});

test('readings: modern standard readings, literary ones left to the explanation, marks placed', () => {
  const checker = new ReadingChecker(
    new Map([
      ['过', { mandarin: 'guò', hanyu: '', xhc: '0422.070:guō 0427.050:guò' }],
      ['她', { mandarin: 'tā', hanyu: '10971.040:tā,jiě', xhc: '1106.020:tā' }],
      ['一', { mandarin: 'yī', hanyu: '', xhc: '1351.020:yī 1360.040:yí 1368.160:yì' }],
      ['个', { mandarin: 'gè', hanyu: '', xhc: '0373.090:gè 0373.120:gě' }],
      ['丂', { mandarin: 'kǎo', hanyu: '', xhc: '' }],
    ]),
    new Map([
      ['过', ['guò', 'guo']],
      ['她', ['tā', 'jiě']],
      ['著', ['zhù', 'zhúo']],
    ])
  );
  assert.deepEqual(checker.standard('过'), ['guō', 'guò', 'guo']); // neutral tone of a listed syllable
  assert.deepEqual(checker.standard('她'), ['tā']); // jiě is literary
  assert.ok(checker.known('她').has('jiě'));
  assert.deepEqual(checker.standard('一'), ['yī']); // spoken tone changes
  assert.deepEqual(checker.standard('个'), ['gè', 'gě', 'ge']);
  assert.equal(checker.standard('丂'), null); // no modern dictionary field: the checked readings stand
  assert.ok(checker.known('著').has('zhuó'));
  for (const [raw, fixed] of [['zhúo', 'zhuó'], ['xiù', 'xiù'], ['huí', 'huí'], ['lüè', 'lüè'], ['shi', 'shi']]) {
    assert.equal(placeToneMark(raw), fixed, raw);
  }
});

test('xinhua explanation: senses of lost compounds dropped, blocks under no reading of the character left out', () => {
  const isReading = (r) => (['zài', 'ma', 'me', 'hái'].includes(r) ? r : null);
  const text = [
    '在  zai', // the record's title
    '(形声。本义存在)',
    '在zài',
    '⒈存，生存存～。健～。',
    '⒉',
    '①在于。',
    '②介意不～乎。',
    '⒊表示动作的进行她～做实验。',
    '【在场】亲自在那里。',
    '在zhì 1.次第。', // a page of another character
    '在、么ma 1.助词。', // a block two characters share
  ].join('\n');
  const { basic, notes } = explanationBlocks('在', text, isReading);
  assert.deepEqual(basic, [
    { reading: 'zài', senses: ['存，生存存～。健～。', '表示动作的进行她～做实验。'] },
    { reading: 'ma', senses: ['助词。'] },
  ]);
  assert.deepEqual(notes, ['(形声。本义存在)']);
  // numbering that starts again belongs to a lost compound until it goes on
  const again = explanationBlocks('还', '还hái 1.依然。 2.更加。 1.比较好。 2.连词。 3.再。', isReading);
  assert.deepEqual(again.basic[0].senses, ['依然。', '更加。', '再。']);
});

test('common-character entries: a head line among the lines names the reading of its senses', () => {
  const entry = {
    char: '还',
    explanations: [{ contents: ['(形声。本义返回)'] }],
    pronunciations: [
      {
        pinyin: 'huan',
        explanations: [
          { contents: ['还，復也。--《说文》', '还（還）hái'], details: ['1.仍旧～健康。', '2.更～好。'] },
          { contents: ['还(還）huán', '【还原】恢复原状。'], details: ['1.返回～乡。'] },
        ],
      },
      { pinyin: 'chon', explanations: [{ details: ['1.重复。'] }] },
    ],
  };
  const isReading = (r) => ({ hái: 'hái', huán: 'huán' })[r] || null;
  const { basic, notes } = entryBlocks(entry, isReading);
  assert.deepEqual(basic, [
    { reading: 'hái', senses: ['仍旧～健康。', '更～好。'] },
    { reading: 'huán', senses: ['返回～乡。'] },
  ]);
  assert.deepEqual(notes, ['(形声。本义返回)', '还，復也。--《说文》']);
});

test('xinhua more: detailed blocks per reading without the compounds, basic blocks with their readings', () => {
  const more = [
    '地 di、de 部首 土',
    'terra；',
    '地1', 'de', '助', '(1)', '用在状语和中心词之间 [adverbial]。如慢慢地走', '另见dì',
    '地2', '(1)', '墬', 'dì', '(2)', '(形声。本义大地)', '(3)', '地面 [ground]', '床前明月光，疑是地上霜。--唐·李白《静夜思》',
    '地板', 'dìbǎn', '[floor] 房间的地面',
    '地1', 'dì　ㄉㄧˋ', '(1)', '大地～球。', '(2)', '地面～板。', '郑码b', '笔画数6',
    '地2', 'de　ㄉㄜ˙', '助词慢慢～走。', '郑码b',
    '熟', 'shú　ㄕㄨˊ 又shóu　ㄕㄡˊ', '(1)', '食物烧煮到可吃的程度。', '郑码s',
  ].join('\n');
  const { basic, detail } = parseMore('地', more);
  assert.deepEqual(basic.map((b) => [b.reading, b.senses]), [
    ['dì', ['大地～球。', '地面～板。']],
    ['de', ['助词慢慢～走。']],
  ]);
  assert.deepEqual(detail.map((b) => b.reading), ['de', 'dì']);
  assert.deepEqual(detail[1].items.map((i) => i.lines[0]), ['(形声。本义大地)', '地面 [ground]']);
  assert.ok(!JSON.stringify(detail).includes('地板'));
  assert.deepEqual(parseMore('熟', more).basic.map((b) => b.reading), ['shú', 'shóu']);
  assert.deepEqual(parseMore('地', '搜索与“地”有关的成语'), { basic: [], detail: [] });
});

test('a character entry: per reading the first source that explains it, literary readings marked', () => {
  const builder = new EntryBuilder({ wordsRead: (ch, r) => (ch === '膀' && r === 'páng' ? ['膀胱'] : []) });
  const record = (word, explanation, more = '') => ({ word, explanation, more });
  const build = (ch, records, entry, standard) => {
    const known = new Set([...(standard || []), 'jiě', 'de', 'dì', 'páng', 'bǎng']);
    return builder.build(ch, records, entry, { standard, order: standard || [] }, (r) => (known.has(r) ? r : null));
  };
  // 地: the common entry's dì block holds another character's senses and is rejected
  const di = build(
    '地',
    [record('地', '地dì\n⒈大地，与天相对～球。\n⒉地面～板。', ['地1', 'de　ㄉㄜ˙', '助词，慢慢～走。', '郑码b'].join('\n'))],
    { char: '地', pronunciations: [{ pinyin: 'dì', explanations: [{ details: ['1.次序：第一。次第。', '2.科举及格的等次：及第。', '3.大宅子：府第。'] }] }] },
    ['dì', 'de']
  );
  assert.deepEqual(di.readings, ['dì', 'de']);
  assert.deepEqual(entryLines(di), ['【基本解释】', '〔dì〕', '1.大地，与天相对：～球。', '2.地面：～板。', '〔de〕', '助词，慢慢：～走。']);
  assert.equal(builder.rejected.common, 1);
  // 她: jiě is not a modern reading; its text stays, marked
  const ta = build('她', [record('她', '', ['她1', 'tā　ㄊㄚ', '用于女性。', '郑码z', '她2', 'jiě　ㄐㄧㄝˇ', '同姐”。', '郑码z'].join('\n'))], null, ['tā']);
  assert.deepEqual(entryLines(ta), ['【基本解释】', '〔tā〕', '用于女性。', '〔旧读 jiě〕', '同“姐”。']);
  // 膀: a standard reading no text explains refers to the words that read it; one no word reads goes
  const bang = build('膀', [record('膀', '膀bǎng\n⒈胳膊的上部。')], null, ['bǎng', 'páng', 'pāng']);
  assert.deepEqual(bang.readings, ['bǎng', 'páng']);
  assert.deepEqual(entryLines(bang).slice(-2), ['〔páng〕', '见“膀胱”。']);
  // 个: the 明儿个 use is read ge
  const ge = build('个', [record('个', '个gè\n⒈量词三～月。\n⒉加在明儿等后面。')], null, ['gè', 'ge']);
  assert.deepEqual(entryLines(ge), ['【基本解释】', '〔gè〕', '量词：三～月。', '〔ge〕', '加在明儿等后面。']);
});

test('the audit counts each kind of broken explanation once per character', () => {
  const row = (name, spell, ...lines) => ({ name, spell, content: lines.join('\r\n') });
  const rows = [
    row('好', 'hǎo,hào', '【基本解释】', '〔hǎo〕', '1.优点：～处。', '〔hào〕', '喜爱：爱～。'),
    row('还', 'hái,huán', '【基本解释】', '〔hái〕', '1.依然。', '2.更加。', '1.比较。', '〔hái〕', '再。'),
    row('长', 'cháng,zhǎng', '【基本解释】', '〔cháng〕', '两端的距离～度。'),
    row('地', 'dì,de', '【基本解释】', '〔dì〕', '大地。', '〔de〕'),
    row('她', 'tā,jiě', '【基本解释】', '〔tā〕', '用于女性。', '〔旧读 jiě〕', '同姐。'),
    row('哇', 'wā', '【广韵】', '〔于佳切〕淫\n\t\t声'),
  ];
  const listed = (ch) => ({ 她: ['tā'], 好: ['hǎo', 'hào'] })[ch] || null;
  const { counts } = auditCharacters(rows, new Set(['好', '还', '长', '地', '她']), listed);
  assert.deepEqual(counts, { restarted: 1, repeated: 1, missing: 3, polyheader: 2, runin: 1, extra: 1, rawbreaks: 1 });
});

test('the build report counts what the explanation sources supplied and what broken text is left', () => {
  const report = fixtureStores().report;
  assert.match(report, /hz modern explanation, characters supplied per source: xinhua more \(modern blocks\) \d+/);
  assert.match(report, /hz audit: restarted 0, repeated 0, missing 0, polyheader 0, runin 0, extra 0, rawbreaks 0\n/);
});

test('fixture characters: modern blocks first, the detailed blocks for a reading no basic block has', () => {
  const long = hz('长');
  assert.equal(long.spell, 'cháng,zhǎng');
  const cases = [
    // name, contains, does not contain
    ['长', '〔cháng〕\r\n1.两端的距离：～度。', '长城'],
    ['长', '〔zhǎng〕\r\n1.生长；成长。\r\n2.首领。', '另见'],
    ['长', '〔旧读 zhàng〕\r\n多余：～物。', '[grow]'],
    ['长', '【详细解释】\r\n〔cháng〕\r\n(象形。本义两点距离大)\r\n两端距离大\r\n道阻且长。', '\r\n(1)'],
    ['着', '〔zháo〕\r\n1.感到，受到：～凉。\r\n2.接触，挨上：～陆。', '着迷'],
    ['了', '〔liào〕\r\n〔～望〕登高远望。', '〔liǎo〕\r\n1.明白明'],
  ];
  for (const [name, has, hasNot] of cases) {
    const c = hz(name).content;
    assert.ok(c.includes(has), `${name} has ${has}`);
    assert.ok(!c.includes(hasNot), `${name} lacks ${hasNot}`);
  }
});
