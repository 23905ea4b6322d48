// "Teilen": a link that holds the program, the units it uses, the work
// fields it names and the work field itself in its fragment, compressed,
// so that nothing goes to a server. Opening the page with such a link adds
// its pages and asks before it replaces a kept work field.
import { api, call } from "./core.js";
import * as editor from "./editor.js";
import * as messages from "./messages.js";
import { readFile, storeFile, savePage, saveWorld } from "./files.js";
import { refresh } from "./run.js";
import { worldBytes, keptWorldDiffers } from "./store.js";

const PREFIX = "#teilen=";
const MAX_LINK = 8000;
let dialog, linkField, linkText, shared = [];

export function initShare() {
  dialog = document.getElementById("teilen-dialog");
  linkField = document.getElementById("teilen-link");
  linkText = document.getElementById("teilen-text");
  document.getElementById("teilen").addEventListener("click", share);
  document.getElementById("teilen-kopieren").addEventListener("click", copyLink);
  document.getElementById("teilen-speichern").addEventListener("click", saveShared);
}

function toBase64Url(bytes) {
  let s = "";
  for (let i = 0; i < bytes.length; i += 0x8000)
    s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  return btoa(s).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
}

function fromBase64Url(text) {
  const s = atob(text.replace(/-/g, "+").replace(/_/g, "/"));
  return Uint8Array.from(s, (c) => c.charCodeAt(0));
}

async function through(bytes, stream) {
  return new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(stream)).arrayBuffer());
}

// What the last translation read; a program that could not be translated
// at all is shared as the page that is shown.
function translatedPages() {
  const t = JSON.parse(call("zelk_translated_json", "string", [], []));
  const seen = new Set();
  const pages = [];
  for (const p of t.pages) {
    if (seen.has(p.index)) continue;
    seen.add(p.index);
    const open = p.index < editor.pageCount();
    pages.push({ index: open ? p.index : -1, name: p.name, text: open ? editor.pageText(p.index) : p.text });
  }
  if (pages.length === 0) {
    const i = editor.selectedPage();
    pages.push({ index: i, name: editor.pageName(i), text: editor.pageText(i) });
  }
  return { pages, fields: t.fields };
}

async function makeLink() {
  const { pages, fields } = translatedPages();
  shared = pages.filter((p) => p.index >= 0).map((p) => p.index);
  const both = worldBytes();
  const content = {
    seiten: pages.map((p) => ({ name: p.name, text: p.text })),
    dateien: fields.map((name) => ({ name, daten: toBase64Url(readFile(name)) })),
    feld: toBase64Url(both.subarray(both.length / 2)),
    feldname: call("zelk_world_file_name", "string", [], []),
  };
  const packed = await through(new TextEncoder().encode(JSON.stringify(content)), new CompressionStream("deflate-raw"));
  return location.href.split("#")[0] + PREFIX + toBase64Url(packed);
}

// The program is translated first (as Compilieren does it, its errors
// shown), so that the link holds the units the translation read.
function share() {
  if (messages.isOpen() || dialog.open)
    return;
  // The field as edited goes into the link: the editing mode ends first,
  // as before a save.
  api("zelk_field_edit")(0);
  editor.handInPages();
  api("zelk_compile")();
  refresh();
  messages.whenClosed(async () => {
    if (typeof CompressionStream === "undefined") {
      showDialog("", "Dieser Browser kann keinen Link erstellen. Speichern Sie das Programm und das Arbeitsfeld als Dateien und geben Sie diese weiter.");
      return;
    }
    const link = await makeLink();
    if (link.length > MAX_LINK)
      showDialog("", "Der Link wäre " + link.length + " Zeichen lang, mehr als " + MAX_LINK +
                 ", und wird nicht erstellt. Speichern Sie stattdessen das Programm, seine Units und das Arbeitsfeld als Dateien und geben Sie diese weiter.");
    else
      showDialog(link, "Dieser Link öffnet die Seite mit dem Programm, seinen Units und dem Arbeitsfeld. Alles steht im Link selbst; nichts geht an einen Server.");
  });
}

function showDialog(link, text) {
  linkText.textContent = text;
  linkField.value = link;
  linkField.hidden = link === "";
  document.getElementById("teilen-kopieren").hidden = link === "";
  document.getElementById("teilen-speichern").hidden = link !== "";
  dialog.showModal();
  if (link !== "")
    linkField.select();
}

async function copyLink() {
  linkField.select();
  try {
    await navigator.clipboard.writeText(linkField.value);
  } catch (e) {
    document.execCommand("copy");
  }
}

// The offer when no link can be made: the shared pages and the work
// field as files.
async function saveShared() {
  dialog.close();
  for (const i of shared)
    await savePage(i, false);
  await saveWorld();
}

// A link is typed or pasted by hand and may hold anything: only texts
// where texts belong, and only plain file names, so that no file lands
// outside the working folder.
const plainName = (n) => typeof n === "string" && /^[^/\\]+$/.test(n) && n !== "." && n !== "..";
function wellFormed(c) {
  const list = (l, ok) => l === undefined || (Array.isArray(l) && l.every(ok));
  return c !== null && typeof c === "object" &&
    list(c.seiten, (p) => p && typeof p.name === "string" && typeof p.text === "string") &&
    list(c.dateien, (f) => f && plainName(f.name) && typeof f.daten === "string") &&
    (c.feld === undefined || typeof c.feld === "string") &&
    (c.feldname === undefined || plainName(c.feldname));
}

// At start, after the kept work came back: a link's pages are added and
// its files stored; its work field replaces the kept one only when the
// learner agrees. The fragment goes, so that a reload adds nothing twice.
export async function openSharedLink() {
  if (!location.hash.startsWith(PREFIX))
    return;
  const packed = location.hash.slice(PREFIX.length);
  try {
    history.replaceState(null, "", location.href.split("#")[0]);
  } catch (e) {
    // A page from the disk may refuse; the pages are then added again on a reload.
  }
  let content, files, field;
  try {
    content = JSON.parse(new TextDecoder().decode(await through(fromBase64Url(packed), new DecompressionStream("deflate-raw"))));
    if (!wellFormed(content))
      throw new Error("not a shared task");
    files = (content.dateien || []).map((f) => ({ name: f.name, bytes: fromBase64Url(f.daten) }));
    field = content.feld ? fromBase64Url(content.feld) : null;
  } catch (e) {
    messages.queue([{ icon: "error", title: "Error", text: "Der Link ist unvollständig oder beschädigt." }]);
    return;
  }
  files.forEach((f) => storeFile(f.name, f.bytes));
  const pages = content.seiten || [];
  // The empty page a fresh page starts with gives way to the link's pages.
  const untouched = editor.isUntouchedStart();
  pages.slice().reverse().forEach((p) => editor.addPage(p.name, p.text, null));
  if (untouched && pages.length > 0)
    editor.closePage(0);
  if (field)
    takeWorld(field, content.feldname || "arbeitsfeld.rob");
}

async function takeWorld(record, name) {
  if (keptWorldDiffers(record) &&
      !(await messages.ask("Confirm", "Der Link bringt ein Arbeitsfeld mit. Soll es das aufbewahrte Arbeitsfeld ersetzen?")))
    return;
  const path = "/tmp/" + name;
  window.Module.FS.writeFile(path, record);
  call("zelk_open_world", "number", ["string"], [path]);
  refresh();
}
