// The web build in Debian's Chromium, headless with software WebGL 2, played
// as a player would: in a desktop-sized window the start screen's scene and
// texts, Left into a game over with its blurred scene, Space back to the start
// screen with score 0, one frame drawn per frame shown, and a lost and
// restored WebGL context; on a touch phone upright, a swipe into a game over
// and taps; on a phone on its side, the whole picture; after one visit, the
// game offline; and the page's messages without WebGL 2 and for each game file
// that fails to download. Judged from screenshots of the canvas with the
// desktop pixel tests' probes. Any console error or warning, page error or
// failed request fails it, except those a failure scenario expects.
//
// usage: node tests/web/browser-test.js BUILD_DIR PROBE_POINTS_JS
//   with playwright-core on NODE_PATH (tools/web.sh installs it in BUILD_DIR).
//   Screenshots go to BUILD_DIR/browser-test; COILRUN_SCREENSHOTS=DIR keeps
//   them there as well.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const {chromium} = require('playwright-core');
const {serve} = require('../../tools/web-server.js');

const kW = 800, kH = 600;
// Software WebGL is slow (about ten frames a second here); generous limits.
const kFirstFramesTimeout = 60000; // ms
const kStateTimeout = 30000; // ms
const kKeyHold = 400; // ms: several frames, as the game reads key state once a frame

// ---- Images ----

// Chromium's screenshots: 8-bit RGB or RGBA, not interlaced. Returns RGB rows
// from the top.
function decodePng(png) {
  let width = 0, height = 0, channels = 0;
  const idat = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const data = png.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      const [depth, colour, , , interlace] = data.subarray(8);
      if (depth !== 8 || interlace !== 0 || (colour !== 2 && colour !== 6))
        throw new Error(`unexpected PNG format: depth ${depth}, colour type ${colour}`);
      channels = colour === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      idat.push(data);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const out = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride), row = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? row[i - channels] : 0, b = previous[i], c = i >= channels ? previous[i - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = a;
      else if (filter === 2) predicted = b;
      else if (filter === 3) predicted = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[i] = (line[i] + predicted) & 255;
    }
    for (let x = 0; x < width; ++x) row.copy(out, (y * width + x) * 3, x * channels, x * channels + 3);
    [previous, row] = [row, previous];
  }
  return {width, height, pixels: out};
}

function rgbAt(image, x, y) {
  const i = (y * image.width + x) * 3;
  return {r: image.pixels[i] / 255, g: image.pixels[i + 1] / 255, b: image.pixels[i + 2] / 255};
}

// As the desktop end-to-end test counts them.
function countIn(image, x0, y0, x1, y1) {
  const c = {bright: 0, red: 0, lit: 0};
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x) {
      const i = (y * image.width + x) * 3;
      const [r, g, b] = [image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]];
      c.bright += r > 180 && g > 180 && b > 180;
      c.red += r > 140 && g < 70 && b < 50;
      c.lit += r > 60 && g > 60 && b > 60;
    }
  return c;
}

// Mean difference between neighbouring pixels of a band of rows.
function roughness(image, y0, y1) {
  let sum = 0;
  for (let y = y0; y < y1; ++y)
    for (let x = 0; x + 1 < image.width * 3 - 3; ++x) {
      const i = y * image.width * 3 + x;
      sum += Math.abs(image.pixels[i] - image.pixels[i + 3]);
    }
  return sum / ((y1 - y0) * image.width * 3);
}

// The nearest base colour by hue and saturation, ignoring brightness, which
// the lighting changes: the desktop pixel test's colour families.
const kFamilies = {
  floor: [0.6, 0.6, 0.6], wall: [0.58, 0.29, 0.06], head: [0, 0.6, 0.62], body: [0, 0.85, 0.62],
  food: [0.8, 0.14, 0.12],
};
function familyOf({r, g, b}) {
  const chroma = ([r, g, b]) => {
    const sum = r + g + b + 1e-6;
    return [r / sum, g / sum, b / sum];
  };
  const k = chroma([r, g, b]);
  let best = '', bestDistance = Infinity;
  for (const [name, base] of Object.entries(kFamilies)) {
    const c = chroma(base);
    const d = Math.hypot(k[0] - c[0], k[1] - c[1], k[2] - c[2]);
    if (d < bestDistance) [best, bestDistance] = [name, d];
  }
  return best;
}

