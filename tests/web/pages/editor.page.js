// The editor: breakpoints in the gutter, the arrow, the Underscore
// spelling, units from pages and files, the Tab key, and the focus.
"use strict";
const { openPage, check, typeProgram, pasteText, xpos, dialogText } = require("../browser.js");

const FOUR_STEPS = "PROGRAM P;\nBEGIN\n  VOR;\n  VOR;\n  VOR;\n  VOR\nEND.";

async function clickLineNumber(page, number) {
  // The editor lays out a page it has just shown in the next frames.
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const at = await page.evaluate((n) => {
    const e = [...document.querySelectorAll("#programm .cm-lineNumbers .cm-gutterElement")]
      .find((g) => g.textContent === String(n) && g.style.visibility !== "hidden");
    const r = e.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  }, number);
  await page.mouse.click(at.x, at.y);
}

const gutterLines = (page, cls) => page.$$eval("#programm ." + cls, (es) => es.map((e) => e.dataset.zeile).join(","));
const announced = (page, text) => page.waitForFunction((t) => document.getElementById("editor-ansage").textContent === t, { timeout: 3000 }, text).then(() => true, () => false);
const waitPaused = (page) => page.waitForFunction(() => Zelk.state().paused && !Zelk.state().timer, { timeout: 10000 });

async function breakpointPausesTheRun(browser) {
  const page = await openPage(browser);
  await typeProgram(page, FOUR_STEPS);
  await clickLineNumber(page, 5);
  check("a click on a line number sets a breakpoint there", (await gutterLines(page, "haltepunkt")) === "4", await gutterLines(page, "haltepunkt"));
  check("the breakpoint is announced", await announced(page, "Haltepunkt in Zeile 5 gesetzt"));
  await page.keyboard.press("F9");
  await waitPaused(page);
  check("the run pauses before the breakpoint's line: x=3", (await xpos(page)) === "3", await xpos(page));
  check("the arrow stands on the breakpoint's line", (await gutterLines(page, "marke")) === "4", await gutterLines(page, "marke"));
  check("the pause is announced", await announced(page, "Ausführung hält in Zeile 5"));
  // Lines typed above during the pause: arrow and breakpoint stay with their instruction.
  await page.evaluate(() => document.querySelector("#programm .cm-content").focus());
  await page.keyboard.down("Control"); await page.keyboard.press("Home"); await page.keyboard.up("Control");
  await page.keyboard.type("{ neu }");
  await pasteText(page, "\n");
  check("typed lines move the arrow with its line", (await gutterLines(page, "marke")) === "5", await gutterLines(page, "marke"));
  await clickLineNumber(page, 6);
  check("a breakpoint taken away during a pause", (await gutterLines(page, "haltepunkt")) === "", await gutterLines(page, "haltepunkt"));
  await page.keyboard.press("F9");
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
  check("the run goes on to its end without the breakpoint", (await xpos(page)) === "5", await xpos(page));
  await page.close();
}

// A breakpoint on a line without an instruction moves to the next line
// with one at the next translation, or goes when none follows.
async function breakpointsMoveToInstructions(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\n{ Kommentar }\nBEGIN\n\n  VOR\nEND.\n");
  for (const [clicked, after] of [[2, "4"], [4, "4"], [7, ""]]) {
    const before = await gutterLines(page, "haltepunkt");
    if (before !== "") await clickLineNumber(page, Number(before) + 1);
    await clickLineNumber(page, clicked);
    await page.click("::-p-aria(Compilieren)");
    const shown = await gutterLines(page, "haltepunkt");
    check("a breakpoint on line " + clicked + " stands on the line of index [" + after + "] after translating", shown === after, shown);
  }
  await page.close();
}

