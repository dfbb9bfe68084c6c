// Draws the charts of a page from the JSON addresses in data-src and keeps
// tables marked data-refresh up to date. Texts reach the page only through
// textContent, never as HTML.
"use strict";

(function () {
  const percent = (v) => (v === null ? "" : (v * 100).toFixed(1) + " %");

  // Marks a canvas once Chart.js has drawn it, for the tests and for anyone
  // checking the page.
  const drawnMark = {
    id: "drawnMark",
    afterRender(chart) { chart.canvas.dataset.drawn = "1"; },
  };

  // Lines at the limits, at their place on the value axis; the scales are
  // widened to take the limits in, and nothing is drawn outside the axes.
  const limitLines = {
    id: "limitLines",
    afterDatasetsDraw(chart) {
      const limits = chart.options.plugins.limitLines || {};
      const scale = chart.scales.x;
      const ctx = chart.ctx;
      for (const name of ["lsl", "usl"]) {
        if (limits[name] === undefined) continue;
        const x = limits.axis === "y" ? null : scale.getPixelForValue(limits[name]);
        const y = x === null ? chart.scales.y.getPixelForValue(limits[name]) : null;
        const area = chart.chartArea;
        if (x !== null && (x < area.left || x > area.right)) continue;
        if (y !== null && (y < area.top || y > area.bottom)) continue;
        ctx.save();
        ctx.beginPath();
        ctx.rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
        ctx.clip();
        ctx.strokeStyle = "#c0392b";
        ctx.setLineDash([6, 4]);
        ctx.beginPath();
        if (x === null) {
          ctx.moveTo(chart.chartArea.left, y);
          ctx.lineTo(chart.chartArea.right, y);
        } else {
          ctx.moveTo(x, chart.chartArea.top);
          ctx.lineTo(x, chart.chartArea.bottom);
        }
        ctx.stroke();
        ctx.fillStyle = "#c0392b";
        ctx.fillText(name.toUpperCase(), x === null ? area.left + 4 : x + 3,
                     x === null ? Math.max(y - 3, area.top + 10) : area.top + 10);
        ctx.restore();
      }
    },
  };

  // Horizontal lines across the chart (a control chart's centre line and
  // limits), each labelled at its left end; drawn only inside the axes, which
  // are widened to take them in.
  const levelLines = {
    id: "levelLines",
    afterDatasetsDraw(chart) {
      const levels = chart.options.plugins.levelLines || [];
      const area = chart.chartArea;
      const ctx = chart.ctx;
      for (const level of levels) {
        const y = chart.scales.y.getPixelForValue(level.value);
        if (y < area.top || y > area.bottom) continue;
        ctx.save();
        ctx.beginPath();
        ctx.rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
        ctx.clip();
        ctx.strokeStyle = level.colour;
        ctx.lineWidth = level.width || 1;
        ctx.setLineDash(level.dash || []);
        ctx.beginPath();
        ctx.moveTo(area.left, y);
        ctx.lineTo(area.right, y);
        ctx.stroke();
        // At the right end, where the latest values are rarely as crowded
        // as at a chart's start.
        if (level.label) {
          ctx.fillStyle = level.colour;
          ctx.textAlign = "right";
          ctx.fillText(level.label, area.right - 4, Math.max(y - 3, area.top + 10));
        }
        ctx.restore();
      }
    },
  };

  // The smallest and largest of the values and the limits, so that an axis
  // shows both.
  function spanWith(limits, values) {
    const all = values.concat([limits.lsl, limits.usl].filter((v) => v !== undefined));
    return all.length ? { min: Math.min(...all), max: Math.max(...all) } : {};
  }

  // "2026-12-10T16:27:52Z" as "12-10 16:27": short enough to lie flat.
  const shortTime = (t) => (typeof t === "string" && t.length >= 16
    ? t.substring(5, 10) + " " + t.substring(11, 16) : String(t));

  function limitsOf(canvas, axis) {
    const limits = { axis: axis };
    if (canvas.dataset.lsl !== undefined) limits.lsl = Number(canvas.dataset.lsl);
    if (canvas.dataset.usl !== undefined) limits.usl = Number(canvas.dataset.usl);
    return limits;
  }

  // A control chart's lines from its rows: the centre line, the limits at
  // 3 sigma and faint lines at 1 and 2 sigma, where the rules look.
  function controlLevels(row) {
    if (!row || row.centre === null) return [];
    const levels = [{ value: row.centre, label: "CL", colour: "#2e7d32", width: 1.5 }];
    if (row.lcl === null || row.ucl === null) return levels;
    const sigma = (row.ucl - row.centre) / 3;
    for (const k of [1, 2]) {
      for (const side of [-1, 1]) {
        levels.push({ value: row.centre + side * k * sigma, colour: "#b8c2cc", dash: [2, 3] });
      }
    }
    levels.push({ value: row.ucl, label: "UCL", colour: "#c0392b", dash: [6, 4] });
    levels.push({ value: row.lcl, label: "LCL", colour: "#c0392b", dash: [6, 4] });
    return levels;
  }

  const charts = {
    trend(rows) {
      return {
        type: "line",
        data: {
          labels: rows.map((r) => r.day),
          // A day at 100 % or 0 % keeps its whole point at the chart's edge.
          datasets: [{ label: "First-pass yield", data: rows.map((r) => r.firstPassYield),
                       borderColor: "#1f6fb2", backgroundColor: "#1f6fb2", clip: 8 }],
        },
        options: { scales: { x: { ticks: { maxRotation: 0, autoSkip: true } },
                             y: { min: 0, max: 1, ticks: { callback: percent } } },
                   plugins: { tooltip: { callbacks: { label: (c) => percent(c.parsed.y) } } } },
      };
    },
    pareto(rows) {
      return {
        type: "bar",
        data: {
          labels: rows.map((r) => r.key + " " + r.parameter),
          datasets: [
            { type: "bar", label: "Fails", data: rows.map((r) => r.fails), yAxisID: "y",
              backgroundColor: "#d9822b", order: 1 },
            { type: "line", label: "Cumulative share", data: rows.map((r) => r.cumulative),
              yAxisID: "share", borderColor: "#1f3a5a", backgroundColor: "#1f3a5a",
              order: 0, clip: 8 },
          ],
        },
        options: {
          scales: {
            y: { beginAtZero: true, title: { display: true, text: "Fails" } },
            share: { position: "right", min: 0, max: 1, ticks: { callback: percent },
                     grid: { drawOnChartArea: false } },
          },
        },
      };
    },
    histogram(rows, canvas) {
      const limits = limitsOf(canvas, "x");
      const span = spanWith(limits, rows.length ? [rows[0].from, rows[rows.length - 1].to] : []);
      return {
        type: "bar",
        data: {
          datasets: [{ label: "Values", backgroundColor: "#1f6fb2", barPercentage: 1,
                       categoryPercentage: 1,
                       data: rows.map((r) => ({ x: (r.from + r.to) / 2, y: r.count })) }],
        },
        options: {
          scales: { x: { type: "linear", min: span.min, max: span.max },
                    y: { beginAtZero: true } },
          plugins: { limitLines: limits },
        },
      };
    },
    values(rows, canvas) {
      const limits = limitsOf(canvas, "y");
      const span = spanWith(limits, rows.map((r) => r.value).filter((v) => v !== null));
      const margin = span.max > span.min ? (span.max - span.min) * 0.05 : 1;
      return {
        type: "line",
        data: {
          labels: rows.map((r) => shortTime(r.time)),
          datasets: [{ label: "Value", data: rows.map((r) => r.value), borderColor: "#1f6fb2",
                       backgroundColor: "#1f6fb2", pointRadius: 1, borderWidth: 1 }],
        },
        options: { scales: { x: { ticks: { maxTicksLimit: 6, maxRotation: 0, autoSkip: true } },
                             y: { suggestedMin: span.min - margin,
                                  suggestedMax: span.max + margin } },
                   plugins: { limitLines: limits } },
      };
    },
  };

  // The individuals chart: the values in time order, the points that break a
  // rule larger and red, the centre line and the limits from the baseline.
  charts.control = function (rows, canvas) {
    const levels = controlLevels(rows[0]);
    const values = rows.map((r) => r.value).filter((v) => v !== null);
    const all = values.concat(levels.map((l) => l.value));
    const lo = all.length ? Math.min(...all) : 0;
    const hi = all.length ? Math.max(...all) : 1;
    const margin = hi > lo ? (hi - lo) * 0.05 : 1;
    const broken = (r) => Array.isArray(r.rules) && r.rules.length > 0;
    return {
      type: "line",
      data: {
        labels: rows.map((r) => shortTime(r.time)),
        datasets: [{ label: "Value", data: rows.map((r) => r.value), borderColor: "#1f6fb2",
                     borderWidth: 1, clip: 8,
                     pointRadius: rows.map((r) => (broken(r) ? 4 : 1.5)),
                     pointBackgroundColor: rows.map((r) => (broken(r) ? "#c0392b" : "#1f6fb2")),
                     pointBorderColor: rows.map((r) => (broken(r) ? "#c0392b" : "#1f6fb2")) }],
      },
      options: {
        // A time label takes about 100 px: fewer of them on a phone.
        scales: { x: { ticks: { maxTicksLimit: Math.max(2, Math.floor(canvas.clientWidth / 110)),
                                maxRotation: 0, autoSkip: true } },
                  y: { suggestedMin: lo - margin, suggestedMax: hi + margin } },
        plugins: {
          legend: { display: false },
          levelLines: levels,
          tooltip: { callbacks: { afterLabel: (c) => (broken(rows[c.dataIndex])
            ? "rules broken: " + rows[c.dataIndex].rules.join(", ") : "") } },
        },
      },
    };
  };

  function draw(canvas) {
    fetch(canvas.dataset.src)
      .then((response) => (response.ok ? response.json() : Promise.reject(response.status)))
      .then((rows) => {
        const config = charts[canvas.dataset.chart](rows, canvas);
        config.options = Object.assign({ responsive: true, maintainAspectRatio: false,
                                         animation: false }, config.options);
        config.plugins = [drawnMark, limitLines, levelLines];
        new Chart(canvas, config);
      })
      .catch((why) => { canvas.dataset.failed = String(why); });
  }

  function cellText(key, value) {
    if (value === null || value === undefined) return "";
    return String(value);
  }

  // Rebuilds the table's rows from the JSON, keeping the columns and links.
  function refresh(table) {
    const keys = Array.from(table.querySelectorAll("thead th")).map((th) => th.dataset.key);
    fetch(table.dataset.refresh)
      .then((response) => (response.ok ? response.json() : Promise.reject(response.status)))
      .then((rows) => {
        const body = document.createElement("tbody");
        for (const row of rows) {
          const tr = document.createElement("tr");
          for (const key of keys) {
            const td = document.createElement("td");
            const text = cellText(key, row[key]);
            if (key === "serialNumber") {
              const a = document.createElement("a");
              a.href = "/unit/" + encodeURIComponent(text);
              a.textContent = text;
              td.appendChild(a);
            } else {
              td.textContent = text;
            }
            if (typeof row[key] === "number") td.className = "num";
            tr.appendChild(td);
          }
          body.appendChild(tr);
        }
        table.replaceChild(body, table.tBodies[0]);
        table.dataset.refreshed = String(Date.now());
      })
      .catch(() => { table.dataset.refreshed = "failed"; });
  }

  // The value a cell sorts by: its number when the column holds numbers.
  function sortKey(cell, numeric) {
    const text = cell ? cell.textContent.trim() : "";
    if (!numeric) return text;
    const value = parseFloat(text);
    return Number.isNaN(value) ? null : value;
  }

  // A click on a heading sorts the rows by that column, again the other way;
  // empty cells go last either way.
  function makeSortable(table) {
    table.querySelectorAll("thead th").forEach((th, column) => {
      th.tabIndex = 0;
      const sort = () => {
        const descending = th.getAttribute("aria-sort") === "ascending";
        table.querySelectorAll("thead th").forEach((other) => other.removeAttribute("aria-sort"));
        th.setAttribute("aria-sort", descending ? "descending" : "ascending");
        const numeric = th.classList.contains("num");
        const body = table.tBodies[0];
        const rows = Array.from(body.rows).filter((r) => !r.querySelector("td.empty"));
        rows.sort((a, b) => {
          const x = sortKey(a.cells[column], numeric);
          const y = sortKey(b.cells[column], numeric);
          if (x === null || x === "") return 1;
          if (y === null || y === "") return -1;
          const order = numeric ? x - y : x.localeCompare(y);
          return descending ? -order : order;
        });
        rows.forEach((r) => body.appendChild(r));
      };
      th.addEventListener("click", sort);
      th.addEventListener("keydown", (e) => { if (e.key === "Enter") sort(); });
    });
  }

  document.querySelectorAll("table.sortable").forEach(makeSortable);
  document.querySelectorAll("canvas[data-chart]").forEach(draw);
  document.querySelectorAll("table[data-refresh]").forEach((table) => {
    setInterval(() => refresh(table), 5000);
  });
})();