// The canvas as the game drew it: a screenshot at the page's size and pixel
// density, sampled back to the drawing buffer's 800 x 600 (nearest pixel).
function toBuffer(image) {
  if (image.width === kW && image.height === kH) return image;
  const out = Buffer.alloc(kW * kH * 3);
  for (let y = 0; y < kH; ++y)
    for (let x = 0; x < kW; ++x) {
      const sx = Math.min(image.width - 1, Math.floor((x + 0.5) * image.width / kW));
      const sy = Math.min(image.height - 1, Math.floor((y + 0.5) * image.height / kH));
      image.pixels.copy(out, (y * kW + x) * 3, (sy * image.width + sx) * 3, (sy * image.width + sx) * 3 + 3);
    }
  return {width: kW, height: kH, pixels: out};
}

// ---- Screen states, judged as a player sees them ----
// The start prompt's light grey letters: brighter in every channel than the
// lit floor behind them, even where a scaled page has softened them.
function promptPixels(image) {
  let n = 0;
  for (let y = 305; y < 335; ++y)
    for (let x = 150; x < 650; ++x) {
      const i = (y * image.width + x) * 3;
      n += Math.min(image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]) > 160;
    }
  return n;
}
const isWaiting = (image) => promptPixels(image) > 80;
const isOver = (image) => countIn(image, 200, 270, 600, 350).red > 1000;
const titleShown = (image) => countIn(image, 20, 16, 260, 71).lit > 500;
const scoreShown = (image) => countIn(image, 700, 16, 780, 71).lit > 100;
// The snake's colours (teal, green) on the left and on the right of the board,
// away from the middle, where it starts.
function snakeSides(image) {
  const sides = {left: 0, right: 0};
  for (let y = 80; y < kH; ++y)
    for (let x = 0; x < kW; ++x) {
      const i = (y * kW + x) * 3;
      const [r, g, b] = [image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]];
      if (g > r + 60 && b > r + 40 && Math.abs(x - kW / 2) > 100) ++sides[x < kW / 2 ? 'left' : 'right'];
    }
  return sides;
}

// ---- The run ----

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

const kChromiumFlags = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                        '--disable-background-networking', '--disable-component-update', '--disable-sync',
                        '--no-first-run', '--disable-quic'];
