// What every page test shares: the page opened in Debian's chromium from
// file://, as a learner opens it, and the count of checks.
"use strict";
const path = require("path");

const pageUrl = "file://" + path.resolve(process.argv[2]);
const counts = { passed: 0, failed: 0 };

function check(name, ok, detail) {
  if (ok) { ++counts.passed; console.log("PASS " + name); }
  else { ++counts.failed; console.log("FAIL " + name + (detail !== undefined ? ": " + detail : "")); }
}

// A fresh tab on the page, ready once the core has started. Every keydown
// is recorded as the window sees it first; whether it was taken is read
// after the page's own handler had it.
// Without a context of its own the tab gets a fresh one, so that no work
// kept by an earlier test comes back in it; closing the tab closes it.
async function openPage(browser, options) {
  const own = !(options && options.context);
  const context = own ? await browser.createBrowserContext() : options.context;
  const page = await context.newPage();
  if (own) {
    const close = page.close.bind(page);
    page.close = async () => { await close(); await context.close(); };
  }
  if (options && options.viewport) await page.setViewport(options.viewport);
  await page.evaluateOnNewDocument(() => {
    window.keys = [];
    window.addEventListener("keydown", (e) => window.keys.push(e), true);
  });
  await page.goto(pageUrl + (options && options.hash ? options.hash : ""));
  await page.waitForSelector("body[data-bereit]");
  return page;
}

// Types the text as it is: a line break is pasted, so that the editor's
// auto-indent adds no blanks the test did not type.
async function typeProgram(page, text) {
  await page.click("#programm .cm-content");
  const lines = text.split("\n");
  for (let i = 0; i < lines.length; ++i) {
    if (i > 0) {
      await pasteText(page, "\n");
      // The editor puts the cursor after a paste in the next frame; a key
      // typed before that lands where the cursor was.
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    }
    await page.keyboard.type(lines[i]);
  }
}

async function pasteText(page, text) {
  await page.$eval("#programm .cm-content", (content, t) => {
    const data = new DataTransfer();
    data.setData("text/plain", t);
    content.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true, cancelable: true }));
  }, text);
}

const xpos = (page) => page.$eval("#xpos", (e) => e.textContent);
const dialogText = (page) => page.$eval("#meldung", (d) => d.open ? document.getElementById("meldung-text").innerText : null);
const dialogTitle = (page) => page.$eval("#meldung-titel", (e) => e.textContent);

module.exports = { pageUrl, counts, check, openPage, typeProgram, pasteText, xpos, dialogText, dialogTitle };
