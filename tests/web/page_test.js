// The page in a real browser: Debian's chromium, driven by puppeteer-core,
// on build/web/index.html. Each pages/*.page.js file exports its tests.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { counts, check } = require("./browser.js");

(async () => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zelk-page-"));
  const dir = path.join(__dirname, "pages");
  const only = process.env.ZELK_PAGE_TESTS;  // a part of a file name, to run fewer
  const files = fs.readdirSync(dir).filter((f) => f.endsWith(".page.js") && (!only || f.includes(only))).sort();
  let browser;
  try {
    browser = await puppeteer.launch({
      executablePath: process.env.ZELK_CHROMIUM || "/usr/bin/chromium",
      headless: true,
      args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--disable-component-update", "--no-first-run", "--disable-sync", "--user-data-dir=" + profile],
    });
    for (const file of files) {
      for (const test of require(path.join(dir, file))) {
        try { await test(browser); } catch (e) { check(file + ": " + test.name, false, e.message); }
      }
    }
  } catch (e) {
    check("chromium starts", false, e.message);
  } finally {
    if (browser) await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(counts.passed + " passed, " + counts.failed + " failed");
  process.exit(counts.failed === 0 ? 0 : 1);
})();
