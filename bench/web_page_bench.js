// The page's figures in Debian's chromium: opening it to the first program
// it can run (cold, then from the cache), what it loads before that
// (compressed), the interpreter's ticks per second in the page, and one
// step back 100 million instructions into a run.
//   cmake --build build --target web && node bench/web_page_bench.js [build] [instructions]
// Needs the puppeteer-core that the web target installs (build/web-npm).
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const zlib = require("zlib");

const build = path.resolve(process.argv[2] || "build");
const INSTRUCTIONS = Number(process.argv[3] || 100000000);
const site = path.join(build, "web");
const puppeteer = require(path.join(build, "web-npm/node_modules/puppeteer-core"));

const PENDEL = "PROGRAM Pendel;\nPROCEDURE Kehrt;\nBEGIN DREHE_LINKS; DREHE_LINKS END;\nBEGIN\n" +
               "  WHILE NOT PLATZ_BELEGT DO\n    IF VORNE_FREI THEN VOR ELSE KEHRT\nEND.";

const TYPES = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".svg": "image/svg+xml" };

// A plain static server, as any school's web server would be.
function serve() {
  const server = http.createServer((req, res) => {
    const file = path.join(site, decodeURIComponent(new URL(req.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    if (!file.startsWith(site) || !fs.existsSync(file)) { res.writeHead(404); res.end(); return; }
    res.writeHead(200, { "Content-Type": TYPES[path.extname(file)] || "application/octet-stream",
                         "Cache-Control": "max-age=3600" });
    res.end(fs.readFileSync(file));
  });
  return new Promise((ok) => server.listen(0, "127.0.0.1", () => ok(server)));
}

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// Milliseconds from the navigation's start to the page ready to run.
async function openTime(page, url) {
  await page.goto(url);
  await page.waitForSelector("body[data-bereit]");
  return page.evaluate(() => Number(document.body.dataset.bereitMs));
}

(async () => {
  const server = await serve();
  const url = "http://127.0.0.1:" + server.address().port + "/index.html";
  const launch = (profile) => puppeteer.launch({
    executablePath: process.env.ZELK_CHROMIUM || "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--user-data-dir=" + profile],
  });

  // Cold: a new profile each time, nothing cached; then reloads from the cache.
  const cold = [], cached = [];
  let loaded = new Set();
  for (let i = 0; i < 5; ++i) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zelk-bench-"));
    const browser = await launch(profile);
    const page = await browser.newPage();
    page.on("request", (r) => { if (r.url().startsWith("http://127.0.0.1")) loaded.add(new URL(r.url()).pathname); });
    cold.push(await openTime(page, url));
    for (let j = 0; j < 3; ++j) cached.push(await openTime(page, url));
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  let gz = 0;
  for (const p of loaded) {
    const file = path.join(site, p.replace(/\/$/, "/index.html"));
    if (fs.existsSync(file)) gz += zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;
  }
  console.log("open to first runnable program: cold median " + median(cold).toFixed(0) + " ms (" +
              cold.map((x) => x.toFixed(0)).join(" ") + "), from the cache median " + median(cached).toFixed(0) + " ms");
  console.log("loaded before it: " + [...loaded].join(" ") + ": " + (gz / 1024).toFixed(0) + " KB gzip -9");

  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zelk-bench-"));
  const browser = await launch(profile);
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector("body[data-bereit]");
  // The program pasted into the editor and started with the page's button;
  // then the ticks straight into the core, as fast as they go.
  await page.$eval("#programm .cm-content", (content, t) => {
    const data = new DataTransfer();
    data.setData("text/plain", t);
    content.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, bubbles: true, cancelable: true }));
  }, PENDEL);
  await page.click("#start");
  const r = await page.evaluate((n) => {
    const M = window.Module;
    let t = performance.now();
    for (let i = 0; i < n; ++i) M._zelk_tick();
    const perSecond = n / (performance.now() - t) * 1000;
    document.getElementById("unterbrechen").click();
    // Each step back as the learner's click does it: the core's step back,
    // its report, the field, the gutter and the panel drawn again.
    const back = [];
    const button = document.getElementById("zurueck");
    for (let i = 0; i < 200; ++i) {
      t = performance.now();
      button.click();
      back.push(performance.now() - t);
    }
    back.sort((a, b) => a - b);
    return { perSecond, median: back[100], p99: back[198], longest: back[199], x: document.getElementById("xpos").textContent };
  }, INSTRUCTIONS);
  console.log("ticks in the page: " + (r.perSecond / 1e6).toFixed(1) + " M instructions per second; Zelk after the steps back at x=" + r.x);
  console.log("one step back " + INSTRUCTIONS + " instructions into the run, through the button, drawing included (200 in a row): median " +
              r.median.toFixed(3) + " ms, 99th percentile " + r.p99.toFixed(3) + " ms, longest " + r.longest.toFixed(3) + " ms");
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
  server.close();
})();
