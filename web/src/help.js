// The help: the German manual, as the desktop shows it, and before it what
// is different in the browser. The manual is large and seldom read, so it
// is loaded only when asked for: handbuch.js, a classic script made at
// build, sets window.ZelkHandbuch to the manual's HTML (a script tag works
// from the disk too, where the page may fetch nothing).
import { KEYS, keyText, addCommand } from "./run.js";
import * as messages from "./messages.js";

const MANUAL_SCRIPT = "handbuch.js";
let box, content, manual, back, forward;
let loading = false;
// Where the reader was, as anchors ("" is the top), for Zurück/Vorwärts.
const history = [""];
let at = 0;

function pageSection() {
  const rows = KEYS.map((c) =>
    "<tr><td>" + c.name + "</td><td>" + keyText(c.keys[0]) + "</td><td>" + (c.keys[1] ? keyText(c.keys[1]) : "–") + "</td></tr>").join("");
  const section = document.createElement("section");
  section.id = "im-browser";
  section.className = "im-browser";
  section.innerHTML =
    "<h2>Zelk im Browser</h2>" +
    "<p>Die Seite tut, was das Programm auf dem Schreibtisch tut. Jeder Befehl hat seine " +
    "gewohnte Taste und eine zweite für Tastaturen ohne F-Tasten (Chromebook, Tablet):</p>" +
    "<table><thead><tr><th>Befehl</th><th>Taste</th><th>ohne F-Taste</th></tr></thead><tbody>" +
    rows + "</tbody></table>" +
    "<p>Tab rückt im Programmtext ein. <strong>Esc, dann Tab verlässt den Programmtext</strong> " +
    "und führt zu den Knöpfen.</p>" +
    "<h3>Dateien</h3>" +
    "<p>„Öffnen“ (" + keyText({ key: "O", ctrl: true }) + ") holt Programme, Units und Arbeitsfelder vom Gerät, auch mehrere auf einmal. " +
    "„Speichern“ (" + keyText({ key: "S", ctrl: true }) + ") schreibt sie so, wie das Programm auf dem Schreibtisch sie liest: in die " +
    "geöffnete Datei, wo der Browser das erlaubt, sonst als Download. Was Sie öffnen oder " +
    "speichern, findet <code>USES</code> und <code>ARBEITSFELD</code>. Seiten und " +
    "Arbeitsfeld bleiben im Browser erhalten, auch nach dem Neuladen.</p>" +
    "<h3>Teilen</h3>" +
    "<p>„Teilen“ macht einen Link, der das Programm, seine Units und das Arbeitsfeld selbst " +
    "enthält; nichts davon geht an einen Server. Wer den Link öffnet, bekommt die Seiten dazu " +
    "und wird gefragt, bevor sein Arbeitsfeld ersetzt wird.</p>" +
    "<p>Die Beispiele des Handbuchs öffnet der Knopf „Beispiele“.</p>";
  return section;
}

// The manual keeps its own styles in a shadow root, where they reach
// nothing of the page; its <body> rule applies to the root instead.
function showManual(html) {
  const doc = new DOMParser().parseFromString(html, "text/html");
  manual = document.createElement("div");
  manual.className = "handbuch";
  const root = manual.attachShadow({ mode: "open" });
  doc.querySelectorAll("style").forEach((s) => {
    const style = document.createElement("style");
    style.textContent = s.textContent.replace(/(^|\})\s*body\s*\{/g, "$1 :host {");
    root.appendChild(style);
  });
  const body = document.createElement("div");
  body.innerHTML = doc.body.innerHTML;
  root.appendChild(body);
  // Its links lead to its chapters: followed inside the help.
  root.addEventListener("click", (e) => {
    const link = e.target.closest && e.target.closest("a[href^='#']");
    if (!link) return;
    e.preventDefault();
    go(link.getAttribute("href").substring(1));
  });
  content.appendChild(manual);
}

function target(anchor) {
  if (anchor === "") return content.firstElementChild;
  if (anchor === "im-browser") return document.getElementById("im-browser");
  const root = manual && manual.shadowRoot;
  return root && (root.getElementById(anchor) || root.querySelector("a[name='" + CSS.escape(anchor) + "']"));
}

function scrollTo(anchor) {
  const t = target(anchor);
  if (t) t.scrollIntoView({ block: "start" });
  back.disabled = at === 0;
  forward.disabled = at === history.length - 1;
}

function go(anchor) {
  history.splice(at + 1, history.length, anchor);
  at = history.length - 1;
  scrollTo(anchor);
}

function step(by) {
  at = Math.max(0, Math.min(history.length - 1, at + by));
  scrollTo(history[at]);
}

function open() {
  if (!box.open) box.showModal();
  content.focus();
}

function failed() {
  loading = false;
  messages.queue([{ icon: "error", title: "Hilfe",
    text: "Die Hilfedatei wurde nicht gefunden:\n" + new URL(MANUAL_SCRIPT, location.href).href +
          "\n\nSie gehört in denselben Ordner wie die Seite." }]);
}

// Shows the help, loading the manual the first time.
export function showHelp() {
  if (!content.firstElementChild) content.appendChild(pageSection());
  if (manual || loading) { open(); return; }
  if (window.ZelkHandbuch !== undefined) { showManual(window.ZelkHandbuch); open(); return; }
  loading = true;
  const script = document.createElement("script");
  script.src = MANUAL_SCRIPT;
  script.onload = () => {
    loading = false;
    if (window.ZelkHandbuch === undefined) { failed(); return; }
    showManual(window.ZelkHandbuch);
    if (box.open) scrollTo(history[at]);
  };
  script.onerror = failed;
  document.head.appendChild(script);
  open();
}

export function initHelp() {
  box = document.getElementById("hilfe-fenster");
  content = document.getElementById("hilfe-text");
  back = document.getElementById("hilfe-zurueck");
  forward = document.getElementById("hilfe-vor");
  document.getElementById("hilfe").addEventListener("click", showHelp);
  back.addEventListener("click", () => step(-1));
  forward.addEventListener("click", () => step(1));
  document.getElementById("hilfe-inhalt").addEventListener("click", () => go("inhalt"));
  document.getElementById("hilfe-browser").addEventListener("click", () => go("im-browser"));
  document.getElementById("hilfe-schliessen").addEventListener("click", () => box.close());
  addCommand("hilfe", showHelp);
}
