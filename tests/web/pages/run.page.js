// The run's buttons and keys: Start, steps, the step back, messages and
// the function keys kept from the browser.
"use strict";
const { openPage, check, typeProgram, xpos, dialogText, dialogTitle } = require("../browser.js");

async function startRunsToTheEnd(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n  VOR;\n  VOR\nEND.");
  await page.click("::-p-aria(Start)");
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
  check("Start runs the program to its end: x=3", (await xpos(page)) === "3", await xpos(page));
  check("a run to its end shows no message", (await dialogText(page)) === null, await dialogText(page));
  await page.close();
}

async function startWhileRunningDoesNotBeginAnew(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n" + "  VOR;\n".repeat(13) + "  VOR\nEND.");
  // Every x the info panel shows: a run begun anew would go back to x=1.
  await page.evaluate(() => {
    window.xs = [];
    const x = document.getElementById("xpos");
    new MutationObserver(() => window.xs.push(Number(x.textContent))).observe(x, { childList: true, characterData: true, subtree: true });
  });
  await page.keyboard.press("F9");
  await page.waitForFunction(() => Number(document.getElementById("xpos").textContent) >= 3, { timeout: 10000 });
  await page.keyboard.press("F9");
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 20000 });
  const xs = await page.evaluate(() => window.xs);
  check("F9 while the program runs does not start it again",
        xs.every((x, i) => i === 0 || x >= xs[i - 1]) && (await xpos(page)) === "15", xs.join(","));
  await page.close();
}

async function wallShowsTheMessage(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n  DREHE_LINKS;\n  DREHE_LINKS;\n  VOR\nEND.");
  await page.keyboard.down("Control");
  await page.keyboard.press("Enter");
  await page.keyboard.up("Control");
  await page.waitForSelector("#meldung[open]", { timeout: 10000 });
  const text = await dialogText(page);
  check("the wall's message, blanks as the core wrote them", text === "ZELK ist gegen ein  Hindernis gelaufen!", JSON.stringify(text));
  check("the message box is titled as on the desktop", (await dialogTitle(page)) === "Error", await dialogTitle(page));
  await page.close();
}

async function stepAndStepBack(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n  VOR;\n  VOR\nEND.");
  const seen = [];
  for (let i = 0; i < 12 && (await xpos(page)) !== "3"; ++i) {
    await page.keyboard.press("F7");
    seen.push(await xpos(page));
  }
  check("F7 steps Zelk forward one square at a time", seen.includes("2") && seen[seen.length - 1] === "3", seen.join(","));
  await page.keyboard.down("Shift");
  await page.keyboard.press("F7");
  await page.keyboard.up("Shift");
  check("Shift+F7 takes the last step back", (await xpos(page)) === "2", await xpos(page));
  const marked = await page.$$eval("#programm .marke", (lines) => lines.map((l) => l.dataset.zeile));
  check("the arrow stands on the line that runs next, and only there", marked.join(",") === "3", marked.join(","));
  await page.close();
}

async function sourceErrorShowsTheTranslatorsMessage(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n  VORWAERTS\nEND.");
  await page.click("::-p-aria(Compilieren)");
  await page.waitForSelector("#meldung[open]", { timeout: 10000 });
  const text = await dialogText(page);
  check("a source error shows the translator's message", text === "Bezeichner unbekannt!", JSON.stringify(text));
  const selected = await page.evaluate(() => Zelk.selection().text);
  check("the error's line is selected", selected.length > 0 && "  VORWAERTS\nEND.".includes(selected), JSON.stringify(selected));
  await page.close();
}

async function functionKeysAreTaken(browser) {
  const page = await openPage(browser);
  await page.evaluate(() => { window.marker = "da"; });
  const keys = [];
  for (let n = 1; n <= 12; ++n) keys.push([[], "F" + n]);
  keys.push([["Control"], "F2"], [["Control"], "F9"], [["Shift"], "F7"], [["Control"], "Enter"]);
  for (const [mods, key] of keys) {
    for (const m of mods) await page.keyboard.down(m);
    await page.keyboard.press(key);
    for (const m of mods.slice().reverse()) await page.keyboard.up(m);
  }
  const taken = await page.evaluate(() => window.keys.map((e) => e.key + ":" + e.defaultPrevented));
  const notTaken = taken.filter((k) => k.endsWith(":false") && !/^(Control|Shift):/.test(k));
  check("every function key is kept from the browser", notTaken.length === 0, notTaken.join(" "));
  const marker = await page.evaluate(() => window.marker).catch((e) => "gone: " + e.message);
  check("the page was not reloaded", marker === "da", marker);
  await page.close();
}

module.exports = [startRunsToTheEnd, startWhileRunningDoesNotBeginAnew, wallShowsTheMessage, stepAndStepBack, sourceErrorShowsTheTranslatorsMessage, functionKeysAreTaken];
