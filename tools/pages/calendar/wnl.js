// Perpetual calendar of the classics reader (page 37). Lunar dates, solar terms and festivals
// come from the lunar-javascript library inlined before this script. Nothing here touches
// the page until initialize() runs from the body's load event, so the date functions can
// also be used on their own.

var WNL_MIN_YEAR = 1900;
var WNL_MAX_YEAR = 2100;
var WNL_WEEK = ['日', '一', '二', '三', '四', '五', '六'];
var wnlYear = 0;
var wnlMonth = 0;
var wnlPicked = 0;

function daysInMonth(year, month) {
  return SolarUtil.getDaysOfMonth(year, month);
}

// Everything the calendar shows about one day.
function dayInfo(year, month, day) {
  var solar = Solar.fromYmd(year, month, day);
  var lunar = solar.getLunar();
  var info = {
    year: year, month: month, day: day,
    week: solar.getWeek(),
    lunarYear: lunar.getYearInGanZhi(),
    zodiac: lunar.getYearShengXiao(),
    lunarMonth: lunar.getMonthInChinese() + '月',
    lunarDay: lunar.getDayInChinese(),
    term: lunar.getJieQi(),
    festivals: lunar.getFestivals().concat(solar.getFestivals())
  };
  // The short line under the day number: a festival first, then a solar term, then the
  // lunar day, with the month's name on its first day.
  if (info.festivals.length) info.label = info.festivals[0];
  else if (info.term) info.label = info.term;
  else if (info.lunarDay === '初一') info.label = info.lunarMonth;
  else info.label = info.lunarDay;
  info.marked = !!(info.festivals.length || info.term);
  return info;
}

// The 42 cells (six weeks, Sunday first) of a month; days of other months are null.
function monthCells(year, month) {
  var first = Solar.fromYmd(year, month, 1).getWeek();
  var count = daysInMonth(year, month);
  var cells = [];
  for (var i = 0; i < 42; i++) {
    var d = i - first + 1;
    cells.push(d >= 1 && d <= count ? d : null);
  }
  return cells;
}

function clampMonth(year, month) {
  if (month < 1) { year -= 1; month = 12; }
  if (month > 12) { year += 1; month = 1; }
  if (year < WNL_MIN_YEAR) { year = WNL_MIN_YEAR; month = 1; }
  if (year > WNL_MAX_YEAR) { year = WNL_MAX_YEAR; month = 12; }
  return { year: year, month: month };
}

// A month that holds the lunar new year belongs to two lunar years; both are named.
function monthTitle(year, month) {
  var first = dayInfo(year, month, 1);
  var last = dayInfo(year, month, daysInMonth(year, month));
  var text = year + '年' + month + '月　农历' + first.lunarYear + '年【' + first.zodiac + '年】';
  if (last.lunarYear !== first.lunarYear) text += '至' + last.lunarYear + '年【' + last.zodiac + '年】';
  return text;
}

function describe(info) {
  var text = info.year + '年' + info.month + '月' + info.day + '日　星期' + WNL_WEEK[info.week]
    + '<br>农历' + info.lunarYear + '年（' + info.zodiac + '年）' + info.lunarMonth + info.lunarDay;
  if (info.term) text += '<br>节气：' + info.term;
  if (info.festivals.length) text += '<br>节日：' + info.festivals.join('　');
  return text;
}

function showDay(day) {
  wnlPicked = day;
  var cells = document.getElementById('days').getElementsByTagName('td');
  for (var i = 0; i < cells.length; i++) {
    var d = parseInt(cells[i].getAttribute('data-day'), 10);
    cells[i].className = cells[i].className.replace(/ ?picked/, '') + (d === day ? ' picked' : '');
  }
  document.getElementById('detail').innerHTML = describe(dayInfo(wnlYear, wnlMonth, day));
}

function drawMonth(year, month) {
  var at = clampMonth(year, month);
  wnlYear = at.year;
  wnlMonth = at.month;
  document.getElementById('SY').value = String(wnlYear);
  document.getElementById('SM').value = String(wnlMonth);
  var now = new Date();
  var todayHere = now.getFullYear() === wnlYear && now.getMonth() + 1 === wnlMonth;
  var cells = monthCells(wnlYear, wnlMonth);
  var html = '';
  for (var i = 0; i < 42; i++) {
    if (i % 7 === 0) html += '<tr>';
    var d = cells[i];
    if (d === null) {
      html += '<td class="empty"></td>';
    } else {
      var info = dayInfo(wnlYear, wnlMonth, d);
      var cls = 'day' + (i % 7 === 0 || i % 7 === 6 ? ' weekend' : '')
        + (todayHere && d === now.getDate() ? ' today' : '');
      html += '<td class="' + cls + '" data-day="' + d + '" onclick="showDay(' + d + ')">'
        + '<span class="solar">' + d + '</span><span class="lunar' + (info.marked ? ' mark' : '') + '">'
        + info.label + '</span></td>';
    }
    if (i % 7 === 6) html += '</tr>';
  }
  document.getElementById('days').innerHTML = html;
  document.getElementById('head').innerHTML = monthTitle(wnlYear, wnlMonth);
  showDay(todayHere ? now.getDate() : 1);
}

function changeCalendar() {
  drawMonth(parseInt(document.getElementById('SY').value, 10), parseInt(document.getElementById('SM').value, 10));
}

function moveYear(step) {
  drawMonth(wnlYear + step, wnlMonth);
}

function moveMonth(step) {
  drawMonth(wnlYear, wnlMonth + step);
}

function thisMonth() {
  var now = new Date();
  drawMonth(now.getFullYear(), now.getMonth() + 1);
}

function initialize() {
  var sy = document.getElementById('SY');
  var sm = document.getElementById('SM');
  for (var y = WNL_MIN_YEAR; y <= WNL_MAX_YEAR; y++) sy.options[sy.options.length] = new Option(y + '年', String(y));
  for (var m = 1; m <= 12; m++) sm.options[sm.options.length] = new Option(m + '月', String(m));
  thisMonth();
}
