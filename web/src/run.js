// The run's buttons and keys: each presses the core's command, and the
// step timer keeps ticking the core while the core says it is on.
import { api, readState } from "./core.js";
import * as editor from "./editor.js";
import * as messages from "./messages.js";
import { drawField, stepInterval } from "./field.js";

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
  drawField(state);
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

// The desktop's keys, and for keyboards without function keys one more
// each; taken before the browser sees them, wherever the focus is.
function commandOfKey(e) {
  const k = e.key, ctrl = e.ctrlKey || e.metaKey, shift = e.shiftKey;
  if (k === "F9") return ctrl ? "compilieren" : "start";
  if (k === "F7") return shift ? "zurueck" : "einzelschritt";
  if (k === "F6") return "unterbrechen";
  if (k === "F2" && ctrl) return "anhalten";
  if (k === "Enter" && ctrl) return "start";
  return null;
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
    act(name);
}

export function initRun() {
  NAMES.forEach((name) => {
    buttons[name] = document.getElementById(name);
    buttons[name].addEventListener("click", () => act(name));
  });
  window.addEventListener("keydown", onKey, true);
}
