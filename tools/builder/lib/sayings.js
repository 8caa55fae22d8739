'use strict';
// Rows of the famous-sayings table: attributed lines of the sayings collections and of the
// classics, each with a Chinese attribution (person, or person and book).
const { oneLine } = require('./others');
const { LONG_SAYING } = require('./clean');

// The person behind a book when a collection names only the book.
const BOOK_PERSON = {
  论语: '孔子', 道德经: '老子', 老子: '老子', 孟子: '孟子', 庄子: '庄子', 荀子: '荀子', 韩非子: '韩非',
  菜根谭: '洪应明', 围炉夜话: '王永彬', 格言联璧: '金缨', 小窗幽记: '陈继儒', 孙子兵法: '孙武',
  朱子家训: '朱用纯', 朱子治家格言: '朱用纯', 劝学: '荀子',
};

// Lines an anthology quotes from an older work are credited to that work; checked by hand
// against the named books.
const ORIGINS = [
  { starts: '知我者', text: '知我者谓我心忧，不知我者谓我何求。', derivation: '《诗经·王风·黍离》' },
  { starts: '少壮不努力', text: '少壮不努力，老大徒伤悲。', derivation: '汉乐府《长歌行》' },
];

// The list opens with these, in this order (each picks the shortest saying that holds it).
const FAMOUS = [
  '学而时习之', '己所不欲，勿施于人', '三人行，必有我师焉', '温故而知新', '知之为知之，不知为不知',
  '学而不思则罔', '千里之行，始于足下', '天行健，君子以自强不息', '路漫漫其修远兮', '老吾老，以及人之老',
  '生于忧患而死于安乐', '富贵不能淫', '上善若水', '知人者智，自知者明', '海内存知己，天涯若比邻',
  '但愿人长久，千里共婵娟', '不积跬步，无以至千里', '先天下之忧而忧', '人生自古谁无死', '少壮不努力，老大徒伤悲',
  '读书破万卷，下笔如有神', '业精于勤，荒于嬉', '会当凌绝顶，一览众山小', '长风破浪会有时', '书山有路勤为径',
  '一寸光阴一寸金', '黎明即起，洒扫庭除', '勿以恶小而为之',
];

const HAN = /\p{Script=Han}/u;

function key(text) {
  return text.replace(/[^\p{Script=Han}A-Za-z0-9]/gu, '');
}

// "《论语》为政", "论语，为政篇", "岳阳楼记，范仲淹", "《谚语》", "老子《道德经》" …
function attribution(raw) {
  let text = oneLine(raw).replace(/\s+/g, '');
  if (/^《?谚语》?$/.test(text)) return '谚语';
  let m = text.match(/^([^《》，,]+)[，,]([^《》，,]+?)篇?$/);
  if (m && BOOK_PERSON[m[1]]) text = `《${m[1]}》${m[2]}`;
  else if (m && /^\p{Script=Han}{2,4}$/u.test(m[2])) return `${m[2]}《${m[1]}》`;
  m = text.match(/^《([^》]+)》(.*)$/);
  if (m) {
    let [, book, section] = m;
    const known = !BOOK_PERSON[book] && Object.keys(BOOK_PERSON).find((b) => book.startsWith(b));
    if (known) [book, section] = [known, book.slice(known.length).replace(/^[·・.]/, '') + section];
    const person = BOOK_PERSON[book] || '';
    return `${person}《${book}${section ? '·' + section.replace(/篇$/, '') : ''}》`;
  }
  if (BOOK_PERSON[text]) return `${BOOK_PERSON[text]}《${text}》`;
  return text;
}

// A saying worth listing: Chinese, short, credited in Chinese, not a chat log or a quip
// about software.
function rejected(name, derivation) {
  if (!HAN.test(name) || !HAN.test(derivation)) return 'not Chinese';
  if (/[A-Za-z]/.test(derivation) || /吧$|第\d+集|炼金术师/.test(derivation)) return 'not a person or book';
  if (/[A-Za-z]{3,}/.test(name) || /(^|[\s。！？])[\w .-]{1,20}[:：]/.test(name)) return 'chat or code';
  return '';
}

// Spaces the classics' digitisation left where quotation marks were.
function closeGaps(text) {
  return text
    .replace(/\s+/g, ' ')
    .replace(/ ?([\p{Script=Han}，。；：！？、“”]) ?/gu, '$1')
    .trim();
}

