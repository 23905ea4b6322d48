// The learner's files: those opened or saved in the page lie in the core's
// working folder of emscripten's memory file system, where USES and
// ARBEITSFELD find them as the desktop finds them beside the program.
export const FOLDER = "/dateien";
const changeListeners = [];

export function initFiles() {
  const FS = window.Module.FS;
  if (!FS.analyzePath(FOLDER).exists)
    FS.mkdir(FOLDER);
  FS.chdir(FOLDER);
}

// f runs after any file was stored.
export function onFilesChanged(f) { changeListeners.push(f); }

// bytes: a Uint8Array, as the file holds them.
export function storeFile(name, bytes) {
  window.Module.FS.writeFile(FOLDER + "/" + name, bytes);
  changeListeners.forEach((f) => f());
}

export function readFile(name) {
  return window.Module.FS.readFile(FOLDER + "/" + name);
}

export function fileNames() {
  return window.Module.FS.readdir(FOLDER).filter((n) => n !== "." && n !== "..");
}
