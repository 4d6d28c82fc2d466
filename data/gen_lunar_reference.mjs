#!/usr/bin/env node
// Records an independent reference for the lunisolar calendar and the moon (src/calendar/lunar*, moon*), for
// tests/calendar/lunar_test.cpp. Run once by hand, never at build or run time:
//
//   npm install lunar-javascript@1.7.7      (in a scratch folder; nothing is shipped)
//   NODE_PATH=<that folder>/node_modules node data/gen_lunar_reference.mjs
//
// It writes three files beside itself:
//   lunar-months-reference.tsv   every lunar month from 1900 to 2101: the civil date of its first day, its
//                                year, number and whether it is a leap month, as that package's calendar has it;
//   solar-terms-reference.tsv    every one of the 24 terms, its instant in Beijing time (UTC+8) to the second,
//                                from the package's own model of the Sun (VSOP87 series with its delta T);
//   moon-phases-reference.tsv    every new moon, first quarter, full moon and last quarter, in UT to the second,
//                                from the package's lunar theory (truncated ELP/MPP02).
import { createRequire } from "node:module";
import { writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const require = createRequire(import.meta.url);
const { LunarYear, ShouXingUtil } = require("lunar-javascript");
const here = dirname(fileURLToPath(import.meta.url));
const J2000 = 2451545;

// A Julian day to "YYYY-MM-DD HH:MM:SS" (proleptic Gregorian), rounded to the second.
function civil(jd, withTime = true) {
  let seconds = Math.round((jd + 0.5) * 86400);
  const dayNumber = Math.floor(seconds / 86400);
  seconds -= dayNumber * 86400;
  // Days to a Gregorian date (Fliegel and Van Flandern).
  let l = dayNumber + 68569;
  const n = Math.floor((4 * l) / 146097);
  l -= Math.floor((146097 * n + 3) / 4);
  const i = Math.floor((4000 * (l + 1)) / 1461001);
  l = l - Math.floor((1461 * i) / 4) + 31;
  const j = Math.floor((80 * l) / 2447);
  const day = l - Math.floor((2447 * j) / 80);
  l = Math.floor(j / 11);
  const month = j + 2 - 12 * l;
  const year = 100 * (n - 49) + i + l;
  const p = (v, w = 2) => String(v).padStart(w, "0");
  const date = `${p(year, 4)}-${p(month)}-${p(day)}`;
  if (!withTime) return date;
  return `${date} ${p(Math.floor(seconds / 3600))}:${p(Math.floor(seconds / 60) % 60)}:${p(seconds % 60)}`;
}

const months = [];
const seen = new Set();
for (let y = 1899; y <= 2101; ++y) {
  for (const m of LunarYear.fromYear(y).getMonthsInYear()) {
    const first = civil(m.getFirstJulianDay(), false);
    if (first < "1900-01-01" || first > "2101-12-31" || seen.has(first)) continue;
    seen.add(first);
    months.push([first, m.getYear(), Math.abs(m.getMonth()), m.isLeap() ? "闰" : ""]);
  }
}
months.sort((a, b) => (a[0] < b[0] ? -1 : 1));
writeFileSync(
  join(here, "lunar-months-reference.tsv"),
  "# 农历月参考：由 data/gen_lunar_reference.mjs 用 npm 包 lunar-javascript 1.7.7 的历法算出（不随程序发布）。\n" +
    "# 每个农历月一行：初一的公历日期、农历年（其正月所在的公历年）、月序、是否闰月。\n" +
    "初一\t年\t月\t闰\n" +
    months.map((r) => r.join("\t")).join("\n") +
    "\n",
);

// The terms by the Sun's apparent longitude, 0 degrees being 春分.
const TERMS = ["春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑", "白露",
  "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "惊蛰"];
const terms = [];
for (let k = -2400; k <= 2460; ++k) {
  const jd = ShouXingUtil.qiAccurate((k * Math.PI) / 12) + J2000;  // Beijing time
  const at = civil(jd);
  if (at < "1900-01-01" || at >= "2102-01-01") continue;
  terms.push(`${at}\t${TERMS[((k % 24) + 24) % 24]}`);
}
writeFileSync(
  join(here, "solar-terms-reference.tsv"),
  "# 节气参考：由 data/gen_lunar_reference.mjs 用 npm 包 lunar-javascript 1.7.7 的太阳模型算出（不随程序发布）。\n" +
    "# 交节时刻为北京时间（UTC+8），精确到秒。\n" +
    "北京时间\t节气\n" +
    terms.join("\n") +
    "\n",
);

// Principal phases by the elongation of the Moon from the Sun, 0 being the new moon (2000-01-06).
const PHASES = ["朔", "上弦", "望", "下弦"];
const phases = [];
for (let k = -1260 * 4; k <= 1270 * 4; ++k) {
  const t = ShouXingUtil.msaLonT((k * Math.PI) / 2) * 36525;  // days of TT from J2000
  const jd = t - ShouXingUtil.dtT(t) + J2000;                 // UT
  const at = civil(jd);
  if (at < "1900-01-01" || at >= "2102-01-01") continue;
  phases.push(`${at}\t${PHASES[((k % 4) + 4) % 4]}`);
}
writeFileSync(
  join(here, "moon-phases-reference.tsv"),
  "# 月相参考：由 data/gen_lunar_reference.mjs 用 npm 包 lunar-javascript 1.7.7 的月亮理论算出（不随程序发布）。\n" +
    "# 朔、上弦、望、下弦的时刻为世界时（UT），精确到秒。\n" +
    "UT\t月相\n" +
    phases.join("\n") +
    "\n",
);
console.log(`${months.length} months, ${terms.length} terms, ${phases.length} phases`);
