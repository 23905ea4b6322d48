// The work field by hand: the editing mode by mouse, by keys and by touch,
// Neu and Zurücksetzen, the manual control, and the field told in words;
// each edit reaches the run.
"use strict";
const { openPage, check, typeProgram, xpos, dialogText } = require("../browser.js");

const TABLET = { width: 1024, height: 768, hasTouch: true, isMobile: true, deviceScaleFactor: 2 };
const WALL = "ZELK ist gegen ein  Hindernis gelaufen!";

// A place of square (x, y) on the screen: its Zelk or items part, or the
// middle of its north or east side, in the drawing's logical pixels scaled
// to the canvas as the page shows it.
async function placeOf(page, x, y, part) {
  const ox = 28 * (x - 1) + 6, oy = 28 * (10 - y) + 6;
  const [lx, ly] = { zelk: [ox + 12, oy + 16], items: [ox + 24, oy + 16], north: [ox + 16, oy + 1], east: [ox + 29, oy + 16] }[part];
  return page.$eval("#arbeitsfeld", (c, lx, ly) => {
    c.scrollIntoView({ block: "nearest" });
    const r = c.getBoundingClientRect();
    return [r.left + c.clientLeft + (lx + 0.5) * c.clientWidth / 435, r.top + c.clientTop + (ly + 0.5) * c.clientHeight / 295];
  }, lx, ly);
}

async function click(page, x, y, part, button) {
  const [px, py] = await placeOf(page, x, y, part);
  await page.mouse.click(px, py, { button: button || "left" });
}

const press = (page, label) => page.click("::-p-aria(" + label + ")");
const described = (page) => page.$eval("#arbeitsfeld", (c) => document.getElementById(c.getAttribute("aria-describedby")).textContent);
const robot = (page) => page.evaluate(() => Zelk.state().robot);

// Runs a program to its end or its message, and gives the message.
async function run(page, program) {
  await typeProgram(page, "PROGRAM P;\nBEGIN\n" + program.join(";\n") + "\nEND.");
  await press(page, "Start");
  await page.waitForFunction(() => document.getElementById("meldung").open || (Zelk.state().state === "idle" && !Zelk.state().timer), { timeout: 10000 });
  return dialogText(page);
}

async function wallSetByTapBlocksZelk(browser) {
  const page = await openPage(browser, { viewport: TABLET });
  await page.tap("::-p-aria(Verändern)");
  const [px, py] = await placeOf(page, 1, 1, "east");
  await page.touchscreen.tap(px, py);
  const open = await page.evaluate(() => Zelk.state().grid[0][0][1]);
  check("a tap on a side in the editing mode sets a barrier there", open === 0, open);
  // "Entfernen" stands in for the right button on a touch screen.
  for (const removing of [false, false, false, true]) {
    if (removing) await page.tap("::-p-aria(Entfernen)");
    const [ix, iy] = await placeOf(page, 3, 2, "items");
    await page.touchscreen.tap(ix, iy);
  }
  const items = await page.evaluate(() => Zelk.state().grid[1][2][0]);
  check("taps put items down, and with Entfernen take one away", items === 2, items);
  const small = await page.$$eval(".feld button:not([hidden]), .feld input", (els) =>
    els.filter((e) => e.offsetParent && (e.getBoundingClientRect().height < 44 || e.getBoundingClientRect().width < 44)).map((e) => e.id));
  check("the field's controls are large enough for a finger", small.length === 0, small.join(","));
  const square = await page.$eval("#arbeitsfeld", (c) => c.clientWidth / 15.5);
  check("a square of the field is at least 44 CSS pixels on a tablet", square >= 44, square);
  await page.tap("::-p-aria(Verändern)");
  check("the wall stops Zelk with the desktop's message", (await run(page, ["VOR"])) === WALL);
  await page.close();
}

// Each edit by mouse, then a program whose outcome depends on it.
const MOUSE_EDITS = [
  { name: "items put down by clicks lie there for the run",
    edit: async (p) => { for (const b of ["left", "left", "left", "right"]) await click(p, 2, 1, "items", b); },
    program: ["VOR", "NIMM_AUF", "NIMM_AUF", "NIMM_AUF"],
    message: "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !", robot: { x: 2, supply: 2 } },
  { name: "Zelk clicked to a square, then turned on it, walks north from there",
    edit: async (p) => { await click(p, 5, 3, "zelk"); await click(p, 5, 3, "zelk"); },
    program: ["VOR"], message: null, robot: { x: 5, y: 4, direction: 1 } },
  { name: "a barrier removed by the right button lets Zelk pass",
    edit: async (p) => { await click(p, 1, 1, "north"); await click(p, 1, 1, "east"); await click(p, 1, 1, "east", "right"); },
    program: ["VOR"], message: null, robot: { x: 2 } },
  { name: "the supply set on the bar is what Zelk can put down",
    edit: async (p) => {
      await p.$eval("#vorrat", (v) => { v.value = "3"; v.dispatchEvent(new Event("input")); v.dispatchEvent(new Event("change")); });
    },
    program: ["GIB_AB", "GIB_AB", "GIB_AB", "GIB_AB"], message: "ZELK hat kein Material zum Ablegen!", robot: { supply: 0 } },
];

