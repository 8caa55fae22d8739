'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { encode, decode } = require('../lib/gb18030');

test('known characters get their standard bytes', () => {
  const cases = [
    ['㐀', '8139ee39'], // CJK Extension A, four bytes
    ['𠀀', '95328236'], // CJK Extension B, supplementary plane
    ['汉', 'baba'],
    ['〇', 'a996'],
    ['\u3000', 'a1a1'], // ideographic space, not the A3A0 some decoders also read as it
    ['“”', 'a1b0a1b1'],
    ['A1<', '41313c'],
  ];
  for (const [text, hex] of cases) assert.equal(encode(text).toString('hex'), hex, text);
});

test('text round-trips through the GB18030 decoder', () => {
  const samples = [
    '学而时习之，不亦说乎？有朋自远方来，不亦乐乎？',
    '㐀㐁䶵 𠀀𠀁𪛖 𫛳 ㄪ ⺮ 𧘇',
    '<p class="x">Ascii & 中文 mixed</p>\r\n',
    '',
  ];
  for (const s of samples) assert.equal(decode(encode(s)), s);
});

test('every unified ideograph of the basic block round-trips', () => {
  let text = '';
  for (let cp = 0x4e00; cp <= 0x9fa5; ++cp) text += String.fromCodePoint(cp);
  assert.equal(decode(encode(text)), text);
});

test('characters without a stable encoding are refused with their position', () => {
  const cases = [
    ['ab\ue000', /U\+E000.* at 2/], // private use
    ['甲龶', /U\+9FB6/], // bytes differ between GB18030 editions
    ['x\ud800y', /U\+D800/], // lone surrogate
  ];
  for (const [text, message] of cases) assert.throws(() => encode(text), message);
});
