// The page's only way into the core (zelk-core.js, emscripten's Module).
// Every rule of the language, the world and the run is behind these calls;
// the page hands texts in and draws what the core reports.

export function api(name) { return window.Module["_" + name]; }

// A call with string arguments or result: ccall converts UTF-8 both ways.
export function call(name, result, types, args) {
  return window.Module.ccall(name, result, types, args);
}

// Everything the core reports, one JSON object per call (see ZelkApi.cpp).
export function readState() {
  return JSON.parse(window.Module.UTF8ToString(api("zelk_state_json")()));
}
