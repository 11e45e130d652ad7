// The browser build played in Debian's chromium, headless, from a static server on 127.0.0.1: the title against
// its reference frame, a game of five balls with one move, back to the title, a size change that restarts the
// page at the next size and survives a reload, and no page error or request beyond the page's own files.
// Usage: node web_test.js SITE_FOLDER REFERENCE_PPM OUT_FOLDER (the unpacked zip; s-title-idle.ppm; screenshots)
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [site, referenceFile, out] = process.argv.slice(2);
const failures = [];
function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok)
    failures.push(what);
}

// The title's colour at (5, 30), play's, an empty cell's; cell centres at S (as tests/e2e/lib.sh has them).
const titleColour = [0xd1, 0xe8, 0xca], playColour = [0xac, 0x91, 0x8c], emptyCell = [0x81, 0x78, 0x78];
const cellX = (i) => 63 + (i % 9) * 66, cellY = (i) => 73 + Math.floor(i / 9) * 66;
const near = (a, b, d) => a.every((v, k) => Math.abs(v - b[k]) <= d);

// A binary PPM's width, height and RGB bytes.
function readPpm(file) {
  const bytes = fs.readFileSync(file);
  const header = bytes.toString('latin1', 0, 64).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  return { width: +header[1], height: +header[2], rgb: bytes.subarray(header[0].length) };
}

// The files of the site and nothing else, from 127.0.0.1; every path asked for is noted.
function serve(folder, asked) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    asked.push(name);
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    if (!file.startsWith(folder + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((done) => server.listen(0, '127.0.0.1', () => done(server)));
}

// The canvas's pixels as RGB rows, read from the page.
async function canvasPixels(page) {
  const data = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    if (!c.width || !c.height)
      return { width: 0, height: 0, rgb: '' };
    const rgba = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < rgba.length; i += 4)
      s += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
    return { width: c.width, height: c.height, rgb: btoa(s) };
  });
  return { width: data.width, height: data.height, rgb: Buffer.from(data.rgb, 'base64') };
}
const pixel = (p, x, y) => Array.from(p.rgb.subarray(3 * (y * p.width + x), 3 * (y * p.width + x) + 3));

// Waits until the canvas shows the screen of that colour (and that many balls, when given); returns the pixels.
async function waitForScreen(page, colour, balls) {
  let p, seen;
  for (let end = Date.now() + 15000; Date.now() < end; await new Promise((r) => setTimeout(r, 200))) {
    p = await canvasPixels(page);
    if (p.width === 0 || !near(pixel(p, 5, 30), colour, 3))
      continue;
    seen = [...Array(81).keys()].filter((i) => !near(pixel(p, cellX(i), cellY(i)), emptyCell, 12));
    if (balls === undefined || seen.length === balls)
      return { pixels: p, balls: seen };
  }
  return { pixels: p, balls: seen || [] };
}

