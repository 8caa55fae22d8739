'use strict';
// Reference pages built from the data sets: surname origins, Confucius' disciples, the pinyin
// scheme, tune names and the wubi key table, plus the page for 小儿语, whose text is missing.

const fs = require('fs');
const path = require('path');
const { pageHeader, table, escape } = require('./html');

function content(name) {
  return JSON.parse(fs.readFileSync(path.join(__dirname, '..', 'content', `${name}.json`), 'utf8'));
}

// --- 小儿语 ---------------------------------------------------------------------------
function xiaoeryu() {
  const rows = [
    ['书名', '小儿语'],
    ['作者', '吕得胜，明代河南宁陵人，理学家吕坤之父'],
    ['成书', '明嘉靖年间'],
    ['体例', '韵语，分四言、六言和杂言，句短押韵，便于儿童诵读'],
    ['内容', '教儿童立身处世、待人接物的道理，如言行须从容、待人须宽厚、做事须勤谨'],
    ['续作', '其子吕坤作《续小儿语》，又辑有《演小儿语》'],
  ];
  return [
    pageHeader('小儿语', '明 · 吕得胜'),
    '<hr class="rule">',
    table(null, rows.map(([k, v]) => [`<b>${escape(k)}</b>`, escape(v)])),
    '<p class="note">本书原文未能从可靠的公有领域底本中取得。为免以讹传讹，本页只作书目介绍，暂不收录正文。'
      + '同类的蒙学读物，可阅读本栏目中的《三字经》《弟子规》《千字文》《增广贤文》《名贤集》等篇。</p>',
  ].join('\n');
}

// --- 姓氏起源 -------------------------------------------------------------------------
// Surnames in 百家姓 order: at each position a two-character surname of the data wins over
// a single one; surnames the rhyme lacks follow at the end.
function surnameOrder(sources, records) {
  const known = new Set(records.map((r) => r.surname));
  // The rhyme closes with "百家姓终", which names no surname.
  const text = sources.book('baijiaxing').chapters[0].paragraphs.join('').replace(/[^\p{Script=Han}]/gu, '')
    .replace(/百家姓终$/, '');
  const order = [];
  const seen = new Set();
  for (let i = 0; i < text.length;) {
    const two = text.slice(i, i + 2);
    const name = known.has(two) ? two : text[i];
    i += name.length;
    if (known.has(name) && !seen.has(name)) { seen.add(name); order.push(name); }
  }
  for (const r of records) if (!seen.has(r.surname)) { seen.add(r.surname); order.push(r.surname); }
  return order;
}

const SECTION_HEAD = /^(历史来源|家族名人|迁徙分布|迁移分布|地望分布)[:：]?/;

// The origin paragraphs of a record: its 历史来源 section, or in an unsectioned record the
// paragraphs from "历史来源" up to the next heading.
function origins(record) {
  const s = record.sections;
  if (s['历史来源']) return { origin: s['历史来源'], seats: s['地望分布'] || [] };
  const origin = [];
  const seats = [];
  let current = null;
  for (const p of s['正文'] || []) {
    const m = p.match(SECTION_HEAD);
    if (m) current = m[1];
    const text = m ? p.slice(m[0].length) : p;
    if (current === '历史来源') origin.push(text);
    if (current === '地望分布') seats.push(text);
  }
  return { origin, seats };
}

// The scraped text carries private-use code points where a rare character was lost. Those
// the context settles are restored from the corrections file; the rest are shown as the
// customary □ for a missing character. Half-width and small-form punctuation inside Chinese
// text is written as the full-width mark.
function tidy(text) {
  return text
    .replace(/[\uE000-\uF8FF]/g, '□')
    .replace(/[「『]/g, '“').replace(/[」』]/g, '”')
    .replace(/\s+/g, '')
    .replace(/^([一二三四五六七八九十]+)[;；﹕:：]/, '$1、')
    .replace(/﹕/g, '：')
    .replace(/([^\x00-\x7f]);/g, '$1；').replace(/([^\x00-\x7f])\?/g, '$1？').replace(/([^\x00-\x7f]),(?=[^\x00-\x7f])/g, '$1，')
    .replace(/&lt;&lt;|<</g, '《').replace(/&gt;&gt;|>>/g, '》').replace(/&lt;|</g, '〈').replace(/&gt;|>/g, '〉')
    .replace(/《[^《》]*》/g, (title) => title.replace(/[．.\-]/g, '·'))
    .replace(/([^\x00-\x7f])[．.](?=[^\x00-\x7f]|$)/g, '$1。').replace(/。{2,}/g, '。')
    .replace(/[０-９]/g, (d) => String.fromCharCode(d.charCodeAt(0) - 0xfee0));
}

