'use strict';
// The `more` text of the xinhua character records: one line per item, in three parts.
//  - detailed blocks, one per reading: "地1" / "de" / "〈助〉" / "(1)" / "用在状语和中心词之间 [used…]" …,
//    the reading sometimes after the traditional form ("(1)" / "還" / "huán" / "(2)" …);
//  - compound entries between them ("地板" / "dìbǎn" / "[floor board]∶…"), the word
//    dictionary's business, not the character's;
//  - at the end, basic blocks of a modern dictionary, one per reading, marked with zhuyin
//    ("还2" / "（還）" / "hái　ㄏㄞˊ" / "(1)" / "依然，仍然这本书～没有看完。" … "郑码…").

const PINYIN = 'a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜêɡ';
const SYLLABLE_LINE = new RegExp(`^[${PINYIN}]+$`, 'u');
// A compound's reading: two syllables or more, perhaps spaced, hyphenated or listed with "，".
const WORD_READING = new RegExp(`^[${PINYIN}'’ －\\-，,·]+$`, 'u');
// "hái　ㄏㄞˊ"; a second reading sharing the block follows "又" ("shú　ㄕㄨˊ 又shóu　ㄕㄡˊ").
const BASIC_READING = new RegExp(`^([${PINYIN}]+)\\u3000\\S*(?:\\s+又([${PINYIN}]+)\\u3000\\S*)?$`, 'u');
const NUMBER = /^\((\d+)\)$/;
const HAN_WORD = /^[\p{Script=Han}，、]{2,}$/u;

const escape = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
const plain = (r) => r.replace(/\u0261/g, 'g').normalize('NFC');

// Basic blocks: [{reading, senses: [text]}]; the "(n)" lines are numbers, not senses.
function basicBlocks(ch, lines) {
  const head = new RegExp(`^${escape(ch)}\\d*$`, 'u');
  const blocks = [];
  let first = lines.length;
  for (let i = 0; i < lines.length; i++) {
    const m = BASIC_READING.exec(lines[i]);
    if (!m) continue;
    let j = i - 1;
    if (j >= 0 && /^（.*）$/.test(lines[j])) j--;
    if (j < 0 || !head.test(lines[j])) continue;
    first = Math.min(first, j);
    const senses = [];
    let k = i + 1;
    for (; k < lines.length && !/^(郑码|笔画数)/.test(lines[k]); k++) {
      if (lines[k] && !NUMBER.test(lines[k])) senses.push(lines[k]);
    }
    blocks.push({ reading: plain(m[1]), senses });
    if (m[2]) blocks.push({ reading: plain(m[2]), senses });
    i = k;
  }
  return { blocks, first };
}

// Where a detailed block starts at line i, its reading and the line its text starts at.
function detailHead(ch, lines, i) {
  if (!new RegExp(`^${escape(ch)}\\d*$`, 'u').test(lines[i])) return null;
  if (SYLLABLE_LINE.test(lines[i + 1] || '')) return { reading: plain(lines[i + 1]), start: i + 2 };
  // "(1)" / traditional form / reading: the form took the first number.
  if (NUMBER.test(lines[i + 1] || '') && (lines[i + 2] || '').length <= 4 && SYLLABLE_LINE.test(lines[i + 3] || '')) {
    return { reading: plain(lines[i + 3]), start: i + 4 };
  }
  return null;
}

// A compound's head word: two characters or more, one of them the character, over its reading.
function isWordHead(ch, lines, i) {
  const l = lines[i];
  return HAN_WORD.test(l) && l.includes(ch) && l.replace(/[，、]/g, '').length > 1 && WORD_READING.test(lines[i + 1] || '');
}

// Detailed blocks: [{reading, items: [{number?, lines: [text]}]}]; "(n)" starts an item, the lines
// after it (citations, "又如…") belong to it; lines before the first number form an item of
// their own (part of speech, a sense without number).
function detailBlocks(ch, lines, end) {
  const blocks = [];
  let block = null;
  let inWord = false;
  for (let i = 0; i < end; i++) {
    const l = lines[i];
    if (!l) continue;
    const head = detailHead(ch, lines, i);
    if (head) {
      block = { reading: head.reading, items: [] };
      blocks.push(block);
      inWord = false;
      i = head.start - 1;
      continue;
    }
    if (isWordHead(ch, lines, i)) {
      inWord = true;
      i++;
      continue;
    }
    if (!block || inWord) continue;
    if (NUMBER.test(l)) {
      block.items.push({ numbered: true, lines: [] });
      continue;
    }
    if (!block.items.length) block.items.push({ numbered: false, lines: [] });
    block.items[block.items.length - 1].lines.push(l);
  }
  for (const b of blocks) b.items = b.items.filter((it) => it.lines.length);
  return blocks.filter((b) => b.items.length);
}

// Parses one record's `more`; scraped site text without entries gives two empty lists.
function parseMore(ch, more) {
  const lines = String(more || '')
    .split('\n')
    .map((l) => l.replace(/^[\s\u3000]+|[\s\u3000]+$/g, ''));
  const { blocks, first } = basicBlocks(ch, lines);
  return { basic: blocks, detail: detailBlocks(ch, lines, first) };
}

module.exports = { parseMore };
