// The browser build's figures for docs/web.md, in Debian's chromium, headless: load time to the title, the cost of a
// whole picture of the title and of play, and of the ticks of a running game, at S and at XL.
// Usage: node bench/web_bench.js SITE_FOLDER (the unpacked zip; run tests/web/run.sh once first for puppeteer-core)
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require(path.join(__dirname, '../tests/web/node_modules/puppeteer-core'));

const site = fs.realpathSync(process.argv[2]);
const pause = (ms) => new Promise((r) => setTimeout(r, ms));

function serve() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  return new Promise((done) => {
    const server = http.createServer((request, response) => {
      const file = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
      if (!file.startsWith(site + path.sep) || !fs.existsSync(file)) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      fs.createReadStream(file).pipe(response);
    });
    server.listen(0, '127.0.0.1', () => done(server));
  });
}

// Ms from navigation to the first tick's picture (the caption is set by the first tick).
async function loadTime(page, url) {
  const start = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => /line up/.test(document.title), { polling: 5, timeout: 30000 });
  return Date.now() - start;
}

// The least of five batches of 20 whole pictures: the machine's other work only ever adds to a batch.
const wholePicture = (page) => page.evaluate(() =>
  Math.min(...[0, 1, 2, 3, 4].map(() => Module._quintetTickCost(20, 1))));

async function figuresAt(page, side) {
  const canvas = await page.$('#canvas');
  const box = await canvas.boundingBox();
  await page.mouse.move(box.x + 10, box.y + 10);
  await pause(500);
  const title = await wholePicture(page);
  await page.keyboard.press('Space');
  await pause(1500);
  const play = await wholePicture(page);
  await page.evaluate(() => Module._quintetRunningTickCost());
  // New balls fade in over about a second: ticks that change the picture, as a running game has them.
  await page.keyboard.press('Escape');
  await pause(1000);
  await page.keyboard.press('Space');
  await pause(1200);
  const running = await page.evaluate(() => Module._quintetRunningTickCost());
  await page.keyboard.press('Escape');
  await pause(1000);
  return { side, title, play, running };
}

async function main() {
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quintet-bench-'));
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
    args: ['--no-sandbox', '--window-size=1400,1300'] });
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 1300 });
  const loads = [];
  for (let i = 0; i < 3; ++i)
    loads.push(await loadTime(page, url));
  const rows = [await figuresAt(page, 650)];
  for (let size = 0; size < 3; ++size) {  // Right three times: M, L, XL, each a reload
    await Promise.all([page.waitForNavigation(), page.keyboard.press('ArrowRight')]);
    await page.waitForFunction(() => /line up/.test(document.title), { timeout: 30000 });
    await pause(900);
  }
  rows.push(await figuresAt(page, 1140));
  console.log(`load to the title: ${loads.join(', ')} ms (first with an empty cache)`);
  for (const r of rows)
    console.log(`${r.side}: title whole ${r.title.toFixed(2)} ms, play whole ${r.play.toFixed(2)} ms, ` +
      `running ticks ${r.running.toFixed(2)} ms`);
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}

main().catch((e) => { console.error(e); process.exit(1); });