const kDesktop = {viewport: {width: 800, height: 680}, deviceScaleFactor: 1}; // the canvas at 800 x 600
const kPhone = {viewport: {width: 390, height: 844}, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const kLandscape = {viewport: {width: 844, height: 390}, deviceScaleFactor: 3, isMobile: true, hasTouch: true};

let shotDir = '', keep = '';
function save(name, png) {
  fs.writeFileSync(path.join(shotDir, `${name}.png`), png);
  if (keep) fs.writeFileSync(path.join(keep, `${name}.png`), png);
}

// A page of the game in a context of its own. Any console error or warning,
// page error, failed request or HTTP error fails the run, unless `allowed`
// (regular expressions) names it: the failure scenarios expect theirs.
async function openGame(browser, url, options, allowed = []) {
  const context = await browser.newContext(options.context);
  const page = await context.newPage();
  const rates = [];
  const problems = [];
  const problem = (text) => {
    if (!allowed.some((a) => a.test(text))) problems.push(text);
  };
  page.on('console', (message) => {
    const text = message.text();
    if (message.type() === 'error' || message.type() === 'warning') problem(`console ${message.type()}: ${text}`);
    else if (/^\d+$/.test(text)) rates.push(Number(text));
    // The game's own failure lines go to standard output.
    else if (/Shader Error|^Error:/.test(text)) problem(`game: ${text}`);
  });
  page.on('pageerror', (error) => problem(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problem(`request failed: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problem(`HTTP ${response.status()}: ${response.url()}`);
  });
  if (options.route) await page.route(options.route.pattern, (route) => route.abort());

  const waitFor = async (what, timeout, done) => {
    const end = Date.now() + timeout;
    while (Date.now() < end) {
      if (problems.length) throw new Error(problems.join('\n'));
      if (await done()) return true;
      await page.waitForTimeout(100);
    }
    throw new Error(`timed out waiting for ${what}`);
  };
  const canvas = page.locator('canvas');
  const game = {
    context, page, rates, problems, waitFor,
    shot: async (name) => {
      const png = await canvas.screenshot();
      save(name, png);
      return toBuffer(decodePng(png));
    },
    pageShot: async (name) => save(name, await page.screenshot()),
    // Polls the canvas until `test` holds; the last screenshot is kept.
    waitForScreen: async (what, name, test) => {
      let image = null;
      await waitFor(what, kStateTimeout, async () => test(image = await game.shot(name)));
      return image;
    },
    hold: async (key) => {
      await page.keyboard.down(key);
      await page.waitForTimeout(kKeyHold);
      await page.keyboard.up(key);
    },
    box: async (selector) => page.locator(selector).boundingBox(),
    message: async () => page.evaluate(() => {
      const m = document.getElementById('message');
      return m.hidden ? '' : document.getElementById('message-text').textContent;
    }),
    // Two frame-rate lines: a second of frames has run since start-up.
    started: async () => waitFor('frame-rate lines on the console', kFirstFramesTimeout, () => rates.length >= 2),
    close: async () => {
      check(problems.length === 0, `no unexpected console errors or warnings${problems.length ? ': ' + problems.join('; ') : ''}`);
      await context.close();
    },
  };
  await page.goto(url);
  return game;
}

// The start screen against the desktop pixel tests' probes.
function checkStartScreen(image, probes, where) {
  for (const p of probes.probes) {
    const family = familyOf(rgbAt(image, p.x, p.y));
    check(family === p.family, `${where}: ${p.what} at (${p.x}, ${p.y}) looks like ${p.family}: ${family}`);
  }
  check(isWaiting(image), `${where}: start prompt`);
  check(titleShown(image), `${where}: title`);
  check(scoreShown(image), `${where}: score`);
}

// ---- The desktop window's game, its pacing, a lost context ----
async function desktop(browser, url, probes) {
  const game = await openGame(browser, url, {context: kDesktop});
  await game.started();
  check(game.rates.every((r) => r > 0), `frame-rate lines once a second: ${game.rates.join(', ')}`);

  // ---- The start screen ----
  const waiting = await game.shot('browser-waiting');
  check(waiting.width === kW && waiting.height === kH, `the canvas is ${kW} x ${kH}: ${waiting.width} x ${waiting.height}`);
  checkStartScreen(waiting, probes, 'desktop');
  const headAt = probes.probes.find((p) => p.what === 'head top');
  const bodyAt = probes.probes.find((p) => p.what === 'body segment top');
  check(rgbAt(waiting, headAt.x, headAt.y).g < rgbAt(waiting, bodyAt.x, bodyAt.y).g, 'the head is darker than the body');
  // The background outside the ring: the clear colour 0.1, within 3/255.
  const corner = rgbAt(waiting, 2, 2);
  check([corner.r, corner.g, corner.b].every((v) => Math.abs(v - 0.1) <= 3 / 255),
        `background (2, 2) is 0.1 grey within 3/255: ${[corner.r, corner.g, corner.b].map((v) => Math.round(v * 255))}`);
  const sharp = roughness(waiting, 400, 560);

  // ---- Left: the snake turns left along row 9 and runs into the edge ----
  await game.hold('ArrowLeft');
  const playing = await game.shot('browser-playing');
  check(promptPixels(playing) < 10, 'the start prompt is gone once Left is pressed');
  const over = await game.waitForScreen('"Game Over"', 'browser-game-over', isOver);
  console.log('ok   "Game Over"');
  const blurred = roughness(over, 400, 560);
  check(blurred < 0.7 * sharp, `the scene under it is blurred: roughness ${blurred.toFixed(2)} vs ${sharp.toFixed(2)}`);

  // ---- Space: a new game, at the start screen with score 0 ----
  await game.hold(' ');
  const again = await game.waitForScreen('the start screen again', 'browser-restarted', isWaiting);
  check(countIn(again, 200, 270, 600, 300).red < 10, '"Game Over" is gone');
  // Title and score 0 as at the start: the top band matches within 3/255.
  let topBandSame = true;
  for (let i = 0; i < kW * 75 * 3; ++i) topBandSame &&= Math.abs(waiting.pixels[i] - again.pixels[i]) <= 3;
  check(topBandSame, 'title and score 0 as at the start');

  // ---- Escape: ignored in a page, the game keeps running ----
  await game.hold('Escape');
  let seen = game.rates.length;
  await game.waitFor('frame-rate lines after Escape', kStateTimeout, () => game.rates.length >= seen + 2);
  console.log('ok   Escape leaves the game running');

  // ---- One game frame per frame shown ----
  // Frames shown: the page's animation frames, counted beside the game's.
  // Frames drawn: the game's own frame-rate lines over the same stretch.
  await game.page.evaluate(() => {
    window.framesShown = 0;
    const tick = () => {
      ++window.framesShown;
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  });
  seen = game.rates.length;
  await game.waitFor('a frame-rate line', kStateTimeout, () => game.rates.length > seen);
  const from = {line: game.rates.length, time: Date.now(), shown: await game.page.evaluate(() => window.framesShown)};
  await game.waitFor('five more frame-rate lines', kStateTimeout, () => game.rates.length >= from.line + 5);
  const to = {line: game.rates.length, time: Date.now(), shown: await game.page.evaluate(() => window.framesShown)};
  const drawn = game.rates.slice(from.line, to.line).reduce((a, b) => a + b, 0) / (to.line - from.line);
  const shown = (to.shown - from.shown) / ((to.time - from.time) / 1000);
  check(Math.abs(drawn - shown) <= 0.1 * shown,
        `frames drawn ${drawn.toFixed(1)} per second, frames shown ${shown.toFixed(1)}: within 10%`);

  // ---- A lost context: the page says so; restored, the game is back ----
  await game.page.evaluate(() => {
    window.loseContext = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
    window.loseContext.loseContext();
  });
  await game.waitFor('the lost-context message', kStateTimeout, async () => /context was lost/.test(await game.message()));
  check(await game.page.locator('#reload').isVisible(), 'a lost context offers Reload');
  await game.pageShot('browser-context-lost');
  seen = game.rates.length;
  await Promise.all([game.page.waitForNavigation({timeout: kStateTimeout}),
                     game.page.evaluate(() => window.loseContext.restoreContext())]);
  await game.waitFor('frame-rate lines after the restore', kFirstFramesTimeout, () => game.rates.length >= seen + 2);
  check(await game.message() === '', 'the message is gone once the context is back');
  checkStartScreen(await game.shot('browser-context-restored'), probes, 'after the restored context');
  await game.close();
  return game.rates;
}

// Touches as a finger makes them, through the browser's input pipeline.
async function touchscreen(page) {
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints: points});
  return {
    swipe: async (x, y, dx, dy) => {
      await touch('touchStart', [{x, y}]);
      for (let i = 1; i <= 4; ++i) await touch('touchMove', [{x: x + dx * i / 4, y: y + dy * i / 4}]);
      await touch('touchEnd', []);
    },
    tap: async (x, y) => {
      await touch('touchStart', [{x, y}]);
      await touch('touchEnd', []);
    },
  };
}

// The canvas keeps 4:3, is as large as the screen allows beside the help line,
// and lies wholly on it.
async function checkFit(game, where, viewport) {
  const c = await game.box('canvas');
  const help = await game.box('#bar');
  check(c.x >= 0 && c.y >= 0 && c.x + c.width <= viewport.width && c.y + c.height <= viewport.height,
        `${where}: the whole canvas is on the screen: ${c.width} x ${c.height} at (${c.x}, ${c.y})`);
  check(Math.abs(c.width * 3 - c.height * 4) < 4, `${where}: the canvas is 4:3`);
  const largest = Math.min(viewport.width, (viewport.height - help.height) * 4 / 3);
  check(c.width > largest - 5, `${where}: as wide as it can be: ${c.width} of ${largest.toFixed(0)}`);
  check(help.y >= c.y + c.height - 1 && help.y + help.height <= viewport.height + 1, `${where}: the help line is below it, on the screen`);
}

// ---- A phone held upright, by touch ----
async function phone(browser, url) {
  const game = await openGame(browser, url, {context: kPhone});
  await game.started();
  await checkFit(game, 'phone', kPhone.viewport);
  const c = await game.box('canvas');
  const mid = {x: c.x + c.width / 2, y: c.y + c.height / 2};
  const fingers = await touchscreen(game.page);

  const waiting = await game.waitForScreen('the start screen', 'browser-phone-waiting', isWaiting);
  check(titleShown(waiting) && scoreShown(waiting), 'phone: title and score');
  await game.pageShot('browser-phone');
  check(/swipe/.test(await game.page.locator('#help').textContent()), 'phone: the help says how to play by touch');

  // A swipe to the left is Left: the game starts and runs into the edge.
  await fingers.swipe(mid.x + 40, mid.y, -100, 10);
  const over = await game.waitForScreen('"Game Over" after a swipe', 'browser-phone-game-over', isOver);
  const firstSides = snakeSides(over);
  check(firstSides.left > firstSides.right, `phone: the swiped game ended on the left: ${JSON.stringify(firstSides)}`);
  // Two gestures in quick succession both act, in order: a tap (Space, a new
  // game) and a swipe to the right (Right starts it) leave the snake on the
  // right. A lost tap would leave the old game over, a lost swipe or one taken
  // first (on the old game) the start screen.
  await fingers.tap(mid.x, mid.y);
  await fingers.swipe(mid.x - 40, mid.y, 100, -10);
  const right = await game.waitForScreen('"Game Over" after a tap and a swipe right', 'browser-phone-burst',
                                         (i) => isOver(i) && snakeSides(i).right > snakeSides(i).left);
  console.log(`ok   phone: a tap and a swipe right in quick succession both acted: ${JSON.stringify(snakeSides(right))}`);
  // A tap alone is Space: a new game.
  await fingers.tap(mid.x, mid.y);
  await game.waitForScreen('the start screen after a tap', 'browser-phone-restarted', isWaiting);
  console.log('ok   phone: a tap starts a new game');

  const view = await game.page.evaluate(() => ({x: scrollX, y: scrollY, scale: visualViewport.scale,
                                                 top: visualViewport.offsetTop, left: visualViewport.offsetLeft}));
  check(view.x === 0 && view.y === 0 && view.scale === 1 && view.top === 0 && view.left === 0,
        `phone: the page did not scroll or zoom: ${JSON.stringify(view)}`);
  await game.close();
}

// ---- A phone on its side ----
async function landscape(browser, url) {
  const game = await openGame(browser, url, {context: kLandscape});
  await game.started();
  await checkFit(game, 'landscape', kLandscape.viewport);
  const waiting = await game.waitForScreen('the start screen', 'browser-landscape-canvas', isWaiting);
  check(titleShown(waiting) && scoreShown(waiting), 'landscape: title and score');
  await game.pageShot('browser-landscape');
  await game.close();
}

// ---- Failed downloads: a message on the page ----
async function downloads(browser, url) {
  for (const file of ['coilrun.js', 'coilrun.wasm', 'coilrun.data']) {
    // Blocked service workers: the route must see every request.
    const game = await openGame(browser, url,
                                {context: {...kDesktop, serviceWorkers: 'block'}, route: {pattern: `**/${file}`}},
                                [/./]);
    await game.waitFor(`the message for a failed ${file}`, kFirstFramesTimeout,
                       async () => /could not load/.test(await game.message()));
    check(await game.page.locator('#reload').isVisible(), `a failed ${file}: the page says so and offers Reload`);
    if (file === 'coilrun.data') await game.pageShot('browser-download-failed');
    await game.context.close();
  }
}

// ---- After one visit, the game plays with the server gone ----
async function offline(browser, buildDir, probes) {
  const server = await serve(buildDir, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const game = await openGame(browser, url, {context: kDesktop},
                              // The browser's check for a newer service worker finds no server.
                              [/Failed to update a ServiceWorker|An unknown error occurred when fetching the script/]);
  await game.started();
  await game.page.evaluate(() => navigator.serviceWorker.ready);
  await game.waitFor('the service worker in control', kStateTimeout,
                     () => game.page.evaluate(() => navigator.serviceWorker.controller !== null));
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  const gone = await fetch(url).then(() => false, () => true);
  check(gone, 'the server is gone');
  const cdp = await game.context.newCDPSession(game.page);
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', {cacheDisabled: true});

  const seen = game.rates.length;
  await game.page.reload();
  await game.waitFor('frame-rate lines offline', kFirstFramesTimeout, () => game.rates.length >= seen + 2);
  checkStartScreen(await game.shot('browser-offline'), probes, 'offline');
  await game.hold('ArrowLeft');
  await game.waitForScreen('"Game Over" offline', 'browser-offline-game-over', isOver);
  console.log('ok   offline: the reloaded game plays into Game Over');
  await game.close();
}

// ---- No WebGL 2: the page says so ----
async function noWebGl2(url) {
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true,
                                         args: [...kChromiumFlags, '--disable-webgl2']});
  try {
    // The game's line on standard error, and the empty one before it that
    // ends any description GLFW wrote.
    const game = await openGame(browser, url, {context: kDesktop},
                                [/cannot give the page a WebGL 2 context/, /^console error: $/]);
    await game.waitFor('the no-WebGL-2 message', kFirstFramesTimeout, async () => /needs WebGL 2/.test(await game.message()));
    await game.pageShot('browser-no-webgl2');
    console.log(`ok   without WebGL 2 the page says: ${await game.message()}`);
    await game.close();
  } finally {
    await browser.close();
  }
}

async function main() {
  const [buildDir, probeTool] = process.argv.slice(2);
  if (!buildDir || !probeTool) throw new Error('usage: browser-test.js BUILD_DIR PROBE_POINTS_JS');
  keep = process.env.COILRUN_SCREENSHOTS || '';
  shotDir = path.join(buildDir, 'browser-test');
  fs.mkdirSync(shotDir, {recursive: true});

  const probes = JSON.parse(execFileSync(process.execPath, [probeTool], {encoding: 'utf8'}));
  console.log(`first food under the browser's C runtime: (${probes.food.join(', ')})`);

  const server = await serve(buildDir, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  // playwright gives it a fresh temporary --user-data-dir
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true, args: kChromiumFlags});
  try {
    const rates = await desktop(browser, url, probes);
    await phone(browser, url);
    await landscape(browser, url);
    await downloads(browser, url);
    await offline(browser, buildDir, probes);
    const sorted = [...rates].sort((a, b) => a - b);
    console.log(`frame rate in headless Chromium: median ${sorted[sorted.length >> 1]} fps (${rates.join(' ')}) on ${
        os.cpus()[0].model}`);
  } finally {
    await browser.close();
  }
  try {
    await noWebGl2(url);
  } finally {
    server.close();
  }
}

main().then(
    () => {
      if (failures.length) {
        console.log(`${failures.length} check(s) failed`);
        process.exit(1);
      }
      console.log('browser test passed');
    },
    (error) => {
      console.log(`FAIL ${error.message}`);
      process.exit(1);
    });