// Applies the corrections file's fixes for this page to every paragraph of a record; a fix
// that no longer matches anywhere stops the build, as it does for the books.
function corrected(records, fixes) {
  const hits = new Map(fixes.map((f) => [f.from, 0]));
  const fix = (p) => fixes.reduce((t, f) => {
    if (!t.includes(f.from)) return t;
    hits.set(f.from, hits.get(f.from) + 1);
    return t.split(f.from).join(f.to);
  }, p);
  const out = records.map((r) => ({
    ...r,
    sections: Object.fromEntries(Object.entries(r.sections).map(([k, v]) => [k, v.map(fix)])),
  }));
  for (const [from, n] of hits) if (!n) throw new Error(`correction for xingshi no longer applies: ${from}`);
  return out;
}

function xingshi(sources) {
  const data = sources.json('niutrans/xingshi_qiyuan.json');
  const records = corrected(data.records, (sources.corrections && sources.corrections.xingshi) || []);
  const byName = new Map(records.map((r) => [r.surname, r]));
  const order = surnameOrder(sources, records).filter((n) => origins(byName.get(n)).origin.length);
  const index = order.map((n, i) => `<a href="#s${i + 1}">${escape(n)}</a>`).join(' ');
  const parts = [
    pageHeader('姓氏起源', `按《百家姓》次序收录 ${order.length} 个姓氏的来源`),
    `<div class="index">${index}</div>`,
    '<hr class="rule">',
  ];
  order.forEach((name, i) => {
    const { origin, seats } = origins(byName.get(name));
    parts.push(`<h2 id="s${i + 1}">${escape(name)}</h2>`);
    for (const p of origin.map(tidy).filter(Boolean)) parts.push(`<p class="prose">${escape(p)}</p>`);
    const seat = seats.map(tidy).filter(Boolean).join('');
    if (seat) parts.push(`<p class="small">郡望：${escape(seat)}</p>`);
  });
  parts.push('<p class="small">资料来源：NiuTrans/Classical-Modern 数据集中的“百家姓”部分（MIT 许可）。</p>');
  return parts.join('\n');
}

// --- 孔子弟子简表 -----------------------------------------------------------------------
const TEN_WISE = {
  颜渊: '颜回', 闵子骞: '闵损', 冉伯牛: '冉耕', 仲弓: '冉雍', 冉有: '冉求',
  季路: '仲由', 宰我: '宰予', 子贡: '端沐赐', 子游: '言偃', 子夏: '卜商',
};

function dizi(sources) {
  const data = sources.json('confucius/kongzi_dizi.json');
  // 四科 names the ten by their usual names; the table lists them by name as in the source.
  const ke = {};
  for (const [k, names] of Object.entries(data.sike_shizhe)) {
    for (const n of names) {
      const name = TEN_WISE[n] || n;
      if (!data.disciples.some((d) => d.name === name)) throw new Error(`disciple ${n} not in the table`);
      ke[name] = k;
    }
  }
  const tag = (d) => ke[d.name] || '';
  const years = (d) => (d.years_younger_than_confucius == null ? '' : `${d.years_younger_than_confucius}`);
  const groups = [
    { title: '有年名及受业见于书传者（三十五人）', match: /^显有/ },
    { title: '无年及不见书传者（四十二人）', match: /^无年/ },
  ];
  const parts = [
    pageHeader('孔子弟子简表', '据《史记·仲尼弟子列传》'),
    '<p class="note">《史记·仲尼弟子列传》载：“孔子曰‘受业身通者七十有七人’，皆异能之士也。”'
      + '司马迁列其中三十五人的年岁、姓名及受业事迹，另四十二人仅录姓名和字。表中“少孔子”指比孔子年少的岁数；空白处为原书未载。</p>',
  ];
  let n = 0;
  for (const g of groups) {
    parts.push(`<h2>${escape(g.title)}</h2>`);
    const rows = data.disciples.filter((d) => g.match.test(d.group)).map((d) => {
      n += 1;
      const k = tag(d);
      return [`<span class="num">${n}</span>`, escape(d.name), escape(d.zi || '—'), escape(d.native_place || '—'),
        escape(years(d) ? `${years(d)}岁` : '—'), escape(k ? `孔门十哲·${k}` : '')];
    });
    parts.push(table(['序', '姓名', '字', '籍贯', '少孔子', '备注'], rows));
  }
  const sike = Object.entries(data.sike_shizhe).map(([k, names]) => [escape(k), escape(names.join('、'))]);
  parts.push('<h2>孔门四科十哲</h2>', '<p class="small">《论语·先进》：“德行：颜渊、闵子骞、冉伯牛、仲弓。言语：宰我、子贡。政事：冉有、季路。文学：子游、子夏。”</p>',
    table(['科', '弟子'], sike));
  return parts.join('\n');
}

