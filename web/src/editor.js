// The program's text with its line numbers, breakpoints and the execution
// mark. The core translates the text as it is handed in; breakpoints live in
// the core's run, the gutter only shows them.
import { api, call } from "./core.js";

let text, gutter;
const breakpoints = {};
let mark = { page: -1, line: -1 };
const changeListeners = [];

export function initEditor() {
  text = document.getElementById("programm");
  gutter = document.getElementById("zeilen");
  text.addEventListener("input", () => { drawGutter(); changeListeners.forEach((f) => f()); });
  text.addEventListener("scroll", () => { gutter.scrollTop = text.scrollTop; });
  gutter.addEventListener("click", toggleBreakpoint);
  drawGutter();
}

export function onChange(f) { changeListeners.push(f); }

// The core reads the pages as they stand now.
export function handInPages() {
  call("zelk_set_page", null, ["number", "string", "string"], [0, "Robo1", text.value]);
}

export function setReadOnly(on) { text.readOnly = on; }

export function showMark(page, line) {
  mark = { page, line };
  drawGutter();
}

export function selectLine(page, line) {
  const lines = text.value.split("\n");
  if (line >= lines.length)
    line = lines.length - 1;
  let start = 0;
  for (let i = 0; i < line; ++i)
    start += lines[i].length + 1;
  // Focused first, so that the box gives the focus back to the text.
  text.focus();
  text.setSelectionRange(start, start + lines[line].length);
}

function drawGutter() {
  const count = text.value.split("\n").length;
  const html = [];
  for (let i = 0; i < count; ++i) {
    let cls = breakpoints[i] ? "haltepunkt" : "";
    if (mark.page === 0 && mark.line === i)
      cls += " marke";
    html.push('<div data-zeile="' + i + '" class="' + cls + '">' + (i + 1) + "</div>");
  }
  gutter.innerHTML = html.join("");
  gutter.scrollTop = text.scrollTop;
}

function toggleBreakpoint(event) {
  const line = event.target.dataset && event.target.dataset.zeile;
  if (line === undefined)
    return;
  breakpoints[Number(line)] = api("zelk_toggle_breakpoint")(0, Number(line)) === 1;
  drawGutter();
}
