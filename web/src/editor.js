// The learner's pages: the program and its units, each an editor state
// with its line numbers, breakpoints and the execution mark, shown one at a
// time in one editor view. The core translates the texts as they are handed
// in and holds the breakpoints a run pauses at; the gutter shows them on
// the lines they stand on now.
import { EditorState, StateField, StateEffect, RangeSet, ChangeSet, Compartment, EditorSelection } from "@codemirror/state";
import { EditorView, GutterMarker, gutter, lineNumbers, keymap, drawSelection, highlightActiveLineGutter } from "@codemirror/view";
import { history, defaultKeymap, historyKeymap, insertNewlineKeepIndent } from "@codemirror/commands";
import { api, call } from "./core.js";
import { colours, recolourAll, initColours } from "./colours.js";

// Each page: { name, origin, saved, state, base, since }. origin is what the
// files module needs to save it again (a file handle or a file name), saved
// the text as it was last opened or saved. base is the text the last
// translation read (null when it read none of this page), since the
// changes made to it after; together they carry the run's lines to where
// they stand now.
const pages = [];
let selected = -1;
let view, tabs, announcer;
let readOnly = false;
let translations = 0;
let selectionIsRunLine = false;
let closeHandler = null;
const changeListeners = [];
const editable = new Compartment();


// ---- breakpoints and the mark, kept in each page's state --------------------

const setBreakpoint = StateEffect.define();   // { pos, on }
const setBreakpoints = StateEffect.define();  // [line, ...] from 0
const setMark = StateEffect.define();         // line from 0, or -1

class BreakpointMarker extends GutterMarker {}
const breakpointMarker = new BreakpointMarker();

// Breakpoints go with their line as it moves; a line joined into the one
// above takes its breakpoint with it.
const breakpointField = StateField.define({
  create() { return RangeSet.empty; },
  update(set, tr) {
    set = set.map(tr.changes);
    for (const e of tr.effects) {
      if (e.is(setBreakpoint)) {
        set = set.update({ filter: (from) => from !== e.value.pos });
        if (e.value.on) set = set.update({ add: [breakpointMarker.range(e.value.pos)] });
      } else if (e.is(setBreakpoints)) {
        const doc = tr.state.doc;
        const lines = e.value.filter((l) => l >= 0 && l < doc.lines).sort((a, b) => a - b);
        set = RangeSet.of(lines.map((l) => breakpointMarker.range(doc.line(l + 1).from)), true);
      }
    }
    return set;
  },
});

// The mark's place: the start of its line, or -1.
const markField = StateField.define({
  create() { return -1; },
  update(pos, tr) {
    if (pos >= 0) pos = tr.changes.mapPos(pos, 1);
    for (const e of tr.effects)
      if (e.is(setMark))
        pos = e.value >= 0 && e.value < tr.state.doc.lines ? tr.state.doc.line(e.value + 1).from : -1;
    return pos;
  },
});

// One marker per line in the gutter beside the numbers: the red dot, the
// arrow of the execution mark, or both; data-zeile holds its line from 0.
class LineMarker extends GutterMarker {
  constructor(dot, arrow, line) { super(); this.dot = dot; this.arrow = arrow; this.line = line; }
  eq(other) { return other.dot === this.dot && other.arrow === this.arrow && other.line === this.line; }
  toDOM() {
    const e = document.createElement("span");
    e.className = (this.dot ? "haltepunkt" : "") + (this.arrow ? " marke" : "");
    e.dataset.zeile = String(this.line);
    return e;
  }
}

function hasBreakpointAt(state, pos) {
  let found = false;
  state.field(breakpointField).between(pos, pos, (from) => { if (from === pos) found = true; });
  return found;
}

const gutterClicks = {
  click(v, block) {
    toggleBreakpointAtLine(selected, v.state.doc.lineAt(block.from).number - 1);
    return true;
  },
  mousedown() { return true; },  // a tap on a number moves neither caret nor focus
};

