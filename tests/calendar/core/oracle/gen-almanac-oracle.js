// Writes almanac-oracle.txt: what lunar-javascript says about every day of 1901-01-01 … 2050-12-31,
// the reference the almanac tests compare our own tables and rules with.
//
//   cd tests/calendar/core/oracle && npm install --no-save lunar-javascript@1.7.7 \
//     && node gen-almanac-oracle.js > almanac-oracle.txt
//
// Lines:
//   P <pillar 0-59> <纳音> <彭祖 stem line> <彭祖 branch line> <冲 text> <煞> <胎神> <福神> <阳贵> <阴贵>
//   T <year> <term 0-23, 小寒 first> <YYYY-MM-DD HH:MM:SS, Beijing time>
//   F <year> <初伏 first day> <中伏 first day> <末伏 first day> <末伏 last day>     (YYYYMMDD)
//   J <year> <一九 first day> <九九 last day>                                         (YYYYMMDD)
//   D <year> <six base-36 digits per day of the year>: 宿 (角 = 0), 值神 (青龙 = 0), day star,
//     month branch (子 = 0, changes on the day of the month's opening term), year star, month star
//     (stars 0 = 一白 … 8 = 九紫, the year's star changing on the day of 立春).
const { Solar, LunarUtil } = require('lunar-javascript');

const XIU = '角亢氐房心尾箕斗牛女虚危室壁奎娄胃昴毕觜参井鬼柳星张翼轸';
const TIAN_SHEN = ['青龙', '明堂', '天刑', '朱雀', '金匮', '天德', '白虎', '玉堂', '天牢', '玄武', '司命', '勾陈'];
const TERMS = ['小寒', '大寒', '立春', '雨水', '惊蛰', '春分', '清明', '谷雨', '立夏', '小满', '芒种', '夏至',
    '小暑', '大暑', '立秋', '处暑', '白露', '秋分', '寒露', '霜降', '立冬', '小雪', '大雪', '冬至'];
const digit = (n) => n.toString(36).toUpperCase();
const ymd = (s) => s.toYmd().replace(/-/g, '');
const out = [];

const pillars = new Map();
for (let y = 1901; y <= 2050; ++y) {
    // The terms of Gregorian year y: the lunar year y's table names them in Chinese from 小寒 to
    // 大雪, and its second 冬至 (key DONG_ZHI) is the one of December y.
    const table = Solar.fromYmd(y, 7, 1).getLunar().getJieQiTable();
    TERMS.forEach((name, k) => {
        const t = k === 23 ? table.DONG_ZHI : table[name];
        if (t.getYear() !== y) throw new Error(`term ${name} of ${y} is in ${t.getYear()}`);
        out.push(`T ${y} ${k} ${t.toYmdHms()}`);
    });
    let digits = '';
    const fu = [], jiu = [];
    for (let s = Solar.fromYmd(y, 1, 1); s.getYear() === y; s = s.next(1)) {
        const l = s.getLunar();
        const p = LunarUtil.getJiaZiIndex(l.getDayInGanZhi());
        if (!pillars.has(p))
            pillars.set(p, [l.getDayNaYin(), l.getPengZuGan(), l.getPengZuZhi(), '冲' + l.getDayChongShengXiao() +
                '(' + l.getDayChongGan() + l.getDayChong() + ')', '煞' + l.getDaySha(), l.getDayPositionTai().replace(' ', '_'),
                l.getDayPositionFuDesc(), l.getDayPositionYangGuiDesc(), l.getDayPositionYinGuiDesc()]);
        digits += digit(XIU.indexOf(l.getXiu())) + digit(TIAN_SHEN.indexOf(l.getDayTianShen())) +
            digit(l.getDayNineStar().getIndex()) + digit(l.getMonthZhiIndex()) +
            digit(l.getYearNineStar().getIndex()) + digit(l.getMonthNineStar().getIndex());
        const f = l.getFu();
        if (f && f.getIndex() === 1) fu.push(ymd(s));
        if (f && f.getName() === '末伏' && !(s.next(1).getLunar().getFu())) fu.push(ymd(s));
        const j = l.getShuJiu();
        if (j && j.getName() === '一九' && j.getIndex() === 1) jiu.push(ymd(s));
    }
    out.push(`F ${y} ${fu.join(' ')}`);
    if (jiu.length) {
        let s = Solar.fromYmd(+jiu[0].slice(0, 4), +jiu[0].slice(4, 6), +jiu[0].slice(6));
        while (s.next(1).getLunar().getShuJiu()) s = s.next(1);
        out.push(`J ${y} ${jiu[0]} ${ymd(s)}`);
    }
    out.push(`D ${y} ${digits}`);
}
out.unshift(...[...pillars].sort((a, b) => a[0] - b[0]).map(([p, v]) => `P ${p} ${v.join(' ')}`));
out.unshift('# lunar-javascript 1.7.7 on 1901-01-01 … 2050-12-31; made by gen-almanac-oracle.js, do not edit');
console.log(out.join('\n'));