async function underscoreSpelling(browser) {
  for (const [underscore, word, fails, coloured] of [[true, "DREHE_LINKS", false, true], [true, "DREHELINKS", true, false],
                                                     [false, "DREHELINKS", false, true], [false, "DREHE_LINKS", true, false]]) {
    const page = await openPage(browser);
    if (!underscore) await page.click("#unterstrich");
    await typeProgram(page, "PROGRAM P;\nBEGIN\n  " + word + "\nEND.");
    const colour = await page.$$eval("#programm .zk-roboterwort", (es) => es.map((e) => e.textContent).join(","));
    check(word + (underscore ? " with" : " without") + " Underscore is " + (coloured ? "" : "not ") + "coloured as a robot word",
          colour.includes(word) === coloured, colour);
    await page.click("::-p-aria(Compilieren)");
    const text = await dialogText(page);
    check(word + (underscore ? " with" : " without") + " Underscore " + (fails ? "is unknown" : "translates"),
          fails ? text === "Bezeichner unbekannt!" : text === null, text);
    if (!underscore) {
      await page.reload();
      await page.waitForSelector("body[data-bereit]");
      check("the Underscore option is kept in the browser", !(await page.$eval("#unterstrich", (b) => b.checked)));
      await page.click("#unterstrich");
    }
    await page.close();
  }
}

// USES: a unit from the learner's files becomes a page; once open, the page
// wins over the file.
async function usesFindsFilesAndPages(browser) {
  const page = await openPage(browser);
  const unit = (steps) => "UNIT Hilfe;\r\nINTERFACE\r\nPROCEDURE WEITER;\r\nIMPLEMENTATION\r\n{ Z\xe4hler }\r\nPROCEDURE WEITER;\r\nBEGIN\r\n" + "  VOR;\r\n".repeat(steps) + "END;\r\nEND.\r\n";
  const store = (text) => page.evaluate((t) => Module.FS.writeFile("/dateien/hilfe.PAS", Uint8Array.from(t, (c) => c.charCodeAt(0))), text);
  await store(unit(2));
  await typeProgram(page, "PROGRAM P;\nUSES Hilfe;\nBEGIN\n  WEITER\nEND.");
  // Each Start begins on the work field as it was: two steps lead to x=3.
  for (const [what, stored] of [["from the file", 2], ["from the open page, not the file", 3]]) {
    await store(unit(stored));
    await page.click("::-p-aria(Start)");
    await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
    check("USES takes the unit " + what, (await xpos(page)) === "3" && (await dialogText(page)) === null, (await xpos(page)) + " " + (await dialogText(page)));
  }
  const tabs = await page.$$eval("#seiten [role=tab]", (ts) => ts.map((t) => t.textContent).join(","));
  check("the unit's file opens as a page of its own, once", tabs === "Robo1,Hilfe", tabs);
  await page.click("#seiten .seite:nth-child(2) [role=tab]");
  check("the unit's file is read in the desktop's encoding", (await page.evaluate(() => Zelk.selection().page)) === 1 &&
        (await page.$eval("#programm .cm-content", (c) => c.textContent)).includes("{ Zähler }"));
  await page.close();
}

async function tabAndFocus(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN");
  await page.keyboard.press("Tab");
  const inEditor = () => page.evaluate(() => !!document.activeElement.closest(".cm-editor"));
  check("Tab inserts four blanks in the editor", (await page.$eval("#programm .cm-content", (c) => c.textContent)).endsWith("BEGIN    ") && (await inEditor()));
  await page.keyboard.press("Escape");
  await page.keyboard.press("Tab");
  check("Esc then Tab leaves the editor", !(await inEditor()));
  await page.evaluate(() => document.querySelector("#programm .cm-content").focus());
  await page.keyboard.down("Control"); await page.keyboard.press("End"); await page.keyboard.up("Control");
  await pasteText(page, "\n");
  await page.keyboard.type("VOR;");
  await pasteText(page, "\n");
  await page.keyboard.type("END.");
  await page.evaluate(() => document.activeElement.blur());
  await page.keyboard.press("F7");
  await page.keyboard.press("F7");
  const s = await page.evaluate(() => Zelk.selection());
  check("a step selects its line without focusing the editor", !s.focused && s.text.trim().length > 0, JSON.stringify(s));
  await page.close();
}