function classicRows(books) {
  const out = [];
  for (const b of books) {
    for (const c of b.chapters) {
      const section = c.title ? '·' + c.title : '';
      for (const p of c.paragraphs) out.push({ text: closeGaps(p), derivation: `${b.person}《${b.book}${b.sections ? section : ''}》` });
    }
  }
  return out;
}

const CLAUSE_SPLIT = /[，。！？；：、“”‘’「」『』《》（）()\s,.!?;:"]+/u;

// Clauses of the texts the dictionaries quote (examples, sources), for telling the famous lines
// of a poem from the rest.
function clauseSet(texts) {
  const set = new Set();
  for (const t of texts) {
    if (!t) continue;
    for (const c of t.split(CLAUSE_SPLIT)) if (c.length >= 4 && c.length <= 16) set.add(c);
  }
  return set;
}

// A sentence the dictionaries quote: each of its clauses of four characters or more is quoted.
function quotedSentence(sentence, quoted) {
  const clauses = sentence.split(CLAUSE_SPLIT).filter((c) => c.length >= 4);
  return clauses.length > 0 && clauses.every((c) => quoted(c));
}

// A whole poem or chapter is cut to its famous lines: the longest run of quoted sentences that
// fits `limit`; '' when the dictionaries quote none of it.
function famousLines(text, quoted, limit) {
  const sentences = text.match(/[^。！？；]+[。！？；]*[”’」』]*/g) || [];
  let best = '';
  for (let i = 0; i < sentences.length; i++) {
    let run = '';
    for (let j = i; j < sentences.length && quotedSentence(sentences[j], quoted); j++) {
      if ([...run + sentences[j]].length > limit) break;
      run += sentences[j];
      if (run.length > best.length) best = run;
    }
  }
  return best.replace(/^[”’」』\s]+/, '').trim();
}

// fortunes: {text, author, work, attribution}; hitokoto: {text, author, source, category};
// classics: [{person, book, sections, chapters: [{title, paragraphs}]}] already simplified.
// `quoted(clause)`: whether the dictionaries quote a clause (see clauseSet).
function buildSayings({ fortunes = [], hitokoto = [], classics = [], quoted = () => false }) {
  const rows = [];
  const seen = new Set();
  const left = { duplicates: 0, rejected: 0, cut: 0, long: 0 };
  const add = (text, derivation) => {
    // Corner brackets are the traditional-script quotation marks.
    let name = oneLine(text).replace(/「/g, '“').replace(/」/g, '”').replace(/『/g, '‘').replace(/』/g, '’');
    const origin = ORIGINS.find((o) => name.startsWith(o.starts));
    if (origin) [name, derivation] = [origin.text, origin.derivation];
    if (!name || !derivation || rejected(name, derivation)) {
      left.rejected++;
      return;
    }
    const k = key(name);
    if (seen.has(k)) {
      left.duplicates++;
      return;
    }
    seen.add(k);
    rows.push({ name, derivation });
  };
  for (const r of classicRows(classics)) add(r.text, r.derivation);
  for (const r of fortunes) add(r.text, attribution(r.attribution || (r.author ? `${r.author}《${r.work}》` : r.work) || ''));
  // The literature set also credits characters of novels and web writers: its lines are kept
  // only from authors the other collections quote too.
  const known = new Set([...fortunes.map((r) => r.author), ...hitokoto.filter((r) => r.category !== 'd').map((r) => r.author)]);
  for (const r of hitokoto) {
    if (r.category === 'd' && !known.has(r.author)) continue;
    const who = oneLine(r.author);
    const work = oneLine(r.source).replace(/[《》]/g, '');
    add(r.text, who ? `${who}${work && work !== who ? `《${work}》` : ''}` : attribution(work ? `《${work}》` : ''));
  }
  const opening = [];
  const used = new Set(); // rows moved to the opening or replaced there
  for (const phrase of FAMOUS) {
    const k = key(phrase);
    let best = null;
    for (const r of rows) {
      if (used.has(r) || !key(r.name).includes(k)) continue;
      if (!best || better(r, best)) best = r;
    }
    if (!best) continue;
    used.add(best);
    const short = excerpt(best.name, k);
    if (short === best.name || seen.has(key(short))) {
      opening.push(best);
      continue;
    }
    seen.add(key(short));
    opening.push({ name: short, derivation: best.derivation });
    // A long passage stays in the list too; a saying that only lost its speaker's frame does not.
    if (key(best.name).length - key(short).length > 4) used.delete(best);
  }
  const rest = [];
  for (const r of rows) {
    if (used.has(r)) continue;
    if ([...r.name].length <= LONG_SAYING) {
      rest.push(r);
      continue;
    }
    const lines = famousLines(r.name, quoted, LONG_SAYING);
    if (!lines || seen.has(key(lines))) {
      left.long++;
      continue;
    }
    seen.add(key(lines));
    rest.push({ name: lines, derivation: r.derivation });
    left.cut++;
  }
  return { rows: [...opening, ...rest], left, famous: opening.length };
}

// A saying credited to a person beats one credited to an anthology; then the shorter wins.
function better(a, b) {
  const personA = !a.derivation.startsWith('《');
  const personB = !b.derivation.startsWith('《');
  if (personA !== personB) return personA;
  return a.name.length < b.name.length;
}

// A long paragraph opens the list with the sentence that holds the saying, not the chapter;
// a saying quoted whole after its speaker (子曰：“…”) is shown without the frame.
function excerpt(text, phraseKey) {
  const framed = text.match(/^[^“”]{1,6}曰：“([^“”]+)”$/);
  if (framed) text = framed[1];
  if (text.length <= 40) return text;
  const balanced = (s) => (s.match(/[「“]/g) || []).length === (s.match(/[」”]/g) || []).length;
  const sentences = text.match(/[^。！？]+[。！？]*/g) || [text];
  const hit = sentences.find((s) => key(s).includes(phraseKey) && balanced(s));
  if (hit) return hit.replace(/^[「“『‘\s]+/, '').replace(/[」”』’]+$/, '').trim();
  const quoted = (text.match(/[「“][^」”]*[」”]/g) || []).find((q) => key(q).includes(phraseKey));
  return quoted ? quoted.slice(1, -1) : text;
}

// Books of the classics folder whose lines stand on their own as sayings.
const CLASSICS = [
  { file: 'chinese-poetry/lunyu/lunyu.json', person: '孔子', book: '论语', sections: true },
  { file: 'chinese-poetry/sishu/mengzi.json', person: '孟子', book: '孟子', sections: true, traditional: true },
  { file: 'niutrans/laozi_daodejing.json', person: '老子', book: '道德经', sections: true },
  { file: 'niutrans/zengguang_xianwen.json', person: '', book: '增广贤文' },
  { file: 'niutrans/mingxian_ji.json', person: '', book: '名贤集' },
  { file: 'niutrans/zhuzi_jiaxun.json', person: '朱用纯', book: '朱子家训' },
  { file: 'niutrans/geyan_lianbi.json', person: '金缨', book: '格言联璧' },
  { file: 'niutrans/caigentan.json', person: '洪应明', book: '菜根谭' },
  { file: 'niutrans/weilu_yehua.json', person: '王永彬', book: '围炉夜话' },
  { file: 'niutrans/xiaochuang_youji.json', person: '陈继儒', book: '小窗幽记' },
  { file: 'niutrans/sunzi_bingfa.json', person: '孙武', book: '孙子兵法', sections: true },
];

// The books present in the source folder, in simplified script; chapter shapes differ between
// the two collections ({chapter, paragraphs} arrays and {chapters: [{title, paragraphs}]}).
function classicBooks(src, toSimplified) {
  const books = [];
  for (const c of CLASSICS) {
    const rel = `classics/${c.file}`;
    if (!src.has(rel)) continue;
    const data = src.json(rel);
    const conv = c.traditional ? toSimplified : (s) => s;
    const chapters = (Array.isArray(data) ? data : data.chapters).map((ch) => ({
      title: conv(ch.title || ch.chapter || '').replace(/篇$/, ''),
      paragraphs: ch.paragraphs.map(conv),
    }));
    books.push({ ...c, chapters });
  }
  return books;
}

module.exports = { clauseSet, famousLines, buildSayings, classicBooks, attribution, rejected, closeGaps, excerpt, FAMOUS };
