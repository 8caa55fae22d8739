'use strict';
// Reads the classical texts from the shared data folder and brings them to one shape:
// { title, author, dynasty, chapters: [{ title, section, paragraphs: [text] }] }, simplified.

const fs = require('fs');
const path = require('path');
const OpenCC = require('opencc-js');

const toSimplified = OpenCC.Converter({ from: 't', to: 'cn' });

// After conversion: 於 stays a surname of its own in 百家姓 instead of merging with 于, and
// 茍 (jì), which the traditional sources use by mistake for 苟 (gǒu), is put right.
const AFTER_CONVERSION = [['荀羊于惠', '荀羊於惠'], ['茍', '苟']];

// The NiuTrans copies turned every quotation mark into a space. Spaces alternate between
// opening and closing marks; an opening mark follows a colon or a "so-called" verb. When a
// paragraph does not fit that pattern the spaces are dropped rather than guessed at.
function restoreQuotes(paragraph) {
  const parts = paragraph.split(/ +/);
  if (parts.length === 1) return paragraph;
  const gaps = parts.length - 1;
  let before = '';
  for (let i = 0; i < gaps; ++i) {
    before += parts[i];
    const opening = i % 2 === 0;
    if (opening && (!/[：:曰云谓]$/.test(before) || parts[i + 1] === '')) return parts.join('');
    if (!opening && /[：:]$/.test(before)) return parts.join('');
  }
  let out = parts[0];
  for (let i = 1; i < parts.length; ++i) out += ((i - 1) % 2 === 0 ? '“' : '”') + parts[i];
  // An odd count means the closing mark stood at the end of the line and was trimmed with it.
  if (gaps % 2 === 1) out += '”';
  return out;
}

class Sources {
  constructor(dataDir, options = {}) {
    this.dataDir = dataDir;
    this.classics = path.join(dataDir, 'classics');
    if (!fs.existsSync(this.classics)) throw new Error(`no classics folder in ${dataDir}`);
    this.cache = new Map();
    this.corrections = options.corrections
      || JSON.parse(fs.readFileSync(path.join(__dirname, '..', 'content', 'corrections.json'), 'utf8'));
  }

  json(rel) {
    const file = path.join(this.classics, rel);
    if (!this.cache.has(file)) this.cache.set(file, JSON.parse(fs.readFileSync(file, 'utf8')));
    return this.cache.get(file);
  }

  has(rel) {
    return fs.existsSync(path.join(this.classics, rel));
  }

  // Applies the known fixes of a source to its chapters; each fix must still match somewhere,
  // so that a changed source stops the build rather than silently losing a fix.
  corrected(id, book) {
    for (const fix of this.corrections[id] || []) {
      let hits = 0;
      for (const c of book.chapters) {
        c.paragraphs = c.paragraphs.map((p) => {
          if (!p.includes(fix.from)) return p;
          hits += 1;
          return p.split(fix.from).join(fix.to);
        });
      }
      if (!hits) throw new Error(`correction for ${id} no longer applies: ${fix.from}`);
    }
    return book;
  }

  // A NiuTrans book (already simplified).
  niutrans(file, id) {
    const d = this.json(path.join('niutrans', file));
    return {
      title: d.title, author: d.author, dynasty: d.dynasty,
      chapters: d.chapters.map((c) => ({
        title: c.title, section: c.section || '',
        paragraphs: c.paragraphs.map(restoreQuotes).filter((p) => p),
      })),
    };
  }

  // A chinese-poetry book in traditional characters, converted.
  traditional(paragraphsByChapter, meta, id) {
    const convert = (s) => {
      let t = toSimplified(s);
      for (const [from, to] of AFTER_CONVERSION) t = t.split(from).join(to);
      return t;
    };
    return {
      title: meta.title, author: meta.author, dynasty: meta.dynasty || '',
      chapters: paragraphsByChapter.map((c) => ({
        title: c.title ? toSimplified(c.title) : '', section: c.section ? toSimplified(c.section) : '',
        paragraphs: c.paragraphs.map(convert),
      })),
    };
  }