// --- 汉语拼音方案 -----------------------------------------------------------------------
function pinyin(sources) {
  const d = sources.json('hanyu_pinyin_fangan_1958.json');
  const parts = [pageHeader('汉语拼音方案', '1958年2月11日第一届全国人民代表大会第五次会议批准'), '<hr class="rule">'];
  const letters = d.letters.table;
  const half = Math.ceil(letters.length / 2);
  const letterRows = [letters.slice(0, half), letters.slice(half)].map((row) => [
    row.map((l) => `${l.upper}${l.lower}`), row.map((l) => l.name_zhuyin)]).flat();
  parts.push('<h2>一、字母表</h2>', table(null, letterRows.map((r) => r.map(escape)), 'grid'));
  for (const n of d.letters.notes) parts.push(`<p class="small">${escape(n)}</p>`);
  const byPinyin = new Map(d.initials.table.map((x) => [x.pinyin, x]));
  parts.push('<h2>二、声母表</h2>');
  parts.push(table(null, d.initials.rows.map((row) => row.map((p) => {
    const x = byPinyin.get(p);
    return `<b>${escape(p)}</b><br>${escape(x.zhuyin)}${escape(x.example)}`;
  })), 'grid'));
  for (const n of d.initials.notes) parts.push(`<p class="small">${escape(n)}</p>`);
  parts.push('<h2>三、韵母表</h2>');
  const finals = d.finals.rows.map((row) => row.map((c) => (c ? `<b>${escape(c.pinyin)}</b>　${escape(c.zhuyin)}　${escape(c.example)}` : '')));
  parts.push(table(d.finals.columns, finals));
  d.finals.notes.forEach((n, i) => parts.push(`<p class="small">（${i + 1}）${escape(n)}</p>`));
  parts.push('<h2>四、声调符号</h2>');
  parts.push(table(['调类', '符号', '例'], d.tones.table.map((t) => [escape(t.name), escape(t.mark || '（不标）'), escape(t.example)])));
  for (const n of d.tones.notes) parts.push(`<p class="small">${escape(n)}</p>`);
  parts.push('<h2>五、隔音符号</h2>');
  for (const n of d.syllable_dividing_mark.notes) parts.push(`<p class="prose">${escape(n)}</p>`);
  return parts.join('\n');
}

// --- 古代汉语词曲牌名 -------------------------------------------------------------------
// Names counted in the 宋词 and 元曲 collections. Rare names are mostly titles or misreadings
// and are left out; content/tunes.json drops a few section labels and mends names the
// counting cut short.
function tuneNames(list, rule) {
  const seen = new Set();
  const names = [];
  for (const t of list) {
    const name = (rule.rename || {})[t.name] || t.name;
    if (t.count < rule.minCount || name.length < 2 || !/^\p{Script=Han}+$/u.test(name)) continue;
    if ((rule.drop || []).includes(name) || seen.has(name)) continue;
    seen.add(name);
    names.push({ name, count: t.count });
  }
  return names;
}