// The colour of a word is what the translator makes of it, also in a
// comment begun lines above.
async function coloursFollowTheScanner(browser) {
  const page = await openPage(browser);
  const rows = [["BEGIN\n  VOR", "VOR", "zk-roboterwort"], ["{ Anfang\n  VOR\n}", "VOR", "zk-kommentar"],
                ["(* { *)\n  VOR", "VOR", "zk-roboterwort"], ["(* Anfang\n  } VOR", "VOR", "zk-kommentar"],
                ["WHILE VORNE_FREI DO", "WHILE", "zk-schluesselwort"], ["  12", "12", "zk-zahl"]];
  for (const [text, word, kind] of rows) {
    await page.evaluate(() => document.querySelector("#programm .cm-content").focus());
    await page.keyboard.down("Control"); await page.keyboard.press("a"); await page.keyboard.up("Control");
    await page.keyboard.press("Backspace");
    await typeProgram(page, text);
    const classes = await page.$$eval("#programm .cm-line span", (es, w) => es.filter((e) => e.textContent.includes(w)).map((e) => e.className).join(" "), word);
    check(JSON.stringify(text) + ": " + word + " is " + kind, classes.split(" ").includes(kind), classes);
  }
  await page.close();
}

// A breakpoint in a unit's page pauses the program there; the unit's page
// comes to the front with the arrow.
async function breakpointInAUnit(browser) {
  const page = await openPage(browser);
  await page.evaluate(() => Module.FS.writeFile("/dateien/Teil.pas", "UNIT Teil;\nINTERFACE\nPROCEDURE ZWEI;\nIMPLEMENTATION\nPROCEDURE ZWEI;\nBEGIN\n  VOR;\n  VOR\nEND;\nEND.\n"));
  await typeProgram(page, "PROGRAM P;\nUSES Teil;\nBEGIN\n  ZWEI\nEND.");
  await page.click("::-p-aria(Compilieren)");
  await page.click("#seiten .seite:nth-child(2) [role=tab]");
  await clickLineNumber(page, 8);
  await page.click("#seiten .seite:nth-child(1) [role=tab]");
  await page.keyboard.press("F9");
  await waitPaused(page);
  const shown = await page.evaluate(() => Zelk.selection().page);
  check("a breakpoint in a unit pauses there, its page in front", (await xpos(page)) === "2" && shown === 1 &&
        (await gutterLines(page, "marke")) === "7", (await xpos(page)) + " page " + shown + " arrow " + (await gutterLines(page, "marke")));
  await page.close();
}

// Closing a page moves the pages after it up: a breakpoint taken away on
// such a page afterwards is gone for the run as well.
async function closingAPageKeepsBreakpointsOnTheirPage(browser) {
  const page = await openPage(browser);
  const unit = (name, proc) => "UNIT " + name + ";\nINTERFACE\nPROCEDURE " + proc + ";\nIMPLEMENTATION\nPROCEDURE " + proc + ";\nBEGIN\n  VOR\nEND;\nEND.\n";
  await page.evaluate((a, b) => { Module.FS.writeFile("/dateien/Eins.pas", a); Module.FS.writeFile("/dateien/Zwei.pas", b); },
                      unit("Eins", "EINS"), unit("Zwei", "ZWEI"));
  await typeProgram(page, "PROGRAM P;\nUSES Eins, Zwei;\nBEGIN\n  EINS;\n  ZWEI\nEND.");
  await page.click("::-p-aria(Compilieren)");
  await page.click("#seiten .seite:nth-child(3) [role=tab]");
  await clickLineNumber(page, 7);
  await page.click("#seiten .seite:nth-child(2) .schliessen");
  await page.click("#seiten .seite:nth-child(2) [role=tab]");
  await clickLineNumber(page, 7);
  check("the breakpoint is taken away on the page that moved up", (await gutterLines(page, "haltepunkt")) === "" &&
        await announced(page, "Haltepunkt in Zeile 7 entfernt"), await gutterLines(page, "haltepunkt"));
  await page.click("#seiten .seite:nth-child(1) [role=tab]");
  await page.keyboard.press("F9");
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
  check("the run does not pause at the breakpoint taken away", (await xpos(page)) === "3", await xpos(page));
  await page.close();
}

module.exports = [breakpointPausesTheRun, breakpointsMoveToInstructions, underscoreSpelling, usesFindsFilesAndPages, tabAndFocus, coloursFollowTheScanner, breakpointInAUnit, closingAPageKeepsBreakpointsOnTheirPage];
