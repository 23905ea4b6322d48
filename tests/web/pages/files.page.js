// Files that travel between the page and the desktop, work kept across a
// reload, and shared links.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");
const { pageUrl, openPage, check, typeProgram, xpos, dialogText, dialogTitle } = require("../browser.js");

const examples = path.resolve(__dirname, "../../../resources/examples");
// The native command-line runner beside the page's build folder.
const zelkRun = path.resolve(new URL(pageUrl).pathname, "../../zelk-run");

// A tab in a context of its own whose downloads land in a fresh folder,
// with the browser's file pickers taken away: the file input and downloads
// are what every browser offers, and what a headless browser can drive.
async function openFilesPage(browser, context) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "zelk-dateien-"));
  context = context || await browser.createBrowserContext({ downloadBehavior: { policy: "allow", downloadPath: dir } });
  const page = await openPage(browser, { context });
  const noPickers = () => { window.showOpenFilePicker = undefined; window.showSaveFilePicker = undefined; };
  await page.evaluate(noPickers);
  await page.evaluateOnNewDocument(noPickers);  // also after a reload
  return { page, context, dir };
}

async function openFiles(page, paths) {
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click("#datei-oeffnen")]);
  await chooser.accept(paths);
  // The files are read asynchronously; then the page is drawn again.
  await new Promise((r) => setTimeout(r, 300));
}

async function downloaded(dir, name) {
  const file = path.join(dir, name);
  for (let i = 0; i < 100 && !fs.existsSync(file); ++i)
    await new Promise((r) => setTimeout(r, 100));
  return fs.existsSync(file) ? fs.readFileSync(file) : Buffer.alloc(0);
}

async function selectTab(page, name) {
  await page.evaluate((n) => {
    const tab = Array.from(document.querySelectorAll("#seiten [role=tab]")).find((t) => t.textContent.trim().startsWith(n));
    tab.click();
  }, name);
}

const tabNames = (page) => page.$$eval("#seiten [role=tab]", (ts) => ts.map((t) => t.textContent.trim()));
const grid = (page) => page.evaluate(() => JSON.stringify([Zelk.state().grid, Zelk.state().robot]));
const keptSoon = () => new Promise((r) => setTimeout(r, 1200));

async function closeAll(page, context, dir) {
  await page.close();
  await context.close();
  fs.rmSync(dir, { recursive: true, force: true });
}

// The desktop's own files, opened all at once and saved back: the same bytes.
async function desktopFilesComeBackUnchanged(browser) {
  const programs = [["LABYRINTH.PAS", "Labyrinth"], ["SAMMELN.PAS", "Sammeln"], ["TREPPE.PAS", "Treppe"], ["WERKZEUG.PAS", "Werkzeug"]];
  const { page, context, dir } = await openFilesPage(browser);
  await openFiles(page, programs.map(([f]) => path.join(examples, f)));
  for (const [file, tab] of programs) {
    await selectTab(page, tab);
    await page.click("#datei-speichern");
    const bytes = await downloaded(dir, file);
    check("the desktop's " + file + " is saved back byte for byte", bytes.equals(fs.readFileSync(path.join(examples, file))), bytes.length);
  }
  for (const file of ["LABYRINTH.ROB", "SAMMELN.ROB", "TREPPE.ROB"]) {
    await openFiles(page, [path.join(examples, file)]);
    await page.click("#feld-speichern");
    const bytes = await downloaded(dir, file);
    check("the desktop's " + file + " is saved back byte for byte", bytes.equals(fs.readFileSync(path.join(examples, file))), bytes.length);
  }
  await closeAll(page, context, dir);
}

