// The run's buttons and keys: each presses the core's command, and the
// step timer keeps ticking the core while the core says it is on.
import { api, readState } from "./core.js";
import * as editor from "./editor.js";
import * as messages from "./messages.js";

const NAMES = ["start", "einzelschritt", "unterbrechen", "anhalten", "zurueck", "compilieren"];
let state = null;
let ticking = false;
const buttons = {};

const actions = {
  start() { editor.handInPages(); api("zelk_start")(); },
  einzelschritt() { editor.handInPages(); api("zelk_step")(); },
  unterbrechen() { api("zelk_pause")(); },
  anhalten() { api("zelk_stop")(); },
  zurueck() { api("zelk_back")(); },
  compilieren() { editor.handInPages(); api("zelk_compile")(); },
};

export function currentState() { return state; }

// What draws the core's report (the field, the panel) signs up here, so
// that the run needs to know none of it.
const drawers = [];
export function onReport(f) { drawers.push(f); }

// The step timer's interval in ms; the speed bar's owner tells it.
let stepInterval = null;
export function setStepInterval(f) { stepInterval = f; }

export function act(name) {
  if (messages.isOpen() || !state.enabled[name])
    return;
  actions[name]();
  refresh();
}

// Draws everything from the core's report.
export function refresh() {
  state = readState();
  messages.queue(state.messages);
  drawers.forEach((f) => f(state));
  editor.showMark(state.markPage, state.markLine);
  if (state.selectLine >= 0)
    editor.selectLine(state.selectedPage, state.selectLine);
  editor.setReadOnly(state.state === "running");
  NAMES.forEach((name) => { buttons[name].disabled = !state.enabled[name]; });
  if (state.timer && !ticking)
    tickLater();
}

// The step timer: one tick of the core each interval, while the core
// keeps it on and no box waits for the learner.
function tickLater() {
  ticking = true;
  setTimeout(() => {
    messages.whenClosed(() => {
      ticking = false;
      if (!state.timer)
        return;
      api("zelk_tick")();
      refresh();
    });
  }, stepInterval());
}

// Each command with the desktop's key and one more for keyboards without
// function keys (Chromebooks, tablets). The second keys avoid Ctrl+Alt
// (AltGr on German keyboards), what browsers and ChromeOS keep for
// themselves (Ctrl+N/T/W/L/H/Tab, Ctrl+Shift+letters, Alt+letters) and what
// editing needs (Ctrl+Z/Y/A/C/V/X, Ctrl+Backspace, Ctrl with arrows, Home,
// End). Punctuation is matched by its place on the keyboard (code), as
// Shift gives it another character on every layout. On Apple keyboards ⌘
// stands for Ctrl.
export const KEYS = [
  { command: "start", name: "Start", keys: [{ key: "F9" }, { key: "Enter", ctrl: true }] },
  { command: "einzelschritt", name: "Einzelschritt", keys: [{ key: "F7" }, { code: "Period", ctrl: true }] },
  { command: "unterbrechen", name: "Unterbrechen", keys: [{ key: "F6" }, { code: "Comma", ctrl: true }] },
  { command: "anhalten", name: "Anhalten", keys: [{ key: "F2", ctrl: true }, { code: "Comma", ctrl: true, shift: true }] },
  { command: "zurueck", name: "Schritt zurück", keys: [{ key: "F7", shift: true }, { code: "Period", ctrl: true, shift: true }] },
  { command: "compilieren", name: "Compilieren", keys: [{ key: "F9", ctrl: true }, { key: "Enter", ctrl: true, shift: true }] },
  { command: "haltepunkt", name: "Haltepunkt ein/aus", keys: [{ key: "F5" }, { code: "KeyB", ctrl: true }] },
  // "/" lies on Shift+7 on German keyboards: Shift does not count here.
  { command: "hilfe", name: "Hilfe", keys: [{ key: "F1" }, { key: "/", ctrl: true, anyShift: true }] },
  // The desktop's keys for files; the browser would open or save the page.
  { command: "datei-oeffnen", name: "Öffnen", keys: [{ code: "KeyO", ctrl: true }] },
  { command: "datei-speichern", name: "Speichern", keys: [{ code: "KeyS", ctrl: true }] },
];

const apple = /Mac|iPhone|iPad/.test(navigator.platform || "");
const KEY_WORDS = { Period: "Punkt", Comma: "Komma", KeyB: "B", KeyO: "O", KeyS: "S" };

// A key as the help and the tooltips write it, e.g. "Strg+Umschalt+Punkt".
export function keyText(k) {
  const parts = [];
  if (k.ctrl) parts.push(apple ? "⌘" : "Strg");
  if (k.shift) parts.push("Umschalt");
  parts.push(k.key || KEY_WORDS[k.code]);
  return parts.join("+");
}

function matches(k, e) {
  const ctrl = e.ctrlKey || e.metaKey;
  if (e.altKey || ctrl !== !!k.ctrl || (!k.anyShift && e.shiftKey !== !!k.shift))
    return false;
  return k.key ? e.key === k.key : e.code === k.code;
}

// Commands that are not the run's: the module that owns one adds it.
const otherCommands = {
  haltepunkt() {
    if (typeof editor.toggleBreakpointAtCursor === "function" && !messages.isOpen())
      editor.toggleBreakpointAtCursor();
  },
};
export function addCommand(name, f) { otherCommands[name] = f; }

export function runCommand(name) {
  if (actions[name]) act(name);
  else if (otherCommands[name]) otherCommands[name]();
}

function commandOfKey(e) {
  const found = KEYS.find((c) => c.keys.some((k) => matches(k, e)));
  return found ? found.command : null;
}

function onKey(event) {
  const name = commandOfKey(event);
  // Every function key is kept from the browser, so that F5 cannot reload
  // the page and lose the program.
  if (name === null && !/^F([1-9]|1[0-2])$/.test(event.key))
    return;
  event.preventDefault();
  event.stopPropagation();
  if (name !== null && !event.repeat)
    runCommand(name);
}

// Each button's tooltip names its keys, after the desktop's hint where
// the button has one.
function showKeysInTooltips() {
  KEYS.forEach((c) => {
    const b = document.getElementById(c.command);
    if (b) b.title = (b.title || c.name) + " (" + c.keys.map(keyText).join(", ") + ")";
  });
}

export function initRun() {
  NAMES.forEach((name) => {
    buttons[name] = document.getElementById(name);
    buttons[name].addEventListener("click", () => act(name));
  });
  const haltepunkt = document.getElementById("haltepunkt");
  if (haltepunkt) haltepunkt.addEventListener("click", () => runCommand("haltepunkt"));
  showKeysInTooltips();
  window.addEventListener("keydown", onKey, true);
}
