'use strict';
// Page 37, the perpetual calendar: the lunar-javascript library and our calendar script,
// both inlined so that the page works without a network.

const fs = require('fs');
const path = require('path');
const { charsetMeta, escape } = require('./html');

const ROOT = path.join(__dirname, '..');

function lunarLibrary() {
  const file = require.resolve('lunar-javascript/lunar.js');
  const text = fs.readFileSync(file, 'utf8');
  if (/<\/script/i.test(text)) throw new Error('lunar.js cannot be inlined: it contains </script');
  return text;
}

function calendarScript() {
  return fs.readFileSync(path.join(ROOT, 'calendar', 'wnl.js'), 'utf8');
}

function calendarPage(n, title) {
  const style = fs.readFileSync(path.join(ROOT, 'style', 'calendar.css'), 'utf8');
  const buttons = ['上一年', '下一年', '本月', '上一月', '下一月'];
  const actions = ['moveYear(-1)', 'moveYear(1)', 'thisMonth()', 'moveMonth(-1)', 'moveMonth(1)'];
  const week = ['日', '一', '二', '三', '四', '五', '六']
    .map((w, i) => `<th${i === 0 || i === 6 ? ' class="weekend"' : ''}>${w}</th>`).join('');
  return `<!DOCTYPE html>
<html lang="zh-CN">
<head>
${charsetMeta()}
<title>${escape(title)}</title>
<style type="text/css">
${style}</style>
<script type="text/javascript">
/* lunar-javascript 1.7.7, MIT License, Copyright (c) 2018 6tail */
${lunarLibrary()}
</script>
<script type="text/javascript">
${calendarScript()}</script>
</head>
<body onload="initialize()">
<div id="wnl">
<h1>${escape(title)}</h1>
<div class="bar">
<select id="SY" name="SY" onchange="changeCalendar()"></select>
<select id="SM" name="SM" onchange="changeCalendar()"></select>
${buttons.map((b, i) => `<input type="button" value="${b}" onclick="${actions[i]}">`).join('\n')}
</div>
<div id="head"></div>
<table class="month" cellspacing="0" cellpadding="0">
<thead><tr>${week}</tr></thead>
<tbody id="days"></tbody>
</table>
<div id="detail"></div>
<p class="foot">可查 1900 年至 2100 年的公历、农历、干支、节气和节日。点击日期可查看详情。</p>
</div>
</body>
</html>
`;
}

module.exports = { calendarPage };
