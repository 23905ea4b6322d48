// The page around the core. Emscripten's script (zelk-core.js, loaded after
// this bundle) takes window.Module as its Module and calls back once the
// WebAssembly is ready.
import { initMessages } from "./messages.js";
import { initField } from "./field.js";
import { initFieldEdit } from "./fieldedit.js";
import { initHand } from "./hand.js";
import { initEditor } from "./editor.js";
import { initFiles } from "./files.js";
import { initRun, refresh, currentState } from "./run.js";
import { initStore } from "./store.js";
import { initShare, openSharedLink } from "./share.js";
import { initHelp } from "./help.js";
import { initExamples } from "./examples.js";
import { initOffline } from "./offline.js";

async function init() {
  initFiles();
  initMessages();
  initField();
  initFieldEdit();
  initHand();
  initEditor();
  initRun();
  initShare();
  initHelp();
  initExamples();
  initOffline();
  // The kept work and a shared link come before the first picture.
  await initStore();
  await openSharedLink();
  refresh();
  // When the page could run its first program, for the page's figures.
  document.body.dataset.bereitMs = String(performance.now());
  document.body.dataset.bereit = "1";
}

window.Module = { onRuntimeInitialized: init };
// For the page tests: what the core reported last.
window.Zelk = { state: currentState };