const marksGutter = gutter({
  class: "cm-haltepunkte",
  lineMarker(v, block) {
    const dot = hasBreakpointAt(v.state, block.from);
    const arrow = v.state.field(markField) === block.from;
    return dot || arrow ? new LineMarker(dot, arrow, v.state.doc.lineAt(block.from).number - 1) : null;
  },
  lineMarkerChange: (u) => u.docChanged || u.transactions.some((t) => t.effects.length > 0),
  domEventHandlers: gutterClicks,
});

// The desktop's Tab key: its number of blanks at the caret, whatever the
// column (or a tab character where the desktop types one).
function insertBlanks(v) {
  if (v.state.readOnly) return false;
  const width = api("zelk_tab_width")();
  v.dispatch(v.state.replaceSelection(width < 0 ? "\t" : " ".repeat(width)), { scrollIntoView: true, userEvent: "input" });
  return true;
}

function extensions() {
  return [
    marksGutter,
    lineNumbers({ domEventHandlers: gutterClicks }),
    highlightActiveLineGutter(),
    history(),
    drawSelection(),
    breakpointField,
    markField,
    colours,
    editable.of(EditorState.readOnly.of(readOnly)),
    keymap.of([{ key: "Tab", run: insertBlanks, shift: insertBlanks },
               { key: "Enter", run: insertNewlineKeepIndent },
               ...historyKeymap, ...defaultKeymap]),
    EditorView.contentAttributes.of({ "aria-label": "Programm" }),
  ];
}

// ---- the pages ---------------------------------------------------------------

export function initEditor() {
  tabs = document.getElementById("seiten");
  announcer = document.getElementById("editor-ansage");
  view = new EditorView({
    parent: document.getElementById("programm"),
    state: EditorState.create({ doc: "", extensions: extensions() }),
    dispatchTransactions(trs, v) {
      v.update(trs);
      if (selected < 0) return;
      const changed_ = trs.filter((t) => t.docChanged);
      changed_.forEach((t) => followChanges(selected, t.changes));
      pages[selected].state = v.state;
      if (changed_.length > 0) changed();
    },
  });
  initColours(() => recolourAll(view));
  tabs.addEventListener("click", (e) => {
    const tab = e.target.closest("[data-seite]");
    if (!tab) return;
    const i = Number(tab.dataset.seite);
    if (e.target.closest(".schliessen")) {
      if (closeHandler) closeHandler(i);
      else closePage(i);
    } else {
      selectPage(i);
    }
  });
  if (window.Zelk) window.Zelk.selection = selectionForTests;
  if (pages.length === 0)
    addPage("Robo1", "");
}

// f runs after every change of a page's text or of the list of pages.
export function onChange(f) { changeListeners.push(f); }
function changed() { changeListeners.forEach((f) => f()); }

// f(i) runs instead of closing when the learner closes page i by its
// button, so that a changed text can be saved first.
export function setCloseHandler(f) { closeHandler = f; }

function stateOf(i) { return i === selected ? view.state : pages[i].state; }

export function pageCount() { return pages.length; }
export function pageName(i) { return pages[i].name; }
export function pageText(i) { return stateOf(i).doc.toString(); }
export function pageOrigin(i) { return pages[i].origin; }
export function selectedPage() { return selected; }
export function isModified(i) { return pageText(i) !== pages[i].saved; }
// Only the empty page a fresh page starts with: a program opened from a
// file, a link or the examples takes its place.
export function isUntouchedStart() {
  return pages.length === 1 && pageText(0) === "" && !isModified(0) && !pages[0].origin;
}

function newPage(name, content, origin) {
  pages.push({ name, origin: origin || null, saved: content, base: null, since: null,
               state: EditorState.create({ doc: content, extensions: extensions() }) });
  return pages.length - 1;
}

// A new page in front, with its name as the translator knows it (a unit's
// name: the file name without folder and extension).
export function addPage(name, content, origin) {
  const i = newPage(name, content, origin);
  selectPage(i);
  changed();
  return i;
}

// One transaction (changes, effects) on page i, shown or kept aside.
function update(i, transaction) {
  if (i === selected) { view.dispatch(transaction); return; }
  const tr = pages[i].state.update(transaction);
  if (tr.docChanged) followChanges(i, tr.changes);
  pages[i].state = tr.state;
}

