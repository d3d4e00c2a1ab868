const { Lunar, LunarYear, LunarMonth, Solar } = require('lunar-javascript');
const ymd = (s) => s.toYmd();
function lunar(y, m, leap, d, leapRule, day30) {
  let month = m;
  if (leap && LunarYear.fromYear(y).getLeapMonth() === m && leapRule === 'leap') month = -m;
  const days = LunarMonth.fromYm(y, month).getDayCount();
  if (d === 30 && days === 29) {
    const s = Lunar.fromYmd(y, month, 29).getSolar();
    return ymd(day30 === 'next' ? s.next(1) : s);
  }
  return ymd(Lunar.fromYmd(y, month, d).getSolar());
}
function greg(y, m, d, feb29) {
  if (m === 2 && d === 29 && !Solar.isLeapYear?.(y) && !(y % 4 === 0 && (y % 100 !== 0 || y % 400 === 0)))
    return feb29 === 'mar1' ? `${y}-03-01` : `${y}-02-28`;
  return `${y}-${String(m).padStart(2, '0')}-${String(d).padStart(2, '0')}`;
}
const years = [...Array(20).keys()].map((i) => 2020 + i);
const out = {
  leap4: years.map((y) => lunar(y, 4, true, 8, 'leap', '29')),
  leap4ordinary: years.map((y) => lunar(y, 4, true, 8, "ordinary", "29")),
  leap5: years.map((y) => lunar(y, 5, true, 1, "leap", "29")),
  leap5ordinary: years.map((y) => lunar(y, 5, true, 1, "ordinary", "29")),
  leap6d30: years.map((y) => lunar(y, 6, true, 30, 'leap', '29')),
  leap6d30next: years.map((y) => lunar(y, 6, true, 30, 'leap', 'next')),
  la30d29: years.map((y) => lunar(y, 12, false, 30, 'leap', '29')),
  la30next: years.map((y) => lunar(y, 12, false, 30, 'leap', 'next')),
  feb29to28: years.map((y) => greg(y, 2, 29, 'feb28')),
  feb29toMar1: years.map((y) => greg(y, 2, 29, 'mar1')),
};
for (const [k, v] of Object.entries(out)) console.log(k, v.map((s) => s.slice(2).replace(/-/g, '')).join(' '));
console.log('leap months', years.map((y) => `${y}:${LunarYear.fromYear(y).getLeapMonth()}`).join(' '));
console.log('2020 闰四月初八', Lunar.fromYmd(2020, -4, 8).getSolar().toYmd());
