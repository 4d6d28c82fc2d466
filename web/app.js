// The page: the present or a picked moment with every doctrine, the dial, the day's 开穴表 and the reverse
// lookup, all from window.velunar. Its own captions are Chinese; t() gives them in English when chosen.
"use strict";
(function () {
  const $ = (id) => document.getElementById(id);
  const english = self.velunarEnglish || {};
  let language = localStorage.getItem("velunar-language") ||
    (/^zh\b/i.test(navigator.language || "zh") ? "zh" : "en");
  const t = (text) => (language === "en" && english[text]) || text;

  // Texts the core writes as keys and titles, translated where they are shown.
  const kDataTexts = ["值日经", "经脉", "五行", "五俞", "穴位", "过原", "兼过原穴", "本穴", "原穴", "泻穴", "本经",
    "补穴", "补穴经", "经络", "井", "荥", "俞", "经", "合", "原", "配穴", "日期", "时干支", "日干支", "纳干穴位",
    "纳支本穴", "纳支泻穴", "纳支补穴", "灵龟穴位", "灵龟配穴", "飞腾穴位", "飞腾配穴", "时干法经", "日干法经",
    "纳支法2经", "人神", "钟表时间", "闭穴"];
  void kDataTexts;

  const kDoctrines = [
    ["nagan", () => t("纳干法（徐氏）")], ["buxue", () => t("补穴法")], ["nazhi", () => t("纳支法")],
    ["linggui", () => t("灵龟八法")], ["feiteng", () => t("飞腾八法")], ["shigan", () => t("时干法")],
    ["rigan", () => t("日干法")], ["nazhi2", () => t("纳支法2")],
  ];
  const kFieldLabels = { point: () => t("穴位"), partner: () => t("配穴"), meridian: () => t("经脉"),
    points: () => t("穴位"), closed: () => t("闭穴") };

  function applyLanguage() {
    document.documentElement.lang = language === "en" ? "en" : "zh-CN";
    for (const e of document.querySelectorAll("[data-t]")) {
      if (e.dataset.zh === undefined) e.dataset.zh = e.textContent.trim();
      e.textContent = t(e.dataset.zh);
    }
    $("language").textContent = language === "en" ? "中文" : "English";
  }

  function pad(n) { return String(n).padStart(2, "0"); }
  function isoDate(d) { return `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`; }

  function placeOptions() {
    const o = { mode: $("mode").value, eot: $("eot").value, sixthStem: $("sixth").value,
      renshen: $("renshen").checked, renshenSource: $("renshen-source").value };
    if ($("age").value.trim()) o.age = $("age").value.trim();
    if (document.querySelector("input[name=page]:checked").value === "china") {
      Object.assign(o, { abroad: false, longitude: $("longitude").value.trim(), beijing: $("beijing").checked,
        dstChina: $("dst-china").checked });
    } else {
      Object.assign(o, { tz: $("tz").value.trim() || velunar.machineZone(), ew: $("ew").value,
        lon: $("lon").value.trim() });
    }
    return o;
  }

  function momentOptions() {
    const o = placeOptions();
    if (document.querySelector("input[name=when]:checked").value === "picked" && $("picked").value) {
      const v = $("picked").value.replace("T", " ");
      o.at = v.length === 16 ? v + ":00" : v;
    }
    return o;
  }

  function showError(message) {
    $("error").hidden = !message;
    $("error").textContent = message || "";
  }

  function cell(tag, text, cls) {
    const e = document.createElement(tag);
    e.textContent = text;
    if (cls) e.className = cls;
    return e;
  }

  function renderClock(now) {
    const dl = $("clock");
    dl.replaceChildren();
    const rows = [
      [t("参考时间"), now.referenceTime], [t("真太阳时"), now.trueSolarTime],
      [t("北京时间"), now.page === "abroad" ? now.beijingTime : null],
      [t("日干支"), now.dayGanZhi], [t("时干支"), now.hourGanZhi], [t("时辰时段"), now.hourSpan],
      [t("钟表时段"), now.clockSpan], [t("距下一时辰(分钟)"), now.minutesToNext], [t("农历"), inEnglish(now).lunar || now.lunar],
      [t("人神"), [now.renShenDay, now.renShenHour, now.renShenAge, now.kaoShen].filter(Boolean).join("；")],
    ];
    for (const [label, value] of rows) {
      if (value === null || value === undefined || value === "") continue;
      dl.append(cell("dt", label), cell("dd", String(value)));
    }
    const ul = $("warnings");
    ul.replaceChildren();
    const renShen = inEnglish(now).renShenWarnings || now.renShenWarnings || [];
    for (const w of [...renShen, ...(now.warnings || [])]) ul.append(cell("li", w));
  }

  // What the core says in English sentences for the English page (the 人神 warnings, the lunar line).
  function inEnglish(now) {
    return (language === "en" && now.english) || {};
  }

  function renderDoctrines(now) {
    const box = $("doctrines");
    box.replaceChildren();
    for (const [key, title] of kDoctrines) {
      const card = document.createElement("article");
      card.className = "doctrine panel";
      card.dataset.doctrine = key;
      card.append(cell("h2", title()));
      const group = now[key];
      if (!group) {
        card.append(cell("p", "—", "muted"));
      } else if (group.closed === true) {
        card.classList.add("closed");
      }
      const dl = document.createElement("dl");
      for (const [field, value] of Object.entries(group || {})) {
        if (field === "closed") continue;
        const label = kFieldLabels[field] ? kFieldLabels[field]() : t(field);
        const text = Array.isArray(value) ? value.join("、") : value === null ? "—" : String(value);
        if (text === "") continue;
        dl.append(cell("dt", label), cell("dd", text, field === "穴位" || field === "point" || field === "本穴" ? "point" : ""));
      }
      if (group && group.closed === true) dl.append(cell("dt", t("闭穴")), cell("dd", "闭", "point"));
      card.append(dl);
      box.append(card);
    }
  }

  let dialKey = "", scheduleKey = "", lastNow = null;

  function renderDial(options, now) {
    const key = JSON.stringify([options.at, placeOptions(), now.dayGanZhi, now.hourGanZhi, language]);
    if (key === dialKey) return;
    dialKey = key;
    const box = $("dial");
    try {
      box.replaceChildren(drawDial(velunar.dial(options), t));
    } catch (e) {
      box.replaceChildren(cell("p", e.message, "error"));
    }
  }

  function renderSchedule(now) {
    const day = $("schedule-day").value || (now.referenceTime || "").slice(0, 10);
    if (!$("schedule-day").value && day) $("schedule-day").value = day;
    const options = Object.assign(placeOptions(), { from: day, to: day, clock: $("schedule-clock").checked });
    const key = JSON.stringify([options, language, now.dayGanZhi + now.hourGanZhi]);
    if (key === scheduleKey || !day) return;
    scheduleKey = key;
    const table = $("schedule");
    table.replaceChildren();
    let result;
    try {
      result = velunar.schedule(options);
    } catch (e) {
      table.append(cell("caption", e.message, "error"));
      return;
    }
    const head = document.createElement("tr");
    for (const title of result.header) head.append(cell("th", t(title)));
    if (options.clock) head.append(cell("th", t("钟表时间")));
    table.append(head);
    for (const row of result.rows) {
      const tr = document.createElement("tr");
      if (row.closed) tr.className = "closed";
      if (row.cells[0] === (now.dayDate || "").slice(0, 10) && row.cells[1] === now.hourGanZhi) tr.classList.add("current");
      for (const c of row.cells) tr.append(cell("td", c));
      if (options.clock) tr.append(cell("td", row.start ? `${row.start.slice(11, 16)}–${row.end.slice(11, 16)}` : ""));
      table.append(tr);
    }
  }

  function render() {
    let now;
    const options = momentOptions();
    try {
      now = velunar.now(Object.assign({ lang: language }, options));
      showError(now.skipped ? t("未能计算") + "：" + (now.skipReason || "") : "");
    } catch (e) {
      showError(e.message);
      return;
    }
    lastNow = now;
    renderClock(now);
    renderDoctrines(now);
    if (!now.skipped) renderDial(options, now);
    renderSchedule(now);
  }

  function reverseLookup(event) {
    event.preventDefault();
    const box = $("reverse");
    box.replaceChildren();
    let result;
    try {
      result = velunar.reverse(Object.assign(placeOptions(), { point: $("reverse-point").value.trim(),
        from: $("reverse-from").value, to: $("reverse-to").value, clock: $("reverse-clock").checked }));
    } catch (e) {
      box.append(cell("p", e.message, "error"));
      return;
    }
    for (const section of result.sections) {
      box.append(cell("h3", section.heading));
      const ul = document.createElement("ul");
      for (const o of section.lines) ul.append(cell("li", o.line + (o.start ? `（${o.start.slice(11, 19)}–${o.end.slice(11, 19)}）` : "")));
      if (!section.lines.length) ul.append(cell("li", "—", "muted"));
      box.append(ul);
    }
  }

  function start() {
    applyLanguage();
    $("tz").placeholder = velunar.machineZone();
    const today = new Date();
    $("reverse-from").value = isoDate(today);
    $("reverse-to").value = isoDate(new Date(today.getTime() + 6 * 86400000));
    for (const id of ["mode", "longitude", "beijing", "dst-china", "tz", "ew", "lon", "eot", "sixth", "picked",
      "renshen", "renshen-source", "age", "schedule-day", "schedule-clock"])
      $(id).addEventListener("change", render);
    for (const input of document.querySelectorAll("input[name=page], input[name=when]")) {
      input.addEventListener("change", () => {
        const abroad = document.querySelector("input[name=page]:checked").value === "abroad";
        $("china-place").hidden = abroad;
        $("abroad-place").hidden = !abroad;
        render();
      });
    }
    $("language").addEventListener("click", () => {
      language = language === "en" ? "zh" : "en";
      localStorage.setItem("velunar-language", language);
      applyLanguage();
      dialKey = scheduleKey = "";
      render();
    });
    $("reverse-form").addEventListener("submit", reverseLookup);
    render();
    document.body.dataset.ready = "1";
    performance.mark("velunar-first-render");
    setInterval(() => {
      if (document.querySelector("input[name=when]:checked").value === "now") render();
    }, 1000);
  }

  velunarReady.then(start, (e) => showError(String(e)));
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
})();
