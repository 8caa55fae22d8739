'use strict';
// The calendar's date logic, run from the page's own scripts as the browser would get them.
const test = require('node:test');
const assert = require('node:assert/strict');
const vm = require('vm');
const { calendarPage } = require('../lib/calendar');
const { encode, decode } = require('../lib/gb18030');

function pageContext() {
  const html = decode(encode(calendarPage(37, '万年历')));
  const scripts = [...html.matchAll(/<script type="text\/javascript">([\s\S]*?)<\/script>/g)].map((m) => m[1]);
  assert.equal(scripts.length, 2, 'library and calendar script');
  const context = vm.createContext({});
  for (const s of scripts) vm.runInContext(s, context);
  return context;
}

const page = pageContext();

test('lunar dates, solar terms and festivals of single days', () => {
  const cases = [
    // [y, m, d, lunar year, lunar month, lunar day, solar term, festival, label]
    [2024, 2, 10, '甲辰', '正月', '初一', '', '春节', '春节'],
    [2024, 2, 9, '癸卯', '腊月', '三十', '', '除夕', '除夕'],
    [2026, 12, 22, '丙午', '冬月', '十四', '冬至', null, '冬至'],
    [2025, 10, 6, '乙巳', '八月', '十五', '', '中秋节', '中秋节'],
    [2023, 6, 22, '癸卯', '五月', '初五', '', '端午节', '端午节'],
    [1900, 1, 31, '庚子', '正月', '初一', '', '春节', '春节'],
    [2024, 3, 10, '甲辰', '二月', '初一', '', null, '二月'],
    [2024, 3, 11, '甲辰', '二月', '初二', '', '龙头节', '龙头节'],
    [2024, 3, 13, '甲辰', '二月', '初四', '', null, '初四'],
  ];
  for (const [y, m, d, year, month, day, term, festival, label] of cases) {
    const info = page.dayInfo(y, m, d);
    const at = `${y}-${m}-${d}`;
    assert.equal(info.lunarYear, year, at);
    assert.equal(info.lunarMonth, month, at);
    assert.equal(info.lunarDay, day, at);
    assert.equal(info.term, term, at);
    if (festival) assert.ok(info.festivals.includes(festival), `${at} ${info.festivals}`);
    assert.equal(info.label, label, at);
  }
});

test('a leap lunar month is named as such', () => {
  // 2023 has a leap second month: 2023-03-22 is 闰二月初一.
  const info = page.dayInfo(2023, 3, 22);
  assert.equal(info.lunarMonth, '闰二月');
  assert.equal(info.label, '闰二月');
});

test('month grids start on the right weekday and hold every day', () => {
  const cases = [
    // [year, month, blank cells before day 1, days]
    [2024, 2, 4, 29], // leap year, starts on a Thursday
    [2100, 2, 1, 28], // 2100 is not a leap year
    [1900, 2, 4, 28], // neither is 1900
    [2026, 12, 2, 31],
  ];
  for (const [y, m, blanks, days] of cases) {
    const cells = page.monthCells(y, m);
    assert.equal(cells.length, 42);
    assert.equal(cells.indexOf(1), blanks, `${y}-${m}`);
    assert.equal(cells.filter((c) => c !== null).length, days, `${y}-${m}`);
  }
});

test('moving past either end of the range stops at 1900 and 2100', () => {
  const cases = [
    [[1900, 0], [1900, 1]],
    [[1899, 12], [1900, 1]],
    [[2100, 13], [2100, 12]],
    [[2024, 13], [2025, 1]],
    [[2024, 0], [2023, 12]],
  ];
  for (const [[y, m], [ey, em]] of cases) {
    const at = page.clampMonth(y, m);
    assert.deepEqual([at.year, at.month], [ey, em], `${y}-${m}`);
  }
});

test('the whole range 1900 to 2100 can be drawn', () => {
  for (let y = 1900; y <= 2100; y += 1) {
    for (const m of [1, 12]) {
      const last = page.monthCells(y, m).filter((c) => c !== null).pop();
      assert.equal(page.dayInfo(y, m, last).day, last);
    }
  }
});

// Just enough of a document for the calendar's own event handlers.
function fakeDocument() {
  const elements = {};
  const element = () => ({ value: '', innerHTML: '', options: [], getElementsByTagName: () => [] });
  for (const id of ['SY', 'SM', 'days', 'head', 'detail']) elements[id] = element();
  return { getElementById: (id) => elements[id], elements };
}

test('the boxes and buttons redraw the month they name', () => {
  const doc = fakeDocument();
  const context = pageContext();
  context.document = doc;
  context.Option = function Option(text, value) { this.text = text; this.value = value; };
  context.initialize();
  const { SY, SM, head, detail, days } = doc.elements;
  assert.equal(SY.options.length, 201);
  assert.equal(SY.options[0].value, '1900');
  assert.equal(SM.options.length, 12);
  const steps = [
    [() => { SY.value = '2024'; SM.value = '2'; context.changeCalendar(); }, '2024年2月　农历癸卯年【兔年】至甲辰年【龙年】'],
    [() => context.moveMonth(-1), '2024年1月　农历癸卯年【兔年】'],
    [() => context.moveYear(1), '2025年1月　农历甲辰年【龙年】至乙巳年【蛇年】'],
    [() => context.moveMonth(1), '2025年2月　农历乙巳年【蛇年】'],
    [() => { SY.value = '1900'; SM.value = '1'; context.changeCalendar(); context.moveMonth(-1); }, '1900年1月　农历己亥年【猪年】至庚子年【鼠年】'],
    [() => { SY.value = '2100'; SM.value = '12'; context.changeCalendar(); context.moveYear(1); }, '2100年12月　农历庚申年【猴年】'],
  ];
  for (const [step, expected] of steps) {
    step();
    assert.equal(head.innerHTML, expected);
    assert.equal(`${SY.value}年${SM.value}月`, expected.split('　')[0]);
  }
  SY.value = '2024'; SM.value = '2'; context.changeCalendar();
  assert.equal((days.innerHTML.match(/<td class="day/g) || []).length, 29);
  assert.match(days.innerHTML, /data-day="10"[^>]*><span class="solar">10<\/span><span class="lunar mark">春节<\/span>/);
  context.showDay(10);
  assert.match(detail.innerHTML, /2024年2月10日　星期六<br>农历甲辰年（龙年）正月初一<br>节日：春节/);
});
