// The manual's three examples, one choice away. Their files travel inside
// the page (bundled as bytes), so that they are there offline and from the
// disk. Choosing one stores its files in the working folder, where
// ARBEITSFELD and USES find them as on the desktop beside the program, and
// opens the program as a page.
import * as editor from "./editor.js";
import { storeFile, openProgram } from "./files.js";
import { refresh } from "./run.js";
import SAMMELN_PAS from "../../resources/examples/SAMMELN.PAS";
import SAMMELN_ROB from "../../resources/examples/SAMMELN.ROB";
import LABYRINTH_PAS from "../../resources/examples/LABYRINTH.PAS";
import LABYRINTH_ROB from "../../resources/examples/LABYRINTH.ROB";
import TREPPE_PAS from "../../resources/examples/TREPPE.PAS";
import TREPPE_ROB from "../../resources/examples/TREPPE.ROB";
import WERKZEUG_PAS from "../../resources/examples/WERKZEUG.PAS";

// In the manual's order; each program with the files it needs (Treppe
// uses the unit Werkzeug).
export const EXAMPLES = [
  { title: "Sammeln", program: "SAMMELN.PAS", files: { "SAMMELN.PAS": SAMMELN_PAS, "SAMMELN.ROB": SAMMELN_ROB } },
  { title: "Labyrinth", program: "LABYRINTH.PAS", files: { "LABYRINTH.PAS": LABYRINTH_PAS, "LABYRINTH.ROB": LABYRINTH_ROB } },
  { title: "Treppe", program: "TREPPE.PAS", files: { "TREPPE.PAS": TREPPE_PAS, "TREPPE.ROB": TREPPE_ROB, "WERKZEUG.PAS": WERKZEUG_PAS } },
];

let button, list;

export function openExample(example) {
  Object.keys(example.files).forEach((name) => storeFile(name, example.files[name]));
  const base = example.program.replace(/\.PAS$/, "").toLowerCase();
  for (let i = 0; i < editor.pageCount(); ++i) {
    // Opened before: the learner's changes to it stay.
    if (editor.pageName(i).toLowerCase() === base) {
      editor.selectPage(i);
      return;
    }
  }
  // Decoded by the core as the desktop reads a program file.
  const untouched = editor.isUntouchedStart();
  openProgram(example.program);
  if (untouched && editor.pageCount() > 1)
    editor.closePage(0);
  refresh();
}

function showList(open) {
  list.hidden = !open;
  button.setAttribute("aria-expanded", String(open));
  if (open) list.querySelector("button").focus();
}

export function initExamples() {
  button = document.getElementById("beispiele");
  list = document.getElementById("beispiel-liste");
  EXAMPLES.forEach((example) => {
    const b = document.createElement("button");
    b.type = "button";
    b.textContent = example.title;
    b.addEventListener("click", () => {
      showList(false);
      button.focus();
      openExample(example);
    });
    list.appendChild(b);
  });
  button.addEventListener("click", () => showList(list.hidden));
  list.addEventListener("keydown", (e) => {
    if (e.key === "Escape") { showList(false); button.focus(); }
  });
  // A tap or click elsewhere closes the list.
  document.addEventListener("pointerdown", (e) => {
    if (!list.hidden && !list.contains(e.target) && e.target !== button) showList(false);
  });
}
