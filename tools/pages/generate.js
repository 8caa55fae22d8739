#!/usr/bin/env node
'use strict';
// Writes the classics reader's 37 pages (GB18030), their Qt resource file and the opening
// page xhm.db.  Usage: node tools/pages/generate.js --source <shared data dir> --out <dir>

const fs = require('fs');
const path = require('path');
const { encode } = require('./lib/gb18030');
const { Sources } = require('./lib/sources');
const { resourcePage } = require('./lib/html');
const { bookPage } = require('./lib/texts');
const quotes = require('./lib/quotes');
const refs = require('./lib/refs');
const tables = require('./lib/tables');
const { calendarPage } = require('./lib/calendar');
const { startPage } = require('./lib/start');

// Resource n is the title at list position n (counted from 1).
const PAGES = [
  { title: '国学经典名句一', build: quotes.page(0) },
  { title: '国学经典名句二', build: quotes.page(1) },
  { title: '国学经典名句三', build: quotes.page(2) },
  { title: '国学经典名句四', build: quotes.page(3) },
  { title: '诗文名句精华', build: quotes.page(4) },
  { title: '百家姓', book: 'baijiaxing', layout: 'verse' },
  { title: '千字文', book: 'qianziwen', layout: 'verse' },
  { title: '弟子规', book: 'dizigui', layout: 'verse' },
  {
    title: '三字经', book: 'sanzijing', layout: 'verse',
    note: '此为通行本。“由康雍，历乾嘉”至“立宪法，建民国”数句记清代至民国史事，为清末民初人所增补。',
  },
  {
    title: '新三字经', book: 'chongding', layout: 'verse', byline: '章炳麟（太炎）重订',
    note: '今人所编《新三字经》尚在著作权保护期内，本页不予收录。此处代以章炳麟（太炎）重订的《重订三字经》'
      + '（1928年前后成书），同属改编三字经的读本，作者已逝世逾五十年，文本属公有领域。'
      + '底本取自 chinese-poetry 数据集“新版”三字经，经繁简转换，并据同一数据集中的传统版与简体本校正了十余处明显讹字。',
  },
  { title: '老子', book: 'laozi', layout: 'prose', byline: '春秋 · 老子（李耳）　又名《道德经》' },
  { title: '小儿语', build: refs.xiaoeryu },
  {
    title: '蒙求', book: 'mengqiu', layout: 'verse', byline: '唐 · 李瀚',
    note: '全书以四字一句、两句一韵的形式，概括古人事迹五百九十余则。底本取自《全唐诗》，带点下划线的字为该本的校改字。',
  },
  { title: '三十六计', book: 'sanshiliuji', layout: 'prose', byline: '佚名　成书于明清之际' },
  { title: '三略', book: 'sanlue', layout: 'prose', byline: '旧题秦 · 黄石公　又名《黄石公三略》' },
  { title: '声律启蒙', book: 'shenglv', layout: 'prose' },
  { title: '孙子兵法', book: 'sunzi', layout: 'prose' },
  { title: '围炉夜话', book: 'weilu', layout: 'prose' },
  { title: '孝经', book: 'xiaojing', layout: 'prose', byline: '先秦 · 旧题孔子及其门人' },
  { title: '幼学琼林', book: 'youxue', layout: 'prose', byline: '明 · 程登吉 原著　清 · 邹圣脉 增补' },
  { title: '增广贤文', book: 'zengguang', layout: 'verse' },
  { title: '朱子家训', book: 'zhuzi', layout: 'prose', byline: '明末清初 · 朱用纯（柏庐）　又名《朱子治家格言》' },
  { title: '名贤集', book: 'mingxian', layout: 'verse', byline: '佚名　宋元以后成书' },
  { title: '姓氏起源', build: refs.xingshi },
  { title: '孔子弟子简表', build: refs.dizi },
  { title: '各省名称由来', build: tables.page('shengfen') },
  { title: '中国古代称谓', build: tables.page('chengwei') },
  { title: '中国历史朝代', build: tables.page('chaodai') },
  { title: '汉语拼音方案', build: refs.pinyin },
  { title: '毛泽东诗词', build: tables.page('maoshici') },
  { title: '中国百强大学校训', build: tables.page('xiaoxun') },
  {
    title: '二十四诗品', book: 'ershisi', layout: 'verse', byline: '唐 · 司空图',
    note: '以四言韵语分论二十四种诗歌风格，每品十二句。底本取自《全唐诗》，带点下划线的字为该本的校改字。',
  },
  { title: '古代汉语词曲牌名', build: refs.cipai },
  { title: '现代灯谜常用谜格', build: tables.page('mige') },
  { title: '汉语常见通假字', build: tables.page('tongjia') },
  { title: '五笔字根表', build: refs.wubi },
  { title: '万年历', calendar: true },
];

function buildPages(sources) {
  return PAGES.map((spec, i) => {
    const n = i + 1;
    if (spec.calendar) return { n, title: spec.title, html: calendarPage(n, spec.title) };
    const body = spec.build ? spec.build(sources, spec) : bookPage(sources, spec);
    return { n, title: spec.title, html: resourcePage(n, spec.title, body, spec.options) };
  });
}

function qrc(pages) {
  const files = pages.map((p) => `    <file alias="${p.n}">${p.n}.html</file>`).join('\n');
  return `<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/pages">\n${files}\n  </qresource>\n</RCC>\n`;
}

function generate(sourceDir, outDir) {
  const sources = new Sources(sourceDir);
  const pages = buildPages(sources);
  fs.mkdirSync(outDir, { recursive: true });
  const written = [];
  for (const p of pages) {
    const bytes = encode(p.html);
    fs.writeFileSync(path.join(outDir, `${p.n}.html`), bytes);
    written.push({ n: p.n, title: p.title, bytes: bytes.length });
  }
  fs.writeFileSync(path.join(outDir, 'pages.qrc'), qrc(pages));
  fs.writeFileSync(path.join(outDir, 'xhm.db'), encode(startPage(PAGES.map((p) => p.title), sources)));
  return written;
}

function parseArgs(argv) {
  const args = {};
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--source') args.source = argv[++i];
    else if (argv[i] === '--out') args.out = argv[++i];
    else if (argv[i] === '--quiet') args.quiet = true;
    else throw new Error(`unknown argument ${argv[i]}`);
  }
  if (!args.source || !args.out) throw new Error('usage: generate.js --source <shared data dir> --out <dir>');
  return args;
}

if (require.main === module) {
  try {
    const args = parseArgs(process.argv.slice(2));
    const written = generate(path.resolve(args.source), path.resolve(args.out));
    if (!args.quiet) {
      for (const w of written) console.log(`${String(w.n).padStart(2)} ${w.title}  ${w.bytes} bytes`);
      console.log(`wrote ${written.length} pages, pages.qrc and xhm.db to ${args.out}`);
    }
  } catch (e) {
    console.error(`generate.js: ${e.message}`);
    process.exit(1);
  }
}

module.exports = { generate, PAGES, qrc };