// A field saved in the middle of editing is saved as edited: the editing
// mode ends first, as on the desktop.
async function fieldSavedWhileEditing(browser) {
  const { page, context, dir } = await openFilesPage(browser);
  await openFiles(page, [path.join(examples, "SAMMELN.ROB")]);
  const itemsOnZelk = () => page.evaluate(() => { const s = Zelk.state(); return s.grid[s.robot.y - 1][s.robot.x - 1][0]; });
  const before = await itemsOnZelk();
  await page.click("::-p-aria(Verändern)");
  await page.focus("#arbeitsfeld");
  await page.keyboard.press("+");  // an item on Zelk's square
  await page.click("#feld-speichern");
  const bytes = await downloaded(dir, "SAMMELN.ROB");
  const again = path.join(dir, "GESPEICHERT.ROB");
  fs.writeFileSync(again, bytes);
  await openFiles(page, [path.join(examples, "SAMMELN.ROB")]);
  await openFiles(page, [again]);
  check("a field saved while editing holds the edit, and the editing mode has ended",
        (await itemsOnZelk()) === before + 1 && (await page.$eval("#veraendern", (b) => b.getAttribute("aria-pressed"))) === "false",
        before + " " + (await itemsOnZelk()));
  await closeAll(page, context, dir);
}

// A program typed in the page reaches the desktop in its encoding and line
// ends, and the native core runs it.
async function typedProgramInTheDesktopsEncoding(browser) {
  const text = "PROGRAM Gruss;\n{ Grüße an Zelk: Öl, Maß, äöü }\nBEGIN\nVOR;\nVOR\nEND.";
  const { page, context, dir } = await openFilesPage(browser);
  await typeProgram(page, text);
  await page.click("#datei-speichern");
  const bytes = await downloaded(dir, "Robo1.pas");
  check("a typed program is saved in Windows-1252 with CRLF line ends",
        bytes.equals(Buffer.from(text.replace(/\n/g, "\r\n"), "latin1")), JSON.stringify(bytes.toString("latin1")));
  let out = "";
  try { out = execFileSync(zelkRun, ["--state", path.join(dir, "Robo1.pas")], { encoding: "utf8" }); } catch (e) { out = String(e.message); }
  check("the native core runs the saved program", out.startsWith("Zelk: x=3 y=1"), out);
  // Opened again, the page saves the very same bytes.
  await openFiles(page, [path.join(dir, "Robo1.pas")]);
  fs.rmSync(path.join(dir, "Robo1.pas"));
  await page.click("#datei-speichern");
  check("the saved program opens in the page unchanged", (await downloaded(dir, "Robo1.pas")).equals(bytes));
  await closeAll(page, context, dir);
}

// The pages and the work field are there again after a reload; a file the
// desktop refuses gives the desktop's message.
async function reloadFindsTheWorkKept(browser) {
  const { page, context, dir } = await openFilesPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\nVOR;\nVOR\nEND.");
  await openFiles(page, [path.join(examples, "SAMMELN.ROB")]);
  const before = await grid(page);
  await keptSoon();
  await page.reload();
  await page.waitForSelector("body[data-bereit]");
  check("after a reload the work field is there", (await grid(page)) === before);
  await page.click("::-p-aria(Start)");
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
  check("after a reload the program is there and runs", (await xpos(page)) !== "1" && (await dialogText(page)) === null, await xpos(page));

  const big = path.join(dir, "GROSS.PAS");
  fs.writeFileSync(big, Buffer.alloc(1024 * 1024 + 1, 0x41));
  await openFiles(page, [big]);
  const message = await dialogText(page);
  check("a file too large is refused with the desktop's message",
        message === "Datei \"GROSS.PAS\" kann nicht gelesen werden.\nDie Datei ist zu groß (mehr als 1024 KB)." &&
        (await dialogTitle(page)) === "Error", JSON.stringify(message));
  await closeAll(page, context, dir);
}

async function shareLink(page) {
  await page.click("#teilen");
  await page.waitForSelector("#teilen-dialog[open]");
  return page.$eval("#teilen-dialog", (d) => ({
    link: document.getElementById("teilen-link").hidden ? "" : document.getElementById("teilen-link").value,
    text: document.getElementById("teilen-text").textContent,
    offer: !document.getElementById("teilen-speichern").hidden,
  }));
}

