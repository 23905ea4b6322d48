// The learner's pages: the program and its units, each with its line
// numbers, breakpoints and the execution mark. The core translates the
// texts as they are handed in; breakpoints live in the core's run, the
// gutter only shows them.
import { api, call } from "./core.js";

// Each page: { name, text, origin, saved } where origin is what the files
// module needs to save it again (a file handle or a file name), and saved
// the text as it was last opened or saved.
const pages = [];
let selected = -1;
let text, gutter, tabs;
const breakpoints = [];   // per page: { line: true }
let mark = { page: -1, line: -1 };
const changeListeners = [];

export function initEditor() {
  text = document.getElementById("programm");
  gutter = document.getElementById("zeilen");
  tabs = document.getElementById("seiten");
  text.addEventListener("input", () => {
    pages[selected].text = text.value;
    drawGutter();
    changed();
  });
  text.addEventListener("scroll", () => { gutter.scrollTop = text.scrollTop; });
  gutter.addEventListener("click", toggleBreakpoint);
  tabs.addEventListener("click", (e) => {
    const i = e.target.dataset && e.target.dataset.seite;
    if (i !== undefined) selectPage(Number(i));
  });
  if (pages.length === 0)
    addPage("Robo1", "");
}

// f runs after every change of a page's text or of the list of pages.
export function onChange(f) { changeListeners.push(f); }
function changed() { changeListeners.forEach((f) => f()); }

export function pageCount() { return pages.length; }
export function pageName(i) { return pages[i].name; }
export function pageText(i) { return pages[i].text; }
export function pageOrigin(i) { return pages[i].origin; }
export function selectedPage() { return selected; }
export function isModified(i) { return pages[i].text !== pages[i].saved; }

// A new page in front, with its name as the translator knows it (a unit's
// name: the file name without folder and extension).
export function addPage(name, content, origin) {
  pages.push({ name, text: content, origin: origin || null, saved: content });
  breakpoints.push({});
  selectPage(pages.length - 1);
  changed();
  return pages.length - 1;
}

export function setPageText(i, content) {
  pages[i].text = content;
  if (i === selected) { text.value = content; drawGutter(); }
  changed();
}

// After a save: the page is named after its file and counts as unchanged.
export function pageSaved(i, name, origin) {
  pages[i].name = name;
  pages[i].origin = origin;
  pages[i].saved = pages[i].text;
  drawTabs();
  changed();
}

export function closePage(i) {
  pages.splice(i, 1);
  breakpoints.splice(i, 1);
  if (pages.length === 0) { pages.push({ name: "Robo1", text: "", origin: null, saved: "" }); breakpoints.push({}); }
  selectPage(Math.min(selected, pages.length - 1));
  changed();
}

export function selectPage(i) {
  selected = i;
  text.value = pages[i].text;
  drawTabs();
  drawGutter();
}

// The core reads the pages as they stand now, the selected one translated.
export function handInPages() {
  pages.forEach((p, i) => call("zelk_set_page", null, ["number", "string", "string"], [i, p.name, p.text]));
  api("zelk_select_page")(selected);
}

export function setReadOnly(on) { text.readOnly = on; }

export function showMark(page, line) {
  mark = { page, line };
  drawGutter();
}

export function selectLine(page, line) {
  if (page >= 0 && page !== selected && page < pages.length)
    selectPage(page);
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

function drawTabs() {
  tabs.innerHTML = "";
  pages.forEach((p, i) => {
    const b = document.createElement("button");
    b.type = "button";
    b.textContent = p.name;
    b.dataset.seite = String(i);
    b.setAttribute("role", "tab");
    b.setAttribute("aria-selected", String(i === selected));
    tabs.appendChild(b);
  });
}

function drawGutter() {
  const count = text.value.split("\n").length;
  const html = [];
  for (let i = 0; i < count; ++i) {
    let cls = breakpoints[selected][i] ? "haltepunkt" : "";
    if (mark.page === selected && mark.line === i)
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
  breakpoints[selected][Number(line)] = api("zelk_toggle_breakpoint")(selected, Number(line)) === 1;
  drawGutter();
}
