// The work field's editing mode ("Verändern"), "Neu" and "Zurücksetzen".
// A click, a tap or a key hands its place or command to the core, which
// edits the world by the desktop's rules; the page then draws the report.
// Touch has no right button: "Entfernen" makes a tap take away what the
// right button takes away.
import { api } from "./core.js";
import { refresh } from "./run.js";
import { logicalPoint, redraw, onFieldDrawn } from "./field.js";
import cursorW from "../../resources/world/cursor_w.svg";
import cursorS from "../../resources/world/cursor_s.svg";
import cursorN from "../../resources/world/cursor_n.svg";
import cursorP from "../../resources/world/cursor_p.svg";

// The cursors by the core's zone: a horizontal side, a vertical side,
// Zelk's part of a square, its items' part; hot spot at (15, 15).
const CURSORS = ["", cursorW, cursorS, cursorN, cursorP].map((url) => url ? "url(\"" + url + "\") 15 15, crosshair" : "");
// Arrow keys as the core's directions: east, north, west, south.
const ARROWS = { ArrowRight: 0, ArrowUp: 1, ArrowLeft: 2, ArrowDown: 3 };
let canvas, buttons = {}, editing = false;
let touchDown = null;  // the finger whose tap waits to be lifted

function act(name, ...args) {
  api(name)(...args);
  refresh();
}

export function initFieldEdit() {
  canvas = document.getElementById("arbeitsfeld");
  onFieldDrawn(showEditing);
  ["veraendern", "feldneu", "zuruecksetzen", "entfernen", "rueckgaengig", "wiederholen"].forEach((id) => {
    buttons[id] = document.getElementById(id);
  });
  buttons.veraendern.addEventListener("click", () => act("zelk_field_edit", editing ? 0 : 1));
  buttons.feldneu.addEventListener("click", () => act("zelk_field_new"));
  buttons.zuruecksetzen.addEventListener("click", () => act("zelk_field_reset"));
  buttons.rueckgaengig.addEventListener("click", () => act("zelk_field_undo"));
  buttons.wiederholen.addEventListener("click", () => act("zelk_field_redo"));
  buttons.entfernen.addEventListener("click", () => {
    buttons.entfernen.setAttribute("aria-pressed", String(!removing()));
  });
  canvas.addEventListener("pointerdown", onPointerDown);
  canvas.addEventListener("pointerup", (e) => {
    if (editing && e.pointerId === touchDown) edit(e);
    touchDown = null;
  });
  canvas.addEventListener("pointercancel", () => { touchDown = null; });
  canvas.addEventListener("pointermove", (e) => {
    if (e.pointerType === "mouse") canvas.style.cursor = CURSORS[api("zelk_field_zone")(...logicalPoint(e.clientX, e.clientY))];
  });
  canvas.addEventListener("contextmenu", (e) => { if (editing) e.preventDefault(); });
  canvas.addEventListener("keydown", onKey);
  canvas.addEventListener("focus", redraw);
  canvas.addEventListener("blur", redraw);
  const vorrat = document.getElementById("vorrat");
  // Every position of one drag sets the supply; letting go ends the edit.
  vorrat.addEventListener("input", () => act("zelk_field_supply", Number(vorrat.value), 0));
  vorrat.addEventListener("change", () => act("zelk_field_supply", Number(vorrat.value), 1));
}

const removing = () => buttons.entfernen.getAttribute("aria-pressed") === "true";

// Every press counts, also the second of a double click, as on the desktop:
// ten quick clicks put down ten items.
function onPointerDown(e) {
  if (!editing) return;
  canvas.focus({ preventScroll: true });
  // A finger may be starting to scroll the page: the tap acts when it is
  // lifted, unless the browser took it for a scroll (pointercancel).
  if (e.pointerType === "touch") {
    touchDown = e.pointerId;
    return;
  }
  e.preventDefault();
  edit(e);
}

function edit(e) {
  const [x, y] = logicalPoint(e.clientX, e.clientY);
  act("zelk_field_click", x, y, e.button === 2 || removing() ? 0 : 1);
}

// The desktop's keys of the editing mode, on the focused square: arrows move
// the focus, Shift+arrow sets or takes away the barrier on that side, Plus
// and Minus an item more or less, Z brings Zelk there, D turns it left,
// Ctrl+Z and Ctrl+Y undo and redo.
function onKey(e) {
  if (!editing) return;
  const ctrl = e.ctrlKey || e.metaKey, key = e.key.length === 1 ? e.key.toLowerCase() : e.key;
  let command = null;
  if (ctrl && !e.altKey) {
    if (key === "z" && !e.shiftKey) command = ["zelk_field_undo"];
    else if (key === "y" || (key === "z" && e.shiftKey)) command = ["zelk_field_redo"];
  } else if (!e.altKey) {
    if (key in ARROWS) command = [e.shiftKey ? "zelk_field_wall" : "zelk_field_focus_move", ARROWS[key]];
    else if (key === "+" || key === "-") command = ["zelk_field_item", key === "+" ? 1 : 0];
    else if (key === "z" && !e.shiftKey) command = ["zelk_field_zelk_here"];
    else if (key === "d" && !e.shiftKey) command = ["zelk_field_turn"];
  }
  if (!command) return;
  e.preventDefault();
  act(...command);
}

// The buttons as the core enables them; the editing tools only while editing.
function showEditing(field) {
  editing = field.editing;
  buttons.veraendern.setAttribute("aria-pressed", String(editing));
  buttons.veraendern.disabled = !field.enabled.veraendern;
  buttons.feldneu.disabled = !field.enabled.neu;
  buttons.zuruecksetzen.disabled = !field.enabled.zuruecksetzen;
  document.getElementById("feldwerkzeuge").hidden = !editing;
  buttons.rueckgaengig.disabled = !field.canUndo;
  buttons.wiederholen.disabled = !field.canRedo;
  canvas.classList.toggle("veraendern", editing);
  if (!editing) canvas.style.cursor = "";
}