export function setPageText(i, content) {
  update(i, { changes: { from: 0, to: stateOf(i).doc.length, insert: content } });
  if (i !== selected) changed();
}

// After a save: the page is named after its file and counts as unchanged.
export function pageSaved(i, name, origin) {
  pages[i].name = name;
  pages[i].origin = origin;
  pages[i].saved = pageText(i);
  drawTabs();
  changed();
}

export function closePage(i) {
  pages[selected].state = view.state;
  pages.splice(i, 1);
  if (pages.length === 0) newPage("Robo1", "");
  // The page in front stays there unless it was the one closed.
  const front = i < selected ? selected - 1 : Math.min(selected, pages.length - 1);
  selected = -1;
  selectPage(front);
  // The pages after it move up one: the core's numbers must follow at once,
  // or a breakpoint set now would land on the wrong page.
  handInPages();
  changed();
}

export function selectPage(i) {
  if (selected >= 0 && selected < pages.length) pages[selected].state = view.state;
  selected = i;
  view.setState(pages[i].state);
  view.dispatch({ effects: editable.reconfigure(EditorState.readOnly.of(readOnly)) });
  drawTabs();
}

export function setReadOnly(on) {
  if (on === readOnly) return;
  readOnly = on;
  view.dispatch({ effects: editable.reconfigure(EditorState.readOnly.of(on)) });
}

function drawTabs() {
  const focusedTab = tabs.contains(document.activeElement) ? document.activeElement.closest("[data-seite]") : null;
  const focusedIndex = focusedTab ? focusedTab.dataset.seite : null;
  tabs.innerHTML = "";
  pages.forEach((p, i) => {
    const box = document.createElement("span");
    box.className = "seite";
    box.dataset.seite = String(i);
    box.setAttribute("role", "presentation");
    const tab = document.createElement("button");
    tab.type = "button";
    tab.textContent = p.name;
    tab.setAttribute("role", "tab");
    tab.setAttribute("aria-selected", String(i === selected));
    const close = document.createElement("button");
    close.type = "button";
    close.className = "schliessen";
    close.textContent = "×";
    close.title = "Schließen";
    close.setAttribute("aria-label", "Schließen: " + p.name);
    box.append(tab, close);
    tabs.appendChild(box);
  });
  // Closing or choosing a page by the keyboard keeps the focus among the tabs.
  if (focusedIndex !== null) {
    const tab = tabs.querySelector('[data-seite="' + Math.min(Number(focusedIndex), pages.length - 1) + '"] [role=tab]');
    if (tab) tab.focus();
  }
}

// ---- the run's lines and the lines now ----------------------------------------

function followChanges(i, changes) {
  const p = pages[i];
  if (p.since) p.since = p.since.composeDesc(changes.desc);
}

// Where a line of the text the run translated stands now; -1 when it was
// taken away with its line break.
function lineNow(i, line) {
  const p = pages[i], doc = stateOf(i).doc;
  if (!p.base) return Math.min(line, doc.lines - 1);
  if (line < 0 || line >= p.base.lines) return -1;
  const from = p.base.line(line + 1).from;
  const end = line + 1 < p.base.lines ? p.base.line(line + 2).from : p.base.length;
  if (end > from && p.since.mapPos(from, -1) === p.since.mapPos(end, -1)) return -1;
  return doc.lineAt(p.since.mapPos(from, 1)).number - 1;
}

// The line of the translated text that stands on line now; -1 for a line
// typed since, which the run does not know.
function translatedLine(i, line) {
  const p = pages[i];
  if (!p.base) return line;
  for (let t = 0; t < p.base.lines; ++t)
    if (lineNow(i, t) === line) return t;
  return -1;
}

function breakpointLines(i) {
  const state = stateOf(i), lines = [];
  state.field(breakpointField).between(0, state.doc.length, (from) => { lines.push(state.doc.lineAt(from).number - 1); });
  return lines;
}

// A translation read the pages just handed in: their lines are the run's
// lines now, and its breakpoints, moved to lines with an instruction, are
// the ones to show.
function translated(report) {
  pages.forEach((p, i) => {
    const read = report.translatedPages.includes(i);
    p.base = read ? stateOf(i).doc : null;
    p.since = read ? ChangeSet.empty(p.base.length).desc : null;
    update(i, { effects: setBreakpoints.of(report.breakpoints[i] || []) });
  });
}

