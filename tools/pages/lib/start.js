'use strict';
// The opening page of the classics section (data/xhm.db): a welcome, the collection grouped
// by kind, and one famous line that changes with the date.

const fs = require('fs');
const path = require('path');
const { charsetMeta, escape } = require('./html');
const quotes = require('./quotes');

const GROUPS = [
  { name: '名句荟萃', note: '经典名句与诗文佳句', pages: [1, 2, 3, 4, 5] },
  { name: '蒙学读物', note: '旧时童蒙诵读的启蒙书', pages: [6, 7, 8, 9, 10, 12, 13, 16, 20] },
  { name: '诸子兵法', note: '道家与兵家经典', pages: [11, 14, 15, 17] },
  { name: '修身处世', note: '家训、格言与孝道', pages: [18, 19, 21, 22, 23] },
  { name: '文史常识', note: '姓氏、人物、地理、称谓与朝代', pages: [24, 25, 26, 27, 28] },
  { name: '诗词文学', note: '诗论、诗词篇目与曲调名', pages: [30, 32, 33] },
  { name: '语言文字', note: '拼音、通假、灯谜、校训与输入法', pages: [29, 31, 34, 35, 36] },
  { name: '实用工具', note: '公历农历对照', pages: [37] },
];

// A few lines from the famous-lines pages, each with its citation; checked like the pages.
function dailyLines(sources) {
  const lines = [];
  for (const page of quotes.QUOTES.pages) {
    for (const group of page.groups) {
      group.items.slice(0, 4).forEach((line) => {
        const where = quotes.citation(group.book, quotes.locate(sources, group.book, line));
        lines.push([line, where]);
      });
    }
  }
  return lines;
}

function startPage(titles, sources) {
  const style = fs.readFileSync(path.join(__dirname, '..', 'style', 'start.css'), 'utf8');
  const covered = new Set(GROUPS.flatMap((g) => g.pages));
  if (covered.size !== titles.length) throw new Error('start page groups do not cover every title');
  const cards = GROUPS.map((g) => {
    const items = g.pages.map((n) => `<li><span class="n">${n}</span>${escape(titles[n - 1])}</li>`).join('');
    return `<div class="card"><h3>${escape(g.name)}</h3><p>${escape(g.note)}</p><ul>${items}</ul></div>`;
  }).join('\n');
  const daily = dailyLines(sources);
  const lines = JSON.stringify(daily).replace(/</g, '\\u003c');
  return `<!DOCTYPE html>
<html lang="zh-CN">
<head>
${charsetMeta()}
<title>名句欣赏</title>
<style type="text/css">
${style}</style>
<script type="text/javascript">
var LINES = ${lines};
// One line a day, the same all day long.
function showLine() {
  var now = new Date();
  var day = Math.floor(Date.UTC(now.getFullYear(), now.getMonth(), now.getDate()) / 86400000);
  var pick = LINES[day % LINES.length];
  document.getElementById('line').textContent = pick[0];
  document.getElementById('where').textContent = '——' + pick[1];
}
</script>
</head>
<body onload="showLine()">
<div class="page">
<div class="banner">
<div class="seal">国学<br>经典</div>
<h1>名句欣赏</h1>
<p class="sub">读经典　品名句　知古今</p>
</div>
<div class="welcome">
<p>欢迎进入“名句欣赏”。这里收录了三十七篇国学读物：经典名句、蒙学诵本、诸子兵法、修身格言，以及姓氏、朝代、称谓、拼音、五笔等常用的文史知识表，还有一份可查公历与农历的万年历。</p>
<p>请点击左侧列表中的标题开始阅读。</p>
</div>
<div class="daily">
<div class="label">今日名句</div>
<div id="line" class="line">${escape(daily[0][0])}</div>
<div id="where" class="where"></div>
</div>
<div class="cards">
${cards}
</div>
<p class="foot">古籍原文均属公有领域，底本取自开放数据集并已转为简体字；各参考表由本程序编写。</p>
</div>
</body>
</html>
`;
}

module.exports = { startPage, GROUPS };
