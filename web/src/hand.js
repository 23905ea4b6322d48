// "Handsteuerung": Zelk's four commands by hand, each done by the core as a
// program would do it, with the same message when Zelk meets a wall.
import { api } from "./core.js";
import { refresh } from "./run.js";
import { onFieldDrawn } from "./field.js";

// The button's command letter for the core (vor, drehe links, nimm auf, gib ab).
const COMMANDS = { handvor: "V", handdrehe: "D", handnimm: "N", handgib: "G" };
let toggle, panel;

export function initHand() {
  onFieldDrawn(showHand);
  toggle = document.getElementById("handsteuerung");
  panel = document.getElementById("handpanel");
  toggle.addEventListener("click", () => {
    panel.hidden = !panel.hidden;
    toggle.setAttribute("aria-pressed", String(!panel.hidden));
    // The first button takes the focus when the window opens.
    if (!panel.hidden) document.getElementById("handvor").focus();
  });
  Object.entries(COMMANDS).forEach(([id, letter]) => {
    document.getElementById(id).addEventListener("click", () => {
      api("zelk_hand")(letter.charCodeAt(0));
      refresh();
    });
  });
}

// The menu item waits while the field is edited; the open window's buttons
// are never disabled.
function showHand(field) {
  toggle.disabled = !field.enabled.handsteuerung;
}
