// Takes docs/web-haltepunkt.png: the page in Debian's chromium with the
// example "Sammeln", paused at a breakpoint on its NIMM_AUF.
//   cmake --build build --target web && node scripts/web-screenshot.js [build] [picture]
"use strict";
const path = require("path");
const build = path.resolve(process.argv[2] || "build");
const picture = path.resolve(process.argv[3] || path.join(__dirname, "../docs/web-haltepunkt.png"));
const puppeteer = require(path.join(build, "web-npm/node_modules/puppeteer-core"));

const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

(async () => {
  const browser = await puppeteer.launch({ executablePath: process.env.ZELK_CHROMIUM || "/usr/bin/chromium",
                                           headless: true, args: ["--no-sandbox", "--disable-gpu"] });
  const page = await (await browser.createBrowserContext()).newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto("file://" + path.join(build, "web/index.html"));
  await page.waitForSelector("body[data-bereit]");
  await page.click("#beispiele");
  await page.click("::-p-text(Sammeln)");
  await frames(page);
  // The breakpoint on line 9 (NIMM_AUF), by a click on its number.
  const at = await page.evaluate(() => {
    const e = [...document.querySelectorAll("#programm .cm-lineNumbers .cm-gutterElement")].find((g) => g.textContent === "9");
    const r = e.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  });
  await page.mouse.click(at.x, at.y);
  await page.click("#start");
  await page.waitForFunction(() => Zelk.state().state === "interrupted", { timeout: 30000 });
  await frames(page);
  await page.screenshot({ path: picture });
  await browser.close();
  console.log("wrote " + picture);
})();
