'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { query } = require('./helpers');
const { splitSource, sampleText } = require('../lib/idioms');

test('a leading source is moved out of the explanation', () => {
  const cases = [
    [
      '1.语出《孟子．万章上》"一介不以与人，一介不以取诸人。"后以"一介不取"谓一丝一毫亦不苟取。',
      '语出《孟子．万章上》"一介不以与人，一介不以取诸人。"',
      '1.后以"一介不取"谓一丝一毫亦不苟取。',
    ],
    [
      // quotations introduced by a commentator belong to the source
      '1.语出《诗》"如临深渊﹐如履薄冰。"又《易．履》"履虎尾。"后以"临深履尾"喻危险恐惧。',
      '语出《诗》"如临深渊﹐如履薄冰。"又《易．履》"履虎尾。"',
      '1.后以"临深履尾"喻危险恐惧。',
    ],
    [
      '1.语出《文选》"冠盖如云，七相五公。"吕向注"七相谓车千秋。"所举皆汉代公卿。\n2.泛指大臣。',
      '语出《文选》"冠盖如云，七相五公。"吕向注"七相谓车千秋。"',
      '1.所举皆汉代公卿。\n2.泛指大臣。',
    ],
    [
      // the opening quote mark was lost upstream: the first closing one ends the source
      '语出《荀子·礼论》清庙之歌，一倡而三叹也。”一人领唱，众人赞叹相和◇多用来形容诗文婉转。',
      '语出《荀子·礼论》清庙之歌，一倡而三叹也。”',
      '一人领唱，众人赞叹相和◇多用来形容诗文婉转。',
    ],
    ['语出《左传·襄公二十六年》。公元前547年，楚国进攻郑国。', '语出《左传·襄公二十六年》。', '公元前547年，楚国进攻郑国。'],
    ['1.语本《论语．子路》"则民无所措手足。"形容不知道该怎么办才好。', '语本《论语．子路》"则民无所措手足。"', '1.形容不知道该怎么办才好。'],
    // a source named after the meaning
    ['比喻从细微的迹象推知大势。语出《淮南子》"见一叶落而知岁之将暮。"', '语出《淮南子》"见一叶落而知岁之将暮。"', '比喻从细微的迹象推知大势。'],
    ['比喻多此一举◇语本《战国策》"蛇固无足。"后用以讽刺。\n2.泛指。', '语本《战国策》"蛇固无足。"', '比喻多此一举后用以讽刺。\n2.泛指。'],
  ];
  for (const [text, source, rest] of cases) assert.deepEqual(splitSource(text), { source, rest }, text);
});

test('explanations without a clear leading source stay whole', () => {
  for (const text of ['形容数量很多。', '比喻语出《X》的话', '语出《孟子》"全是出处。"', '语出某书而无书名号。', '', undefined]) {
    assert.equal(splitSource(text), null, String(text));
  }
});

test('samples: the idiom written out, the work after a dash, placeholder empty', () => {
  assert.equal(sampleText('终至堕入～。★《上饶集中营》', '阿鼻地狱'), '终至堕入阿鼻地狱。——《上饶集中营》');
  assert.equal(sampleText('无', '八仙过海'), '');
  assert.equal(sampleText(undefined, '八仙过海'), '');
});

test('cy rows: spell, initials, derivation and samples', () => {
  const row = (n) => query('xhg.db', 'select * from cy where name = ?', n)[0];
  assert.equal(row('千方百计').pyjm, 'qfbj');
  assert.equal(row('成千上万').pyjm, 'cqsw');
  assert.equal(row('一帆风顺').spell, 'yī fān fēng shùn');
  assert.equal(row('一介不取').derivation, '语出《孟子．万章上》"一介不以与人，一介不以取诸人。"');
  assert.ok(row('一介不取').content.startsWith('1.后以'));
  assert.ok(row('成千上万').derivation.startsWith('老舍《神拳》'), 'idiom-extra derivation');
  assert.equal(row('成千上万').samples, '成千上万的人来到广场。');
  assert.equal(row('八仙过海').derivation, ''); // placeholder 无
  // explained only by the 國語辭典, quoted whole; an idiom no source explains is left out
  assert.ok(row('八仙过海').content.startsWith('【國語辭典】\r\n試驗用：比喻各自施展本領。\r\n——教育部'));
  assert.equal(row('杞人忧天'), undefined);
  assert.equal(row('亡羊补牢').spell, 'wáng yáng bǔ láo'); // the list's toneless reading gives way
  assert.equal(row('阿鼻地狱').content.slice(0, 3), '阿鼻，'); // explanation only in idiom-extra
  assert.equal(query('xhg.db', `select name from cy where name like '%成_上_%'`)[0].name, '成千上万');
  assert.equal(query('xhg.db', `select name from cy where pyjm like '%q_b_%'`)[0].name, '千方百计');
  assert.equal(query('xhg.db', `select count(*) n from cy where name = '一叶知秋'`)[0].n, 1);
  assert.equal(query('xhg.db', `select count(*) n from cy where spell = ''`)[0].n, 0);
  // the complete idiom data: sources with their opening quote, examples, idioms the list lacks
  assert.equal(row('画蛇添足').derivation, '《战国策·齐策二》“蛇固无足，子安能为之足。”');
  assert.equal(row('画蛇添足').samples, '这句话是画蛇添足，删掉吧。');
  assert.equal(row('阿鼻地狱').derivation, '《法华经·法师功德品》“下至阿鼻地狱。”');
});
