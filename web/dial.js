// The 流注图 as SVG, drawn from the dial's model alone: twelve sectors from their start angles (true solar
// midnight at the top, clockwise), the present one marked, the hand at true solar time, what opens now in
// the centre.
"use strict";
(function (global) {
  const NS = "http://www.w3.org/2000/svg";
  const kPhaseColour = { 木: "#4e8f4a", 火: "#c8412f", 土: "#c69a3a", 金: "#8d8d8d", 水: "#2f5d8a" };
  const C = 200, R_OUT = 196, R_MID = 150, R_IN = 100;

  function el(name, attrs, text) {
    const e = document.createElementNS(NS, name);
    for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function point(angle, r) {
    const a = (angle - 90) * Math.PI / 180;
    return [C + r * Math.cos(a), C + r * Math.sin(a)];
  }

  function sectorPath(a0, a1, r0, r1) {
    const large = a1 - a0 > 180 ? 1 : 0;
    const [x0, y0] = point(a0, r1), [x1, y1] = point(a1, r1);
    const [x2, y2] = point(a1, r0), [x3, y3] = point(a0, r0);
    return `M${x0.toFixed(2)},${y0.toFixed(2)} A${r1},${r1} 0 ${large} 1 ${x1.toFixed(2)},${y1.toFixed(2)} ` +
      `L${x2.toFixed(2)},${y2.toFixed(2)} A${r0},${r0} 0 ${large} 0 ${x3.toFixed(2)},${y3.toFixed(2)} Z`;
  }

  function opened(p) {
    return p.closed ? (p.supplementary ? "补 " + p.supplementary : "闭") : p.naGan;
  }

  // model: velunar.dial(...); t: the page's translation of its own captions.
  function drawDial(model, t) {
    const svg = el("svg", { viewBox: "0 0 400 400", role: "img", class: "dial",
      "aria-label": t("流注图") + " " + model.dayGanZhi });
    const labels = el("g", { class: "labels" });  // above the hand, which must not hide a name
    model.sectors.forEach((s, i) => {
      const a0 = s.startAngle;
      let a1 = model.sectors[(i + 1) % 12].startAngle;
      while (a1 <= a0) a1 += 360;
      const mid = (a0 + a1) / 2;
      // Each ring's two texts stacked, not along the radius: on the sides they would run into each other.
      const current = i === model.current;
      const g = el("g", { class: "sector" + (current ? " current" : ""), "data-branch": s.branch });
      g.appendChild(el("path", { d: sectorPath(a0, a1, R_MID, R_OUT), fill: kPhaseColour[s.phase] || "#bbb",
        "fill-opacity": current ? 1 : 0.72, stroke: "#faf7f0", "stroke-width": 1.5 }));
      g.appendChild(el("path", { d: sectorPath(a0, a1, R_IN, R_MID), fill: current ? "#f3dfa2" : "#f4efe4",
        stroke: "#d8cfbd", "stroke-width": 1 }));
      const [bx, by] = point(mid, 173);
      labels.appendChild(el("text", { x: bx, y: by - 7, class: "branch" }, s.branch));
      labels.appendChild(el("text", { x: bx, y: by + 10, class: "meridian" }, s.meridian));
      const [px, py] = point(mid, 125);
      labels.appendChild(el("text", { x: px, y: py - 7, class: "point" }, opened(s.points)));
      labels.appendChild(el("text", { x: px, y: py + 8, class: "eight" }, s.points.lingGui));
      const title = el("title", {}, `${s.branch} ${s.start ? s.start.slice(11, 19) : ""}–${s.end ? s.end.slice(11, 19) : ""}`);
      g.appendChild(title);
      svg.appendChild(g);
    });
    svg.appendChild(el("circle", { cx: C, cy: C, r: R_IN - 2, fill: "#fffdf8", stroke: "#d8cfbd" }));
    const centre = model.centre;
    const lines = [
      [model.dayGanZhi + " " + centre.hourGanZhi, "centre-big"],
      [t("纳干法") + " " + (opened(centre) || "—"), "centre"],
      [t("纳支法") + " " + (centre.naZhi || "—"), "centre"],
      [t("灵龟八法") + " " + centre.lingGui + (centre.lingGuiPartner ? "·" + centre.lingGuiPartner : ""), "centre"],
      [t("飞腾八法") + " " + centre.feiTeng + (centre.feiTengPartner ? "·" + centre.feiTengPartner : ""), "centre"],
    ];
    lines.forEach(([text, cls], i) => svg.appendChild(el("text", { x: C, y: C - 44 + i * 22, class: cls }, text)));
    if (model.handAngle !== null) {
      const [hx, hy] = point(model.handAngle, R_OUT);
      const [sx, sy] = point(model.handAngle, R_IN);
      svg.appendChild(el("line", { x1: sx, y1: sy, x2: hx, y2: hy, class: "hand" }));
      svg.appendChild(el("circle", { cx: hx, cy: hy, r: 4, class: "hand-tip" }));
    }
    svg.appendChild(labels);
    return svg;
  }

  global.drawDial = drawDial;
})(self);
