// Keys, help, examples, a tablet and the offline copy, as a learner meets
// them.
"use strict";
const fs = require("fs");
const http = require("http");
const path = require("path");
const { openPage, check, typeProgram, xpos, dialogText } = require("../browser.js");

const TWO_STEPS = "PROGRAM P;\nBEGIN\n  VOR;\n  VOR\nEND.";
const LONG_WALK = "PROGRAM P;\nBEGIN\n" + "  VOR;\n".repeat(13) + "  VOR\nEND.";
const state = (page) => page.evaluate(() => Zelk.state());
const runEnded = (page, timeout) =>
  page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: timeout || 10000 });

async function press(page, mods, key) {
  for (const m of mods) await page.keyboard.down(m);
  await page.keyboard.press(key);
  for (const m of mods.slice().reverse()) await page.keyboard.up(m);
}

async function walking(page) {
  await typeProgram(page, LONG_WALK);
  await page.click("::-p-aria(Start)");
  await page.waitForFunction(() => Number(document.getElementById("xpos").textContent) >= 2, { timeout: 10000 });
}

// What each command does, seen from outside; the same for both its keys.
const COMMANDS = {
  async start(page, key) {
    await typeProgram(page, TWO_STEPS);
    await key();
    await runEnded(page);
    return (await xpos(page)) === "3";
  },
  async einzelschritt(page, key) {
    await typeProgram(page, TWO_STEPS);
    await key();
    await key();
    const s = await state(page);
    return (await xpos(page)) === "2" && s.markLine === 3 && !s.timer;
  },
  async unterbrechen(page, key) {
    await walking(page);
    await key();
    const s = await state(page);
    return s.state === "interrupted" && !s.timer;
  },
  async anhalten(page, key) {
    await walking(page);
    await key();
    const s = await state(page);
    return s.state === "idle" && !s.timer && Number(await xpos(page)) < 15;
  },
  async zurueck(page, key) {
    await typeProgram(page, TWO_STEPS);
    for (let i = 0; i < 12 && (await xpos(page)) !== "2"; ++i) await page.click("::-p-aria(Einzelschritt)");
    await key();
    return (await xpos(page)) === "1";
  },
  async compilieren(page, key) {
    await typeProgram(page, "PROGRAM P;\nBEGIN\n  VORWAERTS\nEND.");
    await key();
    return (await dialogText(page)) === "Bezeichner unbekannt!";
  },
  // A breakpoint on the first VOR: Start pauses before it, Zelk unmoved.
  async haltepunkt(page, key) {
    await typeProgram(page, TWO_STEPS);
    await press(page, [], "ArrowUp");
    await press(page, [], "ArrowUp");
    await key();
    await page.click("::-p-aria(Start)");
    await page.waitForFunction(() => Zelk.state().state !== "running", { timeout: 10000 });
    const s = await state(page);
    return s.state === "interrupted" && s.markLine === 2 && (await xpos(page)) === "1";
  },
  // The file input every browser has; Chromium's own picker cannot be
  // answered headless.
  async "datei-oeffnen"(page, key) {
    await page.evaluate(() => { window.showOpenFilePicker = undefined; });
    // The browser hands the chooser over once it has been asked to; one
    // round trip after asking makes sure it was before the key.
    const waiting = page.waitForFileChooser({ timeout: 5000 });
    await page.evaluate(() => 0);
    const [chooser] = await Promise.all([waiting, key()]);
    await chooser.cancel();
    return chooser.isMultiple();
  },
  async hilfe(page, key) {
    await key();
    await page.waitForFunction(() => {
      const m = document.querySelector("#hilfe-fenster[open] .handbuch");
      return m && m.shadowRoot.querySelector("h1").textContent === "Zelk - der Roboter";
    }, { timeout: 5000 });
    return true;
  },
};

const KEYS = [
  ["start", [], "F9"], ["start", ["Control"], "Enter"],
  ["einzelschritt", [], "F7"], ["einzelschritt", ["Control"], "Period"],
  ["unterbrechen", [], "F6"], ["unterbrechen", ["Control"], "Comma"],
  ["anhalten", ["Control"], "F2"], ["anhalten", ["Control", "Shift"], "Comma"],
  ["zurueck", ["Shift"], "F7"], ["zurueck", ["Control", "Shift"], "Period"],
  ["compilieren", ["Control"], "F9"], ["compilieren", ["Control", "Shift"], "Enter"],
  ["haltepunkt", [], "F5"], ["haltepunkt", ["Control"], "KeyB"],
  ["hilfe", [], "F1"], ["hilfe", ["Control"], "Slash"],
  ["datei-oeffnen", ["Control"], "KeyO"],
];

async function everyKeyDoesItsCommand(browser) {
  for (const [command, mods, key] of KEYS) {
    const name = [...mods, key].join("+") + " does " + command + ", the page stays";
    const page = await openPage(browser);
    try {
      await page.evaluate(() => { window.marker = "da"; });
      const done = await COMMANDS[command](page, () => press(page, mods, key));
      const marker = await page.evaluate(() => window.marker).catch(() => "neu geladen");
      check(name, done && marker === "da", "done=" + done + " marker=" + marker);
    } catch (e) {
      check(name, false, e.message);
    }
    await page.close();
  }
}