async function mouseEditsReachTheRun(browser) {
  for (const c of MOUSE_EDITS) {
    const page = await openPage(browser);
    await press(page, "Verändern");
    const disabled = await page.$eval("#start", (b) => b.disabled);
    await c.edit(page);
    await press(page, "Verändern");
    const message = await run(page, c.program);
    const r = await robot(page);
    const wrong = Object.keys(c.robot).filter((k) => r[k] !== c.robot[k]);
    check(c.name, message === c.message && wrong.length === 0 && disabled, JSON.stringify({ message, r, disabled }));
    await page.close();
  }
}

async function neuAndZuruecksetzen(browser) {
  const page = await openPage(browser);
  await press(page, "Verändern");
  await click(page, 4, 1, "items");
  await click(page, 2, 1, "north");
  await press(page, "Verändern");
  await run(page, ["VOR", "VOR", "VOR", "NIMM_AUF"]);
  await press(page, "Zurücksetzen");
  let s = await page.evaluate(() => Zelk.state());
  check("Zurücksetzen brings Zelk and the items back to the start", s.robot.x === 1 && s.robot.supply === 0 && s.grid[0][3][0] === 1,
        JSON.stringify(s.robot));
  await press(page, "Neu");
  s = await page.evaluate(() => Zelk.state());
  const walls = s.grid.flat().filter((sq, i) => sq[2] === 0 && i < 135).length;
  check("Neu empties the field: no items, no inner walls, Zelk at the start",
        walls === 0 && s.grid[0][3][0] === 0 && s.robot.x === 1 && s.feldPanel === "Arbeitsfeld: ", JSON.stringify({ walls, p: s.feldPanel }));
  await page.close();
}

// The manual control: each button does the robot's command.
const HAND = [
  { buttons: ["vor", "vor"], x: "3", message: null },
  { buttons: ["drehe links", "drehe links", "vor"], x: "1", message: WALL },
  { buttons: ["nimm auf"], x: "1", message: "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !" },
];

async function manualControl(browser) {
  for (const c of HAND) {
    const page = await openPage(browser);
    await press(page, "Handsteuerung");
    for (const b of c.buttons) await page.click("#handpanel ::-p-aria(" + b + ")");
    check("Handsteuerung: " + c.buttons.join(", "), (await xpos(page)) === c.x && (await dialogText(page)) === c.message,
          (await xpos(page)) + " " + (await dialogText(page)));
    await page.close();
  }
}

async function descriptionFollowsTheField(browser) {
  const page = await openPage(browser);
  const before = await described(page);
  await page.focus("#arbeitsfeld");
  await press(page, "Verändern");
  await page.focus("#arbeitsfeld");
  // From the keyboard alone: one square east, an item, Zelk there, a barrier north.
  for (const k of ["ArrowRight", "+", "z"]) await page.keyboard.press(k);
  await page.keyboard.down("Shift");
  await page.keyboard.press("ArrowUp");
  await page.keyboard.up("Shift");
  const told = /Spalte 2, Zeile 1\..*Zelk steht hier.*1 Gegenstand.*Norden Hindernis/;
  // The words follow at most four times a second.
  await page.waitForFunction((t) => new RegExp(t).test(document.getElementById("feld-beschreibung").textContent),
                             { timeout: 3000 }, told.source).catch(() => {});
  const after = await described(page);
  check("the field told in words follows the keys' edits", told.test(after) && before.includes("Spalte 1, Zeile 1"), after);
  // Ctrl+Z takes the barrier back, Ctrl+Y sets it again.
  const northOpen = () => page.evaluate(() => Zelk.state().grid[0][1][2]);
  const undone = [];
  for (const k of ["z", "y"]) {
    await page.keyboard.down("Control");
    await page.keyboard.press(k);
    await page.keyboard.up("Control");
    undone.push(await northOpen());
  }
  check("Ctrl+Z undoes the last edit and Ctrl+Y does it again", undone.join(",") === "1,0", undone.join(","));
  await page.close();
}

// While a program runs, the field is the run's: the buttons that would
// change it are off, and on again after the end.
async function fieldButtonsFollowTheRun(browser) {
  const page = await openPage(browser);
  await typeProgram(page, "PROGRAM P;\nBEGIN\n" + "  VOR;\n".repeat(5) + "  VOR\nEND.");
  await press(page, "Start");
  const labels = ["Verändern", "Neu", "Zurücksetzen"];
  const disabled = () => Promise.all(labels.map((l) => page.$eval("::-p-aria(" + l + ")", (b) => b.disabled)));
  const running = await disabled();
  await page.waitForFunction(() => Zelk.state().state === "idle" && !Zelk.state().timer, { timeout: 10000 });
  const after = await disabled();
  labels.forEach((l, i) => check(l + " is off while the program runs, on after its end", running[i] && !after[i], running[i] + "/" + after[i]));
  await page.close();
}

module.exports = [wallSetByTapBlocksZelk, mouseEditsReachTheRun, neuAndZuruecksetzen, manualControl, descriptionFollowsTheField,
                  fieldButtonsFollowTheRun];
