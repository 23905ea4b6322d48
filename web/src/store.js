// The learner's work kept in the browser (IndexedDB): the open pages, the
// files of the working folder and the work field, written shortly after
// each change and brought back when the page starts, so that a reload or a
// tablet that dropped the tab loses nothing.
import { call } from "./core.js";
import * as editor from "./editor.js";
import { FOLDER, fileNames, readFile, onFilesChanged } from "./files.js";
import { currentState } from "./run.js";

const DB_NAME = "zelk";
const STORE = "arbeit";
const KEY = "stand";
const KEEP_AFTER_MS = 300;
const WORLD_CHECK_MS = 500;
const SCRATCH = "/tmp/zelk-aufbewahrt.rob";

let db = null;
let timer = null;
let keptVersion = -1;
let keptWorldRestored = false;

function request(r) {
  return new Promise((resolve, reject) => {
    r.onsuccess = () => resolve(r.result);
    r.onerror = () => reject(r.error);
  });
}

async function openDb() {
  const r = indexedDB.open(DB_NAME, 1);
  r.onupgradeneeded = () => r.result.createObjectStore(STORE);
  return request(r);
}

// Before the page's first refresh: the kept work comes back, then every
// change is kept. Where the browser gives no storage (a page opened from
// the disk in some browsers), the page says that work is not kept.
export async function initStore() {
  try {
    db = await openDb();
  } catch (e) {
    db = null;
  }
  if (!db) {
    document.getElementById("nicht-aufbewahrt").hidden = false;
    return;
  }
  if (navigator.storage && navigator.storage.persist)
    navigator.storage.persist().catch(() => {});
  try {
    const kept = await request(db.transaction(STORE).objectStore(STORE).get(KEY));
    if (kept)
      restore(kept);
  } catch (e) {
    // Unreadable kept work is left behind; the page starts empty.
  }
  editor.onChange(keepSoon);
  onFilesChanged(keepSoon);
  // The world changes in the core (a run, an edit, a file): its version
  // says when.
  setInterval(() => {
    const s = currentState();
    if (s && s.version !== keptVersion)
      keepSoon();
  }, WORLD_CHECK_MS);
  window.addEventListener("pagehide", keepNow);
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "hidden")
      keepNow();
  });
}

// The work field's current and start state as the core encodes them.
export function worldBytes() {
  call("zelk_keep_world", "number", ["string"], [SCRATCH]);
  return window.Module.FS.readFile(SCRATCH);
}

export function sameBytes(a, b) {
  return a.length === b.length && a.every((x, i) => x === b[i]);
}

// Whether the field brought back from an earlier visit is another than
// record (one work field file record): both its states are compared.
export function keptWorldDiffers(record) {
  if (!keptWorldRestored)
    return false;
  const both = worldBytes();
  const half = both.length / 2;
  return !sameBytes(both.subarray(0, half), record) || !sameBytes(both.subarray(half), record);
}

function restore(kept) {
  const FS = window.Module.FS;
  (kept.files || []).forEach((f) => FS.writeFile(FOLDER + "/" + f.name, f.bytes));
  const pages = kept.pages || [];
  if (pages.length > 0) {
    const before = editor.pageCount();
    for (const p of pages) {
      // A page changed since its last save comes back as changed.
      const i = editor.addPage(p.name, p.modified ? "" : p.text, p.origin || null);
      if (p.modified)
        editor.setPageText(i, p.text);
    }
    for (let k = 0; k < before; ++k)
      editor.closePage(0);
    editor.selectPage(Math.max(0, Math.min(kept.selected || 0, editor.pageCount() - 1)));
  }
  if (kept.world) {
    const fresh = worldBytes();
    FS.writeFile(SCRATCH, kept.world);
    if (call("zelk_restore_world", "number", ["string", "string"], [SCRATCH, kept.panel || ""]))
      keptWorldRestored = !sameBytes(fresh, kept.world);
  }
}

function keepSoon() {
  clearTimeout(timer);
  timer = setTimeout(keepNow, KEEP_AFTER_MS);
}

function snapshot(withHandles) {
  const pages = [];
  for (let i = 0; i < editor.pageCount(); ++i) {
    let origin = editor.pageOrigin(i);
    if (origin && typeof origin === "object")
      origin = { file: origin.file, encoding: origin.encoding, handle: withHandles ? origin.handle || null : null };
    pages.push({ name: editor.pageName(i), text: editor.pageText(i), modified: editor.isModified(i), origin });
  }
  const s = currentState();
  return {
    pages,
    selected: editor.selectedPage(),
    files: fileNames().map((name) => ({ name, bytes: readFile(name) })),
    world: worldBytes(),
    panel: s ? s.feldPanel : "",
  };
}

function put(value) {
  const t = db.transaction(STORE, "readwrite");
  t.objectStore(STORE).put(value, KEY);
  return new Promise((resolve, reject) => {
    t.oncomplete = resolve;
    t.onerror = t.onabort = () => reject(t.error);
  });
}

async function keepNow() {
  clearTimeout(timer);
  if (!db)
    return;
  const s = currentState();
  if (s)
    keptVersion = s.version;
  // Chromium keeps the handles of opened files, so that Save still writes
  // back after a reload; a browser that cannot keep them keeps the rest.
  try {
    await put(snapshot(true));
  } catch (e) {
    try { await put(snapshot(false)); } catch (e2) { /* storage full or gone: nothing more to do */ }
  }
}