async function helpButtonShowsTheManualAndItsLinks(browser) {
  const page = await openPage(browser);
  check("the manual is not loaded with the page", await page.evaluate(() => window.ZelkHandbuch === undefined));
  await page.click("::-p-aria(Hilfe)");
  await page.waitForFunction(() => document.querySelector(".handbuch"), { timeout: 5000 });
  const keysTold = await page.$eval("#im-browser", (s) => s.textContent);
  check("the help tells the keys and how to leave the editor",
        keysTold.includes("Strg+Enter") && keysTold.includes("Esc, dann Tab verlässt den Programmtext"), keysTold);
  // A chapter link of the contents leads there, and Zurück back to the top.
  const top = await page.$eval("#hilfe-text", (t) => t.scrollTop);
  await page.evaluate(() => document.querySelector(".handbuch").shadowRoot.querySelector("a[href='#beispiele']").click());
  const atChapter = await page.$eval("#hilfe-text", (t) => t.scrollTop);
  await page.click("::-p-aria(Zurück)");
  const again = await page.$eval("#hilfe-text", (t) => t.scrollTop);
  check("a link of the manual scrolls to its chapter, Zurück back", atChapter > top + 1000 && again === top, [top, atChapter, again].join(","));
  await page.keyboard.press("Escape");
  check("Esc closes the help", await page.$eval("#hilfe-fenster", (d) => !d.open));
  await page.close();
}

// The manual's own results of its three examples.
const EXAMPLES = [
  ["Sammeln", { x: 10, y: 1, supply: 9 }],
  ["Labyrinth", { x: 6, y: 5, supply: 1 }],
  ["Treppe", { x: 15, y: 6, supply: 0 }],
];

// From the keyboard alone: Enter on "Beispiele", Tab to the example, Enter.
async function chooseByKeyboard(page, title) {
  await page.focus("#beispiele");
  await page.keyboard.press("Enter");
  for (let i = 0; i < 3 && (await page.evaluate(() => document.activeElement.textContent)) !== title; ++i)
    await page.keyboard.press("Tab");
  await page.keyboard.press("Enter");
}

async function eachExampleRunsToItsEnd(browser) {
  for (const [title, end] of EXAMPLES) {
    const page = await openPage(browser);
    // The step timer without its pauses: the labyrinth takes a minute else.
    await page.evaluate(() => { const later = window.setTimeout; window.setTimeout = (f) => later(f, 0); });
    await chooseByKeyboard(page, title);
    await page.keyboard.press("F9");
    await runEnded(page, 60000).catch(() => {});
    const s = await state(page);
    const r = s.robot;
    check("the example " + title + " runs to the manual's end without a message",
          (await dialogText(page)) === null && r.x === end.x && r.y === end.y && r.supply === end.supply,
          JSON.stringify({ message: await dialogText(page), state: s.state, robot: r }));
    await page.close();
  }
}

async function tabletRunsAProgramByTouch(browser) {
  for (const viewport of [{ width: 768, height: 1024 }, { width: 1024, height: 768 }]) {
    const page = await openPage(browser, { viewport: { ...viewport, isMobile: true, hasTouch: true } });
    const size = viewport.width + "x" + viewport.height;
    await typeProgram(page, TWO_STEPS);
    const start = await page.$("::-p-aria(Start)");
    const box = await start.boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await runEnded(page);
    check("a tap on Start runs the program on a " + size + " touch screen", (await xpos(page)) === "3", await xpos(page));
    const small = await page.$$eval("button", (bs) => bs.filter((b) => b.offsetParent && b.getBoundingClientRect().height < 44).map((b) => b.textContent));
    const wide = await page.evaluate(() => document.documentElement.scrollWidth);
    check("on " + size + " every button is a finger high and nothing scrolls sideways",
          small.length === 0 && wide <= viewport.width, "small: " + small.join("|") + " width " + wide);
    await page.close();
  }
}

function serve(folder) {
  const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css" };
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/^\/$/, "/index.html");
    const file = path.join(folder, path.normalize(name));
    if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) { res.writeHead(404); res.end(); return; }
    res.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

async function offlineCopyOverLocalhost(browser) {
  const server = await serve(path.dirname(path.resolve(process.argv[2])));
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    const url = "http://127.0.0.1:" + server.address().port + "/";
    await page.goto(url);
    await page.waitForSelector("body[data-bereit]");
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 10000 });
    check("over localhost no offline notice", await page.$eval("#offline-hinweis", (p) => p.hidden));
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForSelector("body[data-bereit]", { timeout: 10000 });
    await typeProgram(page, TWO_STEPS);
    await page.keyboard.press("F9");
    await runEnded(page);
    check("offline the page starts again and runs a program", (await xpos(page)) === "3", await xpos(page));
    await page.keyboard.press("F1");
    await page.waitForSelector("#hilfe-fenster[open] .handbuch", { timeout: 5000 }).catch(() => {});
    check("offline the help is there too", (await page.$("#hilfe-fenster[open] .handbuch")) !== null);
  } finally {
    await context.close();
    server.close();
  }
}

async function fromTheDiskTheNoticeSaysSo(browser) {
  const page = await openPage(browser);
  const notice = await page.$eval("#offline-hinweis", (p) => (p.hidden ? "" : p.textContent));
  check("opened from the disk, a notice says there is no offline copy", notice.includes("Offline-Kopie"), notice);
  await page.close();
}

module.exports = [everyKeyDoesItsCommand, helpButtonShowsTheManualAndItsLinks, eachExampleRunsToItsEnd,
  tabletRunsAProgramByTouch, offlineCopyOverLocalhost, fromTheDiskTheNoticeSaysSo];