function cipai(sources) {
  const rules = content('tunes');
  const cipaiNames = tuneNames(sources.json('cipai_qupai_names.json').cipai, rules.cipai);
  const qupaiNames = tuneNames(sources.json('qupai_names_clean.json').qupai, rules.qupai);
  const grid = (names, per) => {
    const rows = [];
    for (let i = 0; i < names.length; i += per) rows.push(names.slice(i, i + per).map(escape));
    return table(null, rows, 'grid');
  };
  const common = cipaiNames.filter((c) => c.count >= 100);
  return [
    pageHeader('古代汉语词曲牌名', '宋词词牌与元曲曲牌'),
    '<p class="note">词牌是填词所依的曲调名，规定了词的字数、句式和平仄；曲牌是元曲（散曲、杂剧）所用的曲调名。'
      + `下面的名目统计自《全宋词》和元曲总集：词牌 ${cipaiNames.length} 个，曲牌 ${qupaiNames.length} 个，`
      + `都是见于 ${rules.cipai.minCount} 首以上作品的调名，按使用次数由多到少排列。</p>`,
    '<h2>常用词牌（用例百首以上）</h2>',
    table(['词牌', '宋词用例'], common.map((c) => [escape(c.name), `${c.count}首`])),
    '<h2>词牌名录</h2>',
    grid(cipaiNames.map((c) => c.name), 5),
    '<h2>元曲曲牌名录</h2>',
    grid(qupaiNames.map((q) => q.name), 5),
    '<p class="small">资料来源：chinese-poetry 数据集（MIT 许可）中的宋词与元曲。</p>',
  ].join('\n');
}

// --- 五笔字根表 -----------------------------------------------------------------------
function wubiCodes(sources) {
  const file = path.join(sources.dataDir, 'wubi', 'wubi86_chars.tsv');
  const codes = new Map();
  if (!fs.existsSync(file)) return codes;
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    if (!line || line.startsWith('#')) continue;
    const [ch, full, allCodes] = line.split('\t');
    codes.set(ch, { full: full.split(' '), all: (allCodes || '').split(' ') });
  }
  return codes;
}

// Each listed root that the code table knows must be coded on its own key; the key's name
// character is coded as that key four times. A slip in the table stops the build.
function checkWubi(spec, codes) {
  for (const zone of spec.zones) {
    for (const k of zone.keys) {
      const key = k.key.toLowerCase();
      const roots = k.roots.split(/\s+/);
      const name = codes.get(roots[0]);
      if (name && !name.full.includes(key.repeat(4))) throw new Error(`wubi: ${roots[0]} is not the key name of ${k.key}`);
      for (const r of roots) {
        const c = codes.get(r);
        const real = c ? c.full.filter((f) => !f.startsWith('z')) : [];
        if (real.length && !real.some((f) => f.startsWith(key))) throw new Error(`wubi: root ${r} is not on key ${k.key}`);
      }
    }
  }
}

function wubi(sources) {
  const spec = content('wubi');
  const codes = wubiCodes(sources);
  if (codes.size) checkWubi(spec, codes);
  const short = new Map();
  for (const [ch, c] of codes) for (const code of c.all) if (code.length === 1) short.set(code, ch);
  const parts = [pageHeader('五笔字根表', spec.byline, escape(spec.note)), '<hr class="rule">'];
  const rows = [];
  spec.zones.forEach((zone, zi) => {
    zone.keys.forEach((k, ki) => {
      const roots = k.roots.split(/\s+/);
      rows.push([
        ki === 0 ? `<b>${escape(zone.name)}</b><br><span class="aside">首笔 ${escape(zone.stroke)}</span>` : '',
        `${zi + 1}${ki + 1}`, `<b>${k.key}</b>`, `<b>${escape(roots[0])}</b>`,
        escape(roots.slice(1).join('　')), escape(short.get(k.key.toLowerCase()) || ''),
      ]);
    });
  });
  parts.push(table(['区', '区位号', '键位', '键名字', '同键字根', '一级简码'], rows));
  parts.push('<h2>编码规则要点</h2>', table(['项目', '说明'], spec.rules.map(([a, b]) => [escape(a), escape(b)])));
  return parts.join('\n');
}

module.exports = { tidy, corrected, xiaoeryu, xingshi, dizi, pinyin, cipai, wubi, surnameOrder, origins, checkWubi, tuneNames };