async function main() {
  fs.mkdirSync(out, { recursive: true });
  const asked = [];
  const server = await serve(fs.realpathSync(site), asked);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quintet-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--window-size=1400,1300', '--no-first-run', '--disable-extensions']
  });
  const errors = [], foreign = [], lines = [];
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1400, height: 1300, hasTouch: true });
    page.on('pageerror', (e) => errors.push('page error: ' + e.message));
    page.on('console', (m) => { if (m.type() === 'error') errors.push('console error: ' + m.text()); });
    page.on('requestfailed', (r) => errors.push('request failed: ' + r.url()));
    page.on('request', (r) => { if (!r.url().startsWith(origin + '/') && !r.url().startsWith('data:')) foreign.push(r.url()); });
    page.on('console', (m) => lines.push(m.text()));

    // The page's timeouts are the loop's passes: none while the game rests.
    await page.evaluateOnNewDocument(() => {
      const later = window.setTimeout;
      window.quintetTimeouts = 0;
      window.setTimeout = function () { ++window.quintetTimeouts; return later.apply(window, arguments); };
    });
    const started = Date.now();
    await page.goto(origin + '/index.html');
    const title = await waitForScreen(page, titleColour);
    console.log(`title after ${Date.now() - started} ms`);
    check(title.pixels.width === 650 && title.pixels.height === 650, `the first start opens 650 x 650 (${title.pixels.width} x ${title.pixels.height})`);
    // The caption begins with a blank, which the page's title drops.
    check(await page.title() === 'Quintet - line up five of a colour', `the page's title is the caption ("${await page.title()}")`);
    check(lines.some((l) => l.startsWith('w cfg = 1')), 'the config echo reaches the console');

    // The title with the pointer where its reference frame has it.
    const box = await (await page.$('#canvas')).boundingBox();
    const at = (x, y) => page.mouse.move(box.x + x, box.y + y);
    await at(10, 10);
    await new Promise((r) => setTimeout(r, 300));
    const shot = await canvasPixels(page);
    await page.screenshot({ path: path.join(out, 'web-title.png'), clip: box });
    // The reference frame is the desktop's (OpenGL); the software renderer blends in integer steps that round
    // otherwise, up to 3 per channel where translucent things overlap. Past that no pixel may differ but for a
    // few: a missing size name alone makes about 40.
    const reference = readPpm(referenceFile);
    let differ = 0, apart = 0, worst = 0;
    for (let i = 0; i < shot.rgb.length; i += 3) {
      const d = Math.max(...[0, 1, 2].map((k) => Math.abs(shot.rgb[i + k] - reference.rgb[i + k])));
      worst = Math.max(worst, d);
      differ += d > 0;
      apart += d > 3;
    }
    console.log(`title against the reference frame: ${differ} pixels differ, ${apart} by more than 3, at most by ${worst}`);
    check(reference.width === shot.width && reference.height === shot.height && apart <= 10,
      `the title matches its reference frame within 3 per channel but for 10 pixels (${apart})`);

    // The idle title changes nothing: the game rests, and the page runs no pass until input comes.
    await new Promise((r) => setTimeout(r, 500));
    const before = await page.evaluate(() => window.quintetTimeouts);
    await new Promise((r) => setTimeout(r, 1000));
    const passes = await page.evaluate(() => window.quintetTimeouts) - before;
    check(passes === 0, `the idle title rests: no pass in a second (${passes})`);

    // PLAY, tapped as on a touch screen, which acts as a click; then a ball moved to the first empty cell.
    await page.touchscreen.tap(box.x + 330, box.y + 377);
    const play = await waitForScreen(page, playColour, 5);
    check(play.balls.length === 5, `a tap on PLAY starts a game with five balls (${play.balls.length})`);
    if (play.balls.length !== 5)
      throw new Error('no game to play on');
    await new Promise((r) => setTimeout(r, 1500));  // play's cooldown, and the new balls' fade-in
    const settled = await canvasPixels(page);
    const from = play.balls[0], to = [...Array(81).keys()].find((i) => !play.balls.includes(i));
    const fromColour = pixel(settled, cellX(from), cellY(from));
    for (const cell of [from, to]) {
      await at(cellX(cell), cellY(cell));
      await page.mouse.down();
      await new Promise((r) => setTimeout(r, 60));
      await page.mouse.up();
      await new Promise((r) => setTimeout(r, 200));
    }
    // No run of five can form from five balls: the turn completes with three new balls.
    const moved = await waitForScreen(page, playColour, 8);
    check(moved.balls.length === 8 && near(pixel(moved.pixels, cellX(to), cellY(to)), fromColour, 12),
      `the ball moves and the turn brings three more (${moved.balls.length} balls)`);
    await page.screenshot({ path: path.join(out, 'web-play.png'), clip: box });

    await page.keyboard.press('Escape');
    const back = await waitForScreen(page, titleColour);
    check(near(pixel(back.pixels, 5, 30), titleColour, 3), 'Escape returns to the title');

    // The right arrow key: the page starts again at M, and so it does after a reload.
    await new Promise((r) => setTimeout(r, 900));  // the title's cooldown after play
    await Promise.all([page.waitForNavigation({ timeout: 20000 }), page.keyboard.press('ArrowRight')]);
    const bigger = await waitForScreen(page, titleColour);
    check(bigger.pixels.width === 850, `a size arrow restarts the game at the next size (${bigger.pixels.width})`);
    await page.reload();
    const reloaded = await waitForScreen(page, titleColour);
    check(reloaded.pixels.width === 850, `a reload keeps that size (${reloaded.pixels.width})`);

    // Escape on the title ends the game, and the page says so.
    await new Promise((r) => setTimeout(r, 900));
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => /ended/.test(document.getElementById('status').textContent), { timeout: 10000 })
      .catch(() => {});
    const said = await page.evaluate(() => document.getElementById('status').textContent);
    check(/ended.*Reload/.test(said), `Escape on the title ends the game with a line in the page ("${said}")`);
  } finally {
    if (failures.length || process.env.QUINTET_WEB_VERBOSE)
      console.log('the page\'s console:\n  ' + lines.join('\n  '));
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  const others = asked.filter((name) => !/^\/(index\.html|quintet\.(js|wasm)|media\/[\w.]+)$/.test(name));
  check(errors.length === 0, 'no page errors' + (errors.length ? ': ' + errors.join('; ') : ''));
  check(foreign.length === 0 && others.length === 0, 'no request beyond the page\'s own files' +
    (foreign.length + others.length ? ': ' + foreign.concat(others).join(', ') : ''));
  process.exit(failures.length ? 1 : 0);
}

main().catch((e) => { console.error(e); process.exit(1); });