// A link made from a program with its unit and work field opens them in a
// fresh browser; over a differing kept field it asks first.
async function sharedLinkOpensTheTask(browser) {
  const a = await openFilesPage(browser);
  await openFiles(a.page, ["TREPPE.PAS", "WERKZEUG.PAS", "TREPPE.ROB"].map((f) => path.join(examples, f)));
  await selectTab(a.page, "Treppe");
  const field = await grid(a.page);
  const shared = await shareLink(a.page);
  check("Teilen makes a link within 8000 characters", shared.link.includes("#teilen=") && shared.link.length <= 8000, shared.link.length);
  await closeAll(a.page, a.context, a.dir);

  const b = await openFilesPage(browser);
  const fresh = await openPage(browser, { context: b.context, hash: shared.link.slice(shared.link.indexOf("#")) });
  const tabs = await tabNames(fresh);
  check("the link brings the program and its unit", ["Treppe", "Werkzeug"].every((n) => tabs.some((t) => t.startsWith(n))), tabs.join(","));
  check("the link brings the work field", (await grid(fresh)) === field);
  await selectTab(fresh, "Treppe");
  await fresh.click("::-p-aria(Start)");
  await fresh.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 30000 });
  check("the shared program runs to its end", (await dialogText(fresh)) === null, await dialogText(fresh));
  await fresh.close();

  // A kept field of the learner's own: the link asks, and Nein keeps it.
  await openFiles(b.page, [path.join(examples, "SAMMELN.ROB")]);
  const own = await grid(b.page);
  await keptSoon();
  for (const [answer, expected, name] of [["nein", own, "Nein keeps the kept field"], ["ja", field, "Ja takes the link's field"]]) {
    const again = await openPage(browser, { context: b.context, hash: shared.link.slice(shared.link.indexOf("#")) });
    await again.waitForSelector("#meldung[open]");
    check("a link over a differing kept field asks first", (await dialogText(again)).includes("Arbeitsfeld"), await dialogText(again));
    await again.click("#meldung .antwort[value=" + answer + "]");
    await again.waitForFunction(() => !document.getElementById("meldung").open);
    // The box is shut at once; its answer comes with the close event, a task later.
    await again.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    check(name, (await grid(again)) === expected);
    await again.close();
  }
  await closeAll(b.page, b.context, b.dir);
}

// A link typed or pasted by hand may hold anything: each damaged one gets
// the message, the page still works, and no file lands outside the
// working folder.
async function damagedLinkIsRefused(browser) {
  const pack = (page, json) => page.evaluate(async (text) => {
    const packed = new Uint8Array(await new Response(new Blob([text]).stream()
      .pipeThrough(new CompressionStream("deflate-raw"))).arrayBuffer());
    return btoa(String.fromCharCode(...packed)).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
  }, json);
  const probe = await openPage(browser);
  const cases = [
    ["not compressed", "abc"],
    ["not an object", await pack(probe, "42")],
    ["a page without text", await pack(probe, JSON.stringify({ seiten: [{ name: "P" }] }))],
    ["a file outside the folder", await pack(probe, JSON.stringify({ dateien: [{ name: "../Zelk.ini", daten: "AA" }] }))],
    ["a file's bytes not base64", await pack(probe, JSON.stringify({ dateien: [{ name: "A.PAS", daten: "*" }] }))],
  ];
  await probe.close();
  for (const [name, packed] of cases) {
    const page = await openPage(browser, { hash: "#teilen=" + packed });
    await page.waitForSelector("#meldung[open]", { timeout: 5000 });
    check("a damaged link (" + name + ") is said", (await dialogText(page)) === "Der Link ist unvollständig oder beschädigt.", await dialogText(page));
    const stray = await page.evaluate(() => window.Module.FS.analyzePath("/Zelk.ini").exists);
    check("a damaged link (" + name + ") stores nothing outside the working folder", !stray);
    await page.close();
  }
}

