// The work field drawn as the desktop draws it: the same grid, barriers,
// item marks and pictures of Zelk, at the desktop's logical pixels scaled
// to the space the page gives it, and sharp at the screen's pixel ratio.
// Beside it the info panel "Zelk Info". What is drawn comes from the core.
import { api } from "./core.js";
import { onReport, setStepInterval } from "./run.js";
import zelkOst from "../../resources/world/zelk_ost.svg";
import zelkNord from "../../resources/world/zelk_nord.svg";
import zelkWest from "../../resources/world/zelk_west.svg";
import zelkSued from "../../resources/world/zelk_sued.svg";

// The drawing's logical size, margins included (as FeldKlick.h has it).
export const LOGICAL_W = 435, LOGICAL_H = 295;
const COLS = 15, ROWS = 10;
// Zelk's pictures by direction (0 east, 1 north, 2 west, 3 south) and
// their sizes: the east one is smaller, as on the desktop.
const PICTURES = [[zelkOst, 30, 28], [zelkNord, 32, 32], [zelkWest, 32, 32], [zelkSued, 32, 32]]
  .map(([url, w, h]) => { const img = new Image(); img.src = url; return { img, w, h }; });
// Centre offsets of the nine item marks inside a square, bottom row first.
const DOT_DX = [17, 10, 24, 17, 10, 24, 17, 10, 24];
const DOT_DY = [24, 24, 24, 17, 17, 17, 10, 10, 10];
// The mark: a ring about five pixels across, set out pixel by pixel.
const RING = [".XXX.", "X...X", "X...X", "X...X", ".XXX."];

let canvas, described, el = {};
let lastState = null, fieldState = null;
let announceTimer = 0;

const ox = (x) => 28 * (x - 1) + 6;
const oy = (y) => 28 * (ROWS - y) + 6;

export function initField() {
  canvas = document.getElementById("arbeitsfeld");
  described = document.getElementById("feld-beschreibung");
  ["xpos", "ypos", "material", "vorrat", "geschw", "geschwwert", "feldpanel"].forEach((id) => {
    el[id] = document.getElementById(id);
  });
  el.geschw.addEventListener("input", () => {
    api("zelk_set_speed")(Number(el.geschw.value));
    el.geschwwert.textContent = String(readField().speed);
  });
  PICTURES.forEach((p) => p.img.addEventListener("load", redraw));
  new ResizeObserver(fitCanvas).observe(canvas.parentElement);
  window.matchMedia("(resolution: " + window.devicePixelRatio + "dppx)").addEventListener("change", fitCanvas);
  onReport(drawField);
  setStepInterval(stepInterval);
}

// What else shows the field's state (the editing tools, the manual
// control) signs up here and is told after each drawing.
const fieldListeners = [];
export function onFieldDrawn(f) { fieldListeners.push(f); }

// What the core says of the field beyond the run's report: the editing
// mode, the colours, the speed, what may be pressed, and the words.
export function readField() {
  fieldState = JSON.parse(window.Module.UTF8ToString(api("zelk_field_json")()));
  return fieldState;
}

// The step timer's interval, as the speed bar sets it in the core.
function stepInterval() { return (fieldState || readField()).interval; }

// The canvas as wide as its place, its backing store at the screen's pixels.
function fitCanvas() {
  // The border lies outside the drawing.
  const width = Math.max(canvas.parentElement.clientWidth - 2, 100);
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = width + "px";
  canvas.style.height = Math.round(width * LOGICAL_H / LOGICAL_W) + "px";
  canvas.width = Math.round(width * ratio);
  canvas.height = Math.round(width * LOGICAL_H / LOGICAL_W * ratio);
  redraw();
}

export function redraw() { if (lastState) paint(lastState); }

function drawField(state) {
  lastState = state;
  readField();
  paint(state);
  drawInfo(state);
  describe();
  fieldListeners.forEach((f) => f(fieldState));
}

// A place in the drawing's logical pixels, from a place on the screen.
export function logicalPoint(clientX, clientY) {
  const r = canvas.getBoundingClientRect();
  const left = r.left + canvas.clientLeft, top = r.top + canvas.clientTop;
  return [Math.floor((clientX - left) * LOGICAL_W / canvas.clientWidth),
          Math.floor((clientY - top) * LOGICAL_H / canvas.clientHeight)];
}

function paint(state) {
  const g = canvas.getContext("2d");
  const f = fieldState;
  g.setTransform(canvas.width / LOGICAL_W, 0, 0, canvas.height / LOGICAL_H, 0, 0);
  g.fillStyle = "#fff";
  g.fillRect(0, 0, LOGICAL_W, LOGICAL_H);
  g.fillStyle = f.wall;
  for (let i = 0; i <= COLS; ++i) g.fillRect(28 * i + 6, 6, 3, 283);
  for (let j = 0; j <= ROWS; ++j) g.fillRect(6, 28 * j + 6, 423, 3);
  for (let y = 1; y <= ROWS; ++y) {
    for (let x = 1; x <= COLS; ++x) {
      const sq = state.grid[y - 1][x - 1];
      drawDots(g, x, y, Math.min(Math.max(sq[0], 0), 9));
      // Each inner side once, from the square left of it or below it;
      // the border keeps the grid colour. sq: items, open E, N, W, S.
      g.fillStyle = f.barrier;
      if (sq[1] === 0 && x !== COLS) g.fillRect(ox(x) + 28, oy(y), 3, 31);
      if (sq[2] === 0 && y !== ROWS) g.fillRect(ox(x), oy(y), 31, 3);
    }
  }
  const r = state.robot, p = PICTURES[((r.direction % 4) + 4) % 4];
  if (r.x >= 1 && r.x <= COLS && r.y >= 1 && r.y <= ROWS && p.img.complete)
    g.drawImage(p.img, ox(r.x) - 1, oy(r.y) - 1, p.w, p.h);
  if (f.editing && document.activeElement === canvas) {
    // The frame around the square that the arrow keys have reached.
    g.strokeStyle = "#0a64d6";
    g.lineWidth = 1;
    g.strokeRect(ox(f.focusX) + 3.5, oy(f.focusY) + 3.5, 24, 24);
  }
}

function drawDots(g, x, y, count) {
  g.fillStyle = "#000";
  for (let k = 0; k < count; ++k) {
    const left = ox(x) + DOT_DX[k] - 3, top = oy(y) + DOT_DY[k] - 2;
    RING.forEach((row, i) => {
      for (let j = 0; j < 5; ++j) if (row[j] === "X") g.fillRect(left + j, top + i, 1, 1);
    });
  }
}

function drawInfo(state) {
  el.xpos.textContent = String(state.robot.x);
  el.ypos.textContent = String(state.robot.y);
  el.material.textContent = String(state.robot.supply);
  // The supply bar only moves while editing, and then stands at the supply.
  el.vorrat.disabled = !fieldState.editing;
  if (document.activeElement !== el.vorrat || !fieldState.editing) el.vorrat.value = String(state.robot.supply);
  el.geschw.min = fieldState.speedMin;
  el.geschw.max = fieldState.speedMax;
  el.geschw.value = String(fieldState.speed);
  el.geschwwert.textContent = String(fieldState.speed);
  el.feldpanel.textContent = state.feldPanel;
}

// The core's words for the field, for a screen reader: told at most four
// times a second while a program runs.
function describe() {
  if (described.textContent === fieldState.description || announceTimer) return;
  described.textContent = fieldState.description;
  announceTimer = setTimeout(() => {
    announceTimer = 0;
    if (fieldState && described.textContent !== fieldState.description) described.textContent = fieldState.description;
  }, 250);
}
