// The browser edition's API: window.velunar, once window.velunarReady has resolved.
//   velunar.now({at, longitude, mode, abroad, zone, summer, ew, lon, tz, eot, dstChina, sixthStem, ...})
//     the fields of `velunar-cli now --json` for the same flags (at: "YYYY-MM-DD HH:MM:SS" on the page's
//     clock, optionally with its offset; without it, the browser's clock now); with lang: "en" also
//     english: {lunar, renShenWarnings}, those sentences in English
//   velunar.dial({...the same}): the dial's model
//   velunar.schedule({from, to, clock, ...}): the 开穴表 of the dates from..to ("YYYY-MM-DD"): header,
//     rows of cells, and each row's points' codes (codes, under codeKeys)
//   velunar.reverse({point, from, to, clock, ...}): the reverse lookup of a point (in any form: 公孙, 公孫,
//     gongsun, SP4) over the dates, with the point's name and code
// A request the core refuses throws an Error with its reason.
"use strict";
(function (global) {
  // The browser's own zones stand in for the tz database: a zone's offsets come from Intl, to the second.
  const formatters = new Map();
  function formatter(zone) {
    let f = formatters.get(zone);
    if (f === undefined) {
      try {
        f = new Intl.DateTimeFormat("en-US", {
          timeZone: zone, hourCycle: "h23", era: "short", year: "numeric", month: "numeric",
          day: "numeric", hour: "numeric", minute: "numeric", second: "numeric",
        });
      } catch (e) {
        f = null;  // a name the browser does not know
      }
      formatters.set(zone, f);
    }
    return f;
  }

  // Seconds east of Greenwich of the zone's clock at the instant.
  function offsetAt(f, ms) {
    const p = {};
    for (const part of f.formatToParts(new Date(ms))) p[part.type] = part.value;
    let year = Number(p.year);
    if (p.era === "BC" || p.era === "B") year = 1 - year;
    const d = new Date(0);
    d.setUTCFullYear(year, Number(p.month) - 1, Number(p.day));
    d.setUTCHours(Number(p.hour) % 24, Number(p.minute), Number(p.second), 0);
    return Math.round((d.getTime() - Math.floor(ms / 1000) * 1000) / 1000);
  }

  function machineZone() {
    return Intl.DateTimeFormat().resolvedOptions().timeZone;
  }

  // Intl tells the whole offset. Whether it is summer time the zone's name says ("… Daylight Time",
  // "… Summer Time"); the standard offset is then that of the last time before it that was not. A zone
  // known only by its offset ("GMT+03:00", as most are before 1970) counts as below.
  const names = new Map();
  function summerName(zone, ms) {
    let f = names.get(zone);
    if (f === undefined) {
      f = new Intl.DateTimeFormat("en-US", { timeZone: zone, timeZoneName: "long" });
      names.set(zone, f);
    }
    const part = f.formatToParts(new Date(ms)).find((p) => p.type === "timeZoneName");
    const name = part ? part.value : "";
    if (/^GMT([+-]|$)/.test(name)) return null;
    return /daylight|summer/i.test(name);
  }

  const kMonth = 30 * 86400 * 1000;
  function split(zone, f, ms, total) {
    const summer = summerName(zone, ms);
    if (summer === false) return [total, 0];
    if (summer === true) {
      for (let back = ms - kMonth, n = 0; n < 120; back -= kMonth, ++n) {
        if (summerName(zone, back) === false) {
          const standard = offsetAt(f, back);
          return [standard, total - standard];
        }
      }
    }
    // China's clocks keep Beijing time as their standard (its summer time of 1942-1945 lasted all year);
    // elsewhere the least offset of the year's winter and summer; a local mean time's odd seconds are never
    // summer time.
    const year = new Date(ms).getUTCFullYear();
    const at = (month) => { const d = new Date(0); d.setUTCFullYear(year, month, 1); return d.getTime(); };
    let standard = zone === "Asia/Shanghai" ? Math.min(total, 8 * 3600)
      : Math.min(offsetAt(f, at(0)), offsetAt(f, at(6)), total);
    if ((total - standard) % 1800 !== 0) standard = total;
    return [standard, total - standard];
  }

  const kStep = 6 * 3600 * 1000;
  // The zone's periods over from..to as the core reads them: "start standard summer" lines.
  function zonePeriods(zone, from, to) {
    const id = zone === "本机时区" ? machineZone() : zone;
    const f = formatter(id);
    if (!f) return null;
    const lines = [];
    const add = (start, total) => lines.push(start + " " + split(id, f, start, total).join(" "));
    let t = from, offset = offsetAt(f, from);
    add(from, offset);
    while (t < to) {
      const next = Math.min(t + kStep, to), nextOffset = offsetAt(f, next);
      if (nextOffset !== offset) {
        // The change lies in (t, next]: find its first second.
        let lo = Math.floor(t / 1000), hi = Math.ceil(next / 1000);
        while (hi - lo > 1) {
          const mid = Math.floor((lo + hi) / 2);
          if (offsetAt(f, mid * 1000) === offset) lo = mid; else hi = mid;
        }
        add(hi * 1000, nextOffset);
        offset = nextOffset;
      }
      t = next;
    }
    return lines.join("\n");
  }

  function requestText(options) {
    const lines = [];
    for (const [key, value] of Object.entries(options || {})) {
      if (value === undefined || value === null) continue;
      const text = value instanceof Date ? String(value.getTime()) : String(value);
      if (/[\n=]/.test(key) || text.includes("\n")) throw new Error(key + ": a value of one line expected");
      lines.push((value instanceof Date ? "instant" : key) + "=" + text);
    }
    const given = options || {};
    if (given.at == null && given.instant == null) lines.push("instant=" + Date.now());
    return lines.join("\n");
  }

  global.velunarReady = global.createVelunarCore({ zonePeriods }).then((core) => {
    const call = core.cwrap("velunar_call", "string", ["string", "string"]);
    const ask = (command) => (options) => {
      const answer = JSON.parse(call(command, requestText(options)));
      if (answer && typeof answer.error === "string" && Object.keys(answer).length === 1)
        throw new Error(answer.error);
      return answer;
    };
    const api = {
      now: ask("now"), dial: ask("dial"), schedule: ask("schedule"), reverse: ask("reverse"),
      machineZone, zonePeriods,
    };
    global.velunar = api;
    return api;
  });
})(self);