// Closing a changed page asks as the desktop does: Abbrechen keeps it,
// Nein lets the text go, Ja saves it first (in the file's own encoding,
// UTF-8 for this example).
async function closingAChangedPageAsks(browser) {
  for (const [answer, pagesAfter, saved] of [["abbrechen", 2, false], ["nein", 1, false], ["ja", 1, true]]) {
    const { page, context, dir } = await openFilesPage(browser);
    await openFiles(page, [path.join(examples, "SAMMELN.PAS")]);
    await page.click("#programm .cm-content");
    await page.keyboard.down("Control"); await page.keyboard.press("Home"); await page.keyboard.up("Control");
    await page.keyboard.type("{ geändert }");
    await page.click("::-p-aria(Schließen: Sammeln)");
    await page.waitForSelector("#meldung[open]");
    const asked = await dialogText(page);
    await page.click("#meldung .antwort[value=" + answer + "]");
    await page.waitForFunction((n) => document.querySelectorAll("#seiten [role=tab]").length === n, { timeout: 5000 }, pagesAfter)
      .catch(() => {});
    const bytes = saved ? await downloaded(dir, "SAMMELN.PAS") : Buffer.alloc(0);
    check("closing a changed page asks, and " + answer + " is done",
          asked === "Text wurde geändert. Speichern?" && (await tabNames(page)).length === pagesAfter &&
          (!saved || bytes.toString("utf8").startsWith("{ geändert }PROGRAM")), asked + " " + (await tabNames(page)).join(","));
    await closeAll(page, context, dir);
  }
}

// A program too long for a link is not shared by link; the files are offered.
async function longLinkIsRefused(browser) {
  const { page, context, dir } = await openFilesPage(browser);
  // Letters without a pattern, which compression cannot shrink below the limit.
  let noise = "", seed = 7;
  for (let i = 0; i < 14000; ++i) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    noise += String.fromCharCode(97 + (seed >> 16) % 26) + (i % 70 === 69 ? "\r\n" : "");
  }
  fs.writeFileSync(path.join(dir, "LANG.PAS"), "PROGRAM Lang;\r\n{ " + noise + " }\r\nBEGIN\r\n  VOR\r\nEND.\r\n");
  await openFiles(page, [path.join(dir, "LANG.PAS")]);
  fs.rmSync(path.join(dir, "LANG.PAS"));
  const shared = await shareLink(page);
  check("a link over 8000 characters is not made", shared.link === "" && shared.text.includes("8000"), shared.text);
  check("instead the files are offered", shared.offer);
  await page.click("#teilen-speichern");
  check("the offer saves the program", (await downloaded(dir, "LANG.PAS")).length > 14000);
  await closeAll(page, context, dir);
}

// A browser that gives the page no storage: the page says the work is not kept.
async function noStorageIsSaid(browser) {
  for (const [name, storage] of [["without storage", false], ["with storage", true]]) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    if (!storage)
      await page.evaluateOnNewDocument(() => Object.defineProperty(window, "indexedDB", { get() { throw new Error("SecurityError"); } }));
    await page.goto(pageUrl);
    await page.waitForSelector("body[data-bereit]");
    const shown = await page.$eval("#nicht-aufbewahrt", (p) => !p.hidden && p.textContent.includes("nicht"));
    check("the notice that work is not kept: " + name, shown === !storage);
    await context.close();
  }
}

module.exports = [desktopFilesComeBackUnchanged, typedProgramInTheDesktopsEncoding, reloadFindsTheWorkKept, sharedLinkOpensTheTask,
                  damagedLinkIsRefused, closingAChangedPageAsks, fieldSavedWhileEditing, longLinkIsRefused, noStorageIsSaid];