// What the core did to the pages in the last command: units it loaded
// from the learner's files, a translation, a pause.
function takeCoreReport() {
  const report = JSON.parse(window.Module.UTF8ToString(api("zelk_editor_json")()));
  if (report.addedPages.length > 0) {
    report.addedPages.forEach((p) => newPage(p.name, p.text, p.file));
    drawTabs();
    changed();
  }
  if (report.translations !== translations) {
    translations = report.translations;
    translated(report);
  }
  selectionIsRunLine = report.runLine;
  return report;
}

// The core reads the pages as they stand now, the selected one translated,
// and the breakpoints both on the run's lines and on the lines now.
export function handInPages() {
  call("zelk_set_underscore", null, ["number"], [underscoreOn() ? 1 : 0]);
  pages.forEach((p, i) => call("zelk_set_page", null, ["number", "string", "string"], [i, p.name, pageText(i)]));
  api("zelk_keep_pages")(pages.length);
  pages.forEach((p, i) => {
    const now = breakpointLines(i);
    const run = now.map((l) => translatedLine(i, l)).filter((l) => l >= 0);
    call("zelk_set_breakpoints", null, ["number", "string", "string"], [i, run.join(","), now.join(",")]);
  });
  api("zelk_select_page")(selected);
}

// Called with every report of the core: the arrow on the line that runs
// next, on the page it stands on.
export function showMark(page, line) {
  const report = takeCoreReport();
  pages.forEach((p, i) => {
    const at = i === page ? lineNow(i, line) : -1;
    if (stateOf(i).field(markField) !== (at >= 0 ? stateOf(i).doc.line(at + 1).from : -1))
      update(i, { effects: setMark.of(at) });
  });
  if (report.paused && page >= 0 && page < pages.length && lineNow(page, line) >= 0)
    announce("Ausführung hält in Zeile " + (lineNow(page, line) + 1));
}

// Selects a whole line: an error's line in the text now, or a run's line
// where it stands now. The focus stays where it is, so that a tablet's
// on-screen keyboard does not come up for a step.
export function selectLine(page, line) {
  if (page >= 0 && page !== selected && page < pages.length)
    selectPage(page);
  if (selectionIsRunLine) line = lineNow(selected, line);
  const doc = view.state.doc;
  if (line < 0) return;
  const l = doc.line(Math.min(line, doc.lines - 1) + 1);
  view.dispatch({ selection: EditorSelection.single(l.from, l.to),
                  effects: EditorView.scrollIntoView(l.from, { y: "nearest" }) });
}

// ---- breakpoints ---------------------------------------------------------------

function toggleBreakpointAtLine(i, line) {
  const state = stateOf(i);
  if (line < 0 || line >= state.doc.lines) return;
  const pos = state.doc.line(line + 1).from;
  const run = translatedLine(i, line);
  // A line typed since the translation is not in the run: its breakpoint
  // waits in the editor for the next translation.
  const on = run >= 0 ? api("zelk_toggle_breakpoint")(i, run) === 1 : !hasBreakpointAt(state, pos);
  update(i, { effects: setBreakpoint.of({ pos, on }) });
  announce("Haltepunkt in Zeile " + (line + 1) + (on ? " gesetzt" : " entfernt"));
}

// F5: the breakpoint on the caret's line.
export function toggleBreakpointAtCursor() {
  toggleBreakpointAtLine(selected, view.state.doc.lineAt(view.state.selection.main.head).number - 1);
}

function announce(text) {
  // The same words again must be heard again: the region changes twice.
  announcer.textContent = "";
  setTimeout(() => { announcer.textContent = text; }, 50);
}

// ---- the Underscore option ------------------------------------------------------

function underscoreOn() { return document.getElementById("unterstrich").checked; }

// For the page tests: the selected page and its selected text.
function selectionForTests() {
  const s = view.state.selection.main;
  return { page: selected, text: view.state.sliceDoc(s.from, s.to), focused: view.hasFocus };
}
