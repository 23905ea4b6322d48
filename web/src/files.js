// The learner's files: those opened or saved in the page lie in the core's
// working folder of emscripten's memory file system, where USES and
// ARBEITSFELD find them as the desktop finds them beside the program. The
// core reads and writes them as the desktop does; this module only moves
// their bytes between that folder and the device.
import { call } from "./core.js";
import * as editor from "./editor.js";
import * as messages from "./messages.js";
import { addCommand, refresh } from "./run.js";

export const FOLDER = "/dateien";
const changeListeners = [];

const PROGRAM_TYPES = [{ description: "Programmdateien", accept: { "text/plain": [".pas", ".PAS"] } }];
const WORLD_TYPES = [{ description: "Arbeitsfeld", accept: { "application/octet-stream": [".rob", ".ROB"] } }];

export function initFiles() {
  const FS = window.Module.FS;
  if (!FS.analyzePath(FOLDER).exists)
    FS.mkdir(FOLDER);
  FS.chdir(FOLDER);
  const input = document.getElementById("datei-eingabe");
  input.addEventListener("change", async () => {
    const chosen = Array.from(input.files);
    input.value = "";
    await openFiles(await Promise.all(chosen.map(async (f) => ({ name: f.name, bytes: await bytesOf(f) }))));
  });
  const commands = {
    "datei-oeffnen": chooseFiles,
    "datei-speichern": () => savePage(editor.selectedPage(), false),
    "datei-speichern-unter": () => savePage(editor.selectedPage(), true),
    "feld-speichern": saveWorld,
  };
  for (const [id, f] of Object.entries(commands))
    document.getElementById(id).addEventListener("click", () => { f(); });
  editor.setCloseHandler(closeAsking);
  addCommand("datei-oeffnen", () => { if (!messages.isOpen()) chooseFiles(); });
  addCommand("datei-speichern", () => { if (!messages.isOpen()) commands["datei-speichern"](); });
}

// f runs after any file was stored.
export function onFilesChanged(f) { changeListeners.push(f); }
function filesChanged() { changeListeners.forEach((f) => f()); }

// bytes: a Uint8Array, as the file holds them.
export function storeFile(name, bytes) {
  window.Module.FS.writeFile(FOLDER + "/" + name, bytes);
  filesChanged();
}

export function readFile(name) {
  return window.Module.FS.readFile(FOLDER + "/" + name);
}

export function fileNames() {
  return window.Module.FS.readdir(FOLDER).filter((n) => n !== "." && n !== "..");
}

async function bytesOf(file) { return new Uint8Array(await file.arrayBuffer()); }

// Chromium's picker gives handles that Save writes back to; elsewhere the
// plain file input, which every browser and tablet offers.
async function chooseFiles() {
  if (!window.showOpenFilePicker) {
    document.getElementById("datei-eingabe").click();
    return;
  }
  let handles;
  try {
    handles = await window.showOpenFilePicker({ multiple: true });
  } catch (e) {
    return;  // the learner closed the picker
  }
  await openFiles(await Promise.all(handles.map(async (h) => ({ name: h.name, bytes: await bytesOf(await h.getFile()), handle: h }))));
}

// All files are stored first, so that a program opened with its units and
// work field finds them; then each is opened as the desktop opens a file
// handed to it: a work field by its name, anything else as a program.
export async function openFiles(files) {
  files.forEach((f) => storeFile(f.name, f.bytes));
  for (const f of files) {
    if (call("zelk_is_world_file", "number", ["string"], [f.name]))
      call("zelk_open_world", "number", ["string"], [FOLDER + "/" + f.name]);
    else
      openProgram(f.name, f.handle);
  }
  refresh();
}

// A file of the working folder as a page, decoded by the core; a file the
// desktop refuses gives its message instead.
export function openProgram(name, handle) {
  const r = JSON.parse(call("zelk_read_program", "string", ["string"], [name]));
  if (r.error === undefined)
    editor.addPage(r.page, r.text, { file: name, encoding: r.encoding, handle: handle || null });
}

// The file a page came from or was saved to, however it was made: the
// pages this module opens carry { file, encoding, handle }, a unit the core
// loaded by itself its file name.
function originOf(i) {
  const o = editor.pageOrigin(i);
  if (!o) return { file: null, encoding: -1, handle: null };
  if (typeof o === "string") return { file: o, encoding: -1, handle: null };
  return { file: o.file, encoding: o.encoding === undefined ? -1 : o.encoding, handle: o.handle || null };
}

// Where a save goes: Chromium asks with its picker and writes to the
// chosen file; other browsers download under the suggested name, and their
// download settings decide the folder. null: the learner cancelled.
async function askTarget(suggested, types) {
  if (!window.showSaveFilePicker)
    return { name: suggested, handle: null };
  try {
    const handle = await window.showSaveFilePicker({ suggestedName: suggested, types });
    return { name: handle.name, handle };
  } catch (e) {
    return null;
  }
}

// The bytes the core wrote, to the device: into the file the browser gave
// a handle for, otherwise as a download.
async function handOut(bytes, name, handle) {
  if (handle) {
    try {
      if (handle.requestPermission && (await handle.requestPermission({ mode: "readwrite" })) !== "granted")
        throw new Error("no permission");
      const w = await handle.createWritable();
      await w.write(bytes);
      await w.close();
      return;
    } catch (e) {
      // A handle kept from an earlier visit may have lost its file or its
      // permission: the bytes still reach the learner as a download.
    }
  }
  const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// "Speichern" writes back to the page's file, "Speichern unter" (and a
// page that never had a file) asks for one first.
// True once the page is saved.
export async function savePage(i, asNew) {
  if (i < 0) return false;
  let { file, encoding, handle } = originOf(i);
  if (asNew || !file) {
    const target = await askTarget(file || editor.pageName(i) + ".pas", PROGRAM_TYPES);
    if (!target) return false;
    ({ name: file, handle } = target);
  }
  const r = JSON.parse(call("zelk_write_program", "string", ["string", "string", "number"], [file, editor.pageText(i), encoding]));
  if (r.error !== undefined) {
    refresh();
    return false;
  }
  filesChanged();
  await handOut(readFile(file), file, handle);
  editor.pageSaved(i, r.page, { file, encoding: r.encoding, handle });
  return true;
}

// Closing a changed page asks first, as the desktop does; Abbrechen, or a
// save that did not happen, keeps the page.
async function closeAsking(i) {
  if (editor.isModified(i)) {
    const answer = await messages.askYesNoCancel("Warning", "Text wurde geändert. Speichern?");
    if (answer === "abbrechen" || (answer === "ja" && !(await savePage(i, false))))
      return;
  }
  editor.closePage(i);
}

// "Arbeitsfeld speichern": the start state, as the desktop writes it,
// under the name of the file it came from when it has one.
export async function saveWorld() {
  const target = await askTarget(call("zelk_world_file_name", "string", [], []) || "arbeitsfeld.rob", WORLD_TYPES);
  if (!target) return;
  if (call("zelk_save_world", "number", ["string"], [FOLDER + "/" + target.name])) {
    filesChanged();
    await handOut(readFile(target.name), target.name, target.handle);
  }
  refresh();
}