  book(id) {
    if (this.cache.has(id)) return this.cache.get(id);
    const b = this.corrected(id, this.load(id));
    this.cache.set(id, b);
    return b;
  }

  load(id) {
    const nt = {
      laozi: 'laozi_daodejing.json', sunzi: 'sunzi_bingfa.json', sanshiliuji: 'sanshiliu_ji.json',
      sanlue: 'sanlue.json', xiaojing: 'xiaojing.json', weilu: 'weilu_yehua.json',
      mingxian: 'mingxian_ji.json', sanzijing: 'sanzijing.json', qianziwen: 'qianziwen.json',
      dizigui: 'dizigui.json', shenglv: 'shenglv_qimeng.json', youxue: 'youxue_qionglin.json',
      zengguang: 'zengguang_xianwen.json', zhuzi: 'zhuzi_jiaxun.json', geyan: 'geyan_lianbi.json',
      caigentan: 'caigentan.json', xiaochuang: 'xiaochuang_youji.json',
    };
    if (nt[id]) return this.niutrans(nt[id], id);
    const cp = 'chinese-poetry/';
    switch (id) {
      case 'baijiaxing': {
        const d = this.json(`${cp}mengxue/baijiaxing.json`);
        return this.traditional([{ paragraphs: d.paragraphs }], { title: '百家姓', author: '佚名', dynasty: '北宋' }, id);
      }
      case 'chongding': {
        const d = this.json(`${cp}mengxue/sanzijing-new.json`);
        return this.traditional([{ paragraphs: d.paragraphs }], { title: '重订三字经', author: '章炳麟', dynasty: '民国' }, id);
      }
      case 'lunyu': {
        const d = this.json(`${cp}lunyu/lunyu.json`);
        return { title: '论语', author: '孔子弟子及再传弟子', dynasty: '春秋',
          chapters: d.map((c) => ({ title: c.chapter.replace(/篇$/, ''), section: '', paragraphs: c.paragraphs })) };
      }
      case 'mengzi': {
        const d = this.json(`${cp}sishu/mengzi.json`);
        return this.traditional(d.map((c) => ({ title: c.chapter, paragraphs: c.paragraphs })), { title: '孟子', author: '孟轲', dynasty: '战国' }, id);
      }
      case 'daxue':
      case 'zhongyong': {
        const d = this.json(`${cp}sishu/${id}.json`);
        const title = id === 'daxue' ? '大学' : '中庸';
        return this.traditional([{ title, paragraphs: d.paragraphs }], { title, author: '', dynasty: '' }, id);
      }
      case 'tangshi':
      case 'qianjiashi': {
        const d = this.json(`${cp}mengxue/${id === 'tangshi' ? 'tangshisanbaishou' : 'qianjiashi'}.json`);
        const poems = [];
        for (const group of d.content) {
          for (const p of group.content) {
            poems.push({ title: p.chapter, section: (p.author || '').replace(/[（(].*?[）)]/g, '').trim(),
              paragraphs: p.paragraphs });
          }
        }
        return this.traditional(poems, { title: id === 'tangshi' ? '唐诗三百首' : '千家诗' }, id);
      }
      case 'guwen': {
        const d = this.json(`${cp}mengxue/guwenguanzhi.json`);
        const essays = [];
        for (const vol of d.content) {
          for (const e of vol.content) {
            essays.push({ title: e.chapter, section: (e.author || '').split(/[：:]/).pop().trim(), paragraphs: e.paragraphs });
          }
        }
        return this.traditional(essays, { title: '古文观止' }, id);
      }
      case 'ershisi':
      case 'mengqiu': {
        const d = this.json(id === 'ershisi' ? 'ershisi_shipin.json' : 'mengqiu_lihan.json');
        return { title: d.title_simplified, author: d.author_simplified, dynasty: d.dynasty,
          chapters: d.chapters_simplified.map((c) => ({ title: c.title, section: '',
            paragraphs: c.paragraphs })) };
      }
      default:
        throw new Error(`unknown book ${id}`);
    }
  }
}

module.exports = { Sources, restoreQuotes, toSimplified };
