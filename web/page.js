// The page around the core: it hands the program text in, presses the run's
// buttons through the core's C API, keeps the step timer going while the
// core says it is on, and draws what zelk_state_json reports. Every rule of
// the language, the world and the run is the core's.
"use strict";

// Emscripten's script (zelk-core.js, loaded after this one) takes this
// object as its Module and calls back once the WebAssembly is ready.
var Module = {
  onRuntimeInitialized: function () { Zelk.init(); }
};

var Zelk = (function () {
  // The desktop's step timer at its default speed (40 of 50).
  var TICK_MS = 101;
  var SQUARE = 40, COLS = 15, ROWS = 10;
  var state = null;
  var waiting = [];        // messages not yet shown
  var ticking = false;
  var el = {};

  function api(name) { return Module["_" + name]; }

  function handInText() {
    Module.ccall("zelk_set_page", null, ["number", "string", "string"], [0, "Robo1", el.programm.value]);
  }

  // Each button of the run, as the desktop's action calls it.
  var actions = {
    start: function () { handInText(); api("zelk_start")(); },
    einzelschritt: function () { handInText(); api("zelk_step")(); },
    unterbrechen: function () { api("zelk_pause")(); },
    anhalten: function () { api("zelk_stop")(); },
    zurueck: function () { api("zelk_back")(); },
    compilieren: function () { handInText(); api("zelk_compile")(); }
  };

  function act(name) {
    if (el.meldung.open || !state.enabled[name])
      return;
    actions[name]();
    refresh();
  }

  function refresh() {
    state = JSON.parse(Module.UTF8ToString(api("zelk_state_json")()));
    waiting = waiting.concat(state.messages);
    drawField();
    drawInfo();
    drawGutter();
    if (state.selectLine >= 0)
      selectLine(state.selectLine);
    el.programm.readOnly = state.state === "running";
    Object.keys(actions).forEach(function (name) { el[name].disabled = !state.enabled[name]; });
    showNextMessage();
    if (state.timer && !ticking)
      tickLater();
  }

  // The step timer: one tick of the core each interval, while the core
  // keeps it on and no box waits for the learner.
  function tickLater() {
    ticking = true;
    setTimeout(function () {
      ticking = false;
      if (el.meldung.open) {
        el.meldung.addEventListener("close", function () { if (state.timer && !ticking) tickLater(); }, { once: true });
        return;
      }
      api("zelk_tick")();
      refresh();
    }, TICK_MS);
  }

  function showNextMessage() {
    if (el.meldung.open || waiting.length === 0)
      return;
    var m = waiting.shift();
    el.meldungTitel.textContent = m.title;
    el.meldungText.textContent = m.text;
    el.meldung.dataset.icon = m.icon;
    el.meldung.showModal();
  }

  function selectLine(line) {
    var lines = el.programm.value.split("\n");
    if (line >= lines.length)
      line = lines.length - 1;
    var start = 0;
    for (var i = 0; i < line; ++i)
      start += lines[i].length + 1;
    // Focused first, so that the box gives the focus back to the text.
    el.programm.focus();
    el.programm.setSelectionRange(start, start + lines[line].length);
  }

  function drawInfo() {
    el.xpos.value = String(state.robot.x);
    el.ypos.value = String(state.robot.y);
    el.material.value = String(state.robot.supply);
    el.feldpanel.textContent = state.feldPanel;
  }

  // Line numbers, breakpoints and the execution mark beside the text.
  var breakpoints = {};
  function drawGutter() {
    var count = el.programm.value.split("\n").length;
    var html = [];
    for (var i = 0; i < count; ++i) {
      var cls = breakpoints[i] ? "haltepunkt" : "";
      if (state && state.markPage === 0 && state.markLine === i)
        cls += " marke";
      html.push('<div data-zeile="' + i + '" class="' + cls + '">' + (i + 1) + "</div>");
    }
    el.zeilen.innerHTML = html.join("");
    el.zeilen.scrollTop = el.programm.scrollTop;
  }

  function toggleBreakpoint(event) {
    var line = event.target.dataset && event.target.dataset.zeile;
    if (line === undefined)
      return;
    line = Number(line);
    breakpoints[line] = api("zelk_toggle_breakpoint")(0, line) === 1;
    drawGutter();
  }

  function drawField() {
    var g = el.feld.getContext("2d");
    g.clearRect(0, 0, el.feld.width, el.feld.height);
    g.strokeStyle = "#ccc";
    g.lineWidth = 1;
    for (var y = 1; y <= ROWS; ++y) {
      for (var x = 1; x <= COLS; ++x) {
        var left = (x - 1) * SQUARE, top = (ROWS - y) * SQUARE;
        var sq = state.grid[y - 1][x - 1];
        g.strokeRect(left + 0.5, top + 0.5, SQUARE, SQUARE);
        if (sq[0] > 0) {
          g.fillStyle = "#a60";
          g.font = "16px sans-serif";
          g.textAlign = "center";
          g.textBaseline = "middle";
          g.fillText(String(sq[0]), left + SQUARE / 2, top + SQUARE / 2);
        }
      }
    }
    // Walls over the grid: sides 1 east, 2 north, 3 west, 4 south.
    g.strokeStyle = "#000";
    g.lineWidth = 4;
    for (y = 1; y <= ROWS; ++y) {
      for (x = 1; x <= COLS; ++x) {
        var l = (x - 1) * SQUARE, t = (ROWS - y) * SQUARE, s = state.grid[y - 1][x - 1];
        var sides = [[l + SQUARE, t, l + SQUARE, t + SQUARE], [l, t, l + SQUARE, t],
                     [l, t, l, t + SQUARE], [l, t + SQUARE, l + SQUARE, t + SQUARE]];
        for (var d = 0; d < 4; ++d) {
          if (s[d + 1] === 0) {
            g.beginPath();
            g.moveTo(sides[d][0], sides[d][1]);
            g.lineTo(sides[d][2], sides[d][3]);
            g.stroke();
          }
        }
      }
    }
    drawRobot(g);
    el.feld.setAttribute("aria-label", "Arbeitsfeld, Zelk auf x=" + state.robot.x + " y=" + state.robot.y);
  }

  // Zelk as a triangle pointing where it looks (0 east, 1 north, 2 west, 3 south).
  function drawRobot(g) {
    var cx = (state.robot.x - 0.5) * SQUARE, cy = (ROWS - state.robot.y + 0.5) * SQUARE;
    var angle = -state.robot.direction * Math.PI / 2, r = SQUARE * 0.38;
    g.save();
    g.translate(cx, cy);
    g.rotate(angle);
    g.fillStyle = "#06c";
    g.beginPath();
    g.moveTo(r, 0);
    g.lineTo(-r * 0.7, -r * 0.75);
    g.lineTo(-r * 0.7, r * 0.75);
    g.closePath();
    g.fill();
    g.restore();
  }

  // The desktop's keys, taken before the browser sees them. Every function
  // key is kept from the browser, so that F5 cannot reload the page and
  // lose the program.
  function onKey(event) {
    var k = event.key, ctrl = event.ctrlKey, shift = event.shiftKey, name = null;
    if (k === "F9" && !ctrl && !shift) name = "start";
    else if (k === "F9" && ctrl) name = "compilieren";
    else if (k === "F7" && shift) name = "zurueck";
    else if (k === "F7") name = "einzelschritt";
    else if (k === "F6") name = "unterbrechen";
    else if (k === "F2" && ctrl) name = "anhalten";
    else if (k === "Enter" && ctrl) name = "start";
    if (name === null && !/^F([1-9]|1[0-2])$/.test(k))
      return;
    event.preventDefault();
    event.stopPropagation();
    if (name !== null && !event.repeat)
      act(name);
  }

  function init() {
    ["start", "einzelschritt", "unterbrechen", "anhalten", "zurueck", "compilieren", "programm", "zeilen",
     "xpos", "ypos", "material", "feldpanel", "meldung"].forEach(function (id) { el[id] = document.getElementById(id); });
    el.feld = document.getElementById("arbeitsfeld");
    el.meldungTitel = document.getElementById("meldung-titel");
    el.meldungText = document.getElementById("meldung-text");
    Object.keys(actions).forEach(function (name) {
      el[name].addEventListener("click", function () { act(name); });
    });
    el.meldung.addEventListener("close", showNextMessage);
    el.programm.addEventListener("input", drawGutter);
    el.programm.addEventListener("scroll", function () { el.zeilen.scrollTop = el.programm.scrollTop; });
    el.zeilen.addEventListener("click", toggleBreakpoint);
    window.addEventListener("keydown", onKey, true);
    refresh();
    document.body.dataset.bereit = "1";
  }

  return { init: init, state: function () { return state; } };
})();
