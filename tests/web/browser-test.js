// The web build in Debian's Chromium, headless with software WebGL 2, played
// as a player would: the start screen's scene and texts, Left into a game
// over with its blurred scene, Space back to the start screen with score 0.
// Judged from screenshots of the canvas with the desktop pixel tests' probes.
// Any console error or warning, page error or failed request fails it.
//
// usage: node tests/web/browser-test.js BUILD_DIR PROBE_POINTS_JS
//   with playwright-core on NODE_PATH (tools/web.sh installs it in BUILD_DIR).
//   COILRUN_SCREENSHOTS=DIR keeps the screenshots there as well.
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

// ---- The run ----

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

async function main() {
  const [buildDir, probeTool] = process.argv.slice(2);
  if (!buildDir || !probeTool) throw new Error('usage: browser-test.js BUILD_DIR PROBE_POINTS_JS');
  const keep = process.env.COILRUN_SCREENSHOTS;
  const shotDir = path.join(buildDir, 'browser-test');
  fs.mkdirSync(shotDir, {recursive: true});

  const probes = JSON.parse(execFileSync(process.execPath, [probeTool], {encoding: 'utf8'}));
  console.log(`first food under the browser's C runtime: (${probes.food.join(', ')})`);

  const server = await serve(buildDir, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true, // playwright gives it a fresh temporary --user-data-dir
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run', '--disable-quic'],
  });
  try {
    const page = await browser.newPage({viewport: {width: 840, height: 700}, deviceScaleFactor: 1});
    const rates = [];
    const problems = [];
    page.on('console', (message) => {
      const text = message.text();
      if (message.type() === 'error' || message.type() === 'warning') problems.push(`console ${message.type()}: ${text}`);
      else if (/^\d+$/.test(text)) rates.push(Number(text));
      // The game's own failure lines go to standard output.
      else if (/Shader Error|^Error:/.test(text)) problems.push(`game: ${text}`);
    });
    page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
    page.on('response', (response) => {
      if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
    });

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
    const shot = async (name) => {
      const png = await canvas.screenshot();
      fs.writeFileSync(path.join(shotDir, `${name}.png`), png);
      if (keep) fs.writeFileSync(path.join(keep, `${name}.png`), png);
      return decodePng(png);
    };
    const hold = async (key) => {
      await page.keyboard.down(key);
      await page.waitForTimeout(kKeyHold);
      await page.keyboard.up(key);
    };
    const promptBand = (image) => countIn(image, 150, 305, 650, 335);

    await page.goto(url);
    // Two frame-rate lines: a second of frames has run since start-up.
    await waitFor('frame-rate lines on the console', kFirstFramesTimeout, () => rates.length >= 2);
    check(rates.every((r) => r > 0), `frame-rate lines once a second: ${rates.join(', ')}`);

    // ---- The start screen ----
    const waiting = await shot('browser-waiting');
    check(waiting.width === kW && waiting.height === kH, `the canvas is ${kW} x ${kH}: ${waiting.width} x ${waiting.height}`);
    for (const p of probes.probes) {
      const family = familyOf(rgbAt(waiting, p.x, p.y));
      check(family === p.family, `${p.what} at (${p.x}, ${p.y}) looks like ${p.family}: ${family}`);
    }
    const headAt = probes.probes.find((p) => p.what === 'head top');
    const bodyAt = probes.probes.find((p) => p.what === 'body segment top');
    check(rgbAt(waiting, headAt.x, headAt.y).g < rgbAt(waiting, bodyAt.x, bodyAt.y).g, 'the head is darker than the body');
    // The background outside the ring: the clear colour 0.1, within 3/255.
    const corner = rgbAt(waiting, 2, 2);
    check([corner.r, corner.g, corner.b].every((v) => Math.abs(v - 0.1) <= 3 / 255),
          `background (2, 2) is 0.1 grey within 3/255: ${[corner.r, corner.g, corner.b].map((v) => Math.round(v * 255))}`);
    check(promptBand(waiting).bright > 150, 'start prompt');
    check(countIn(waiting, 20, 16, 260, 71).lit > 500, 'title');
    check(countIn(waiting, 700, 16, 780, 71).lit > 100, 'score');
    const sharp = roughness(waiting, 400, 560);

    // ---- Left: the snake turns left along row 9 and runs into the edge ----
    await hold('ArrowLeft');
    const playing = await shot('browser-playing');
    check(promptBand(playing).bright < 10, 'the start prompt is gone once Left is pressed');
    let over = null;
    await waitFor('"Game Over"', kStateTimeout, async () => {
      over = await shot('browser-game-over');
      return countIn(over, 200, 270, 600, 350).red > 1000;
    });
    console.log('ok   "Game Over"');
    const blurred = roughness(over, 400, 560);
    check(blurred < 0.7 * sharp, `the scene under it is blurred: roughness ${blurred.toFixed(2)} vs ${sharp.toFixed(2)}`);

    // ---- Space: a new game, at the start screen with score 0 ----
    await hold(' ');
    let again = null;
    await waitFor('the start screen again', kStateTimeout, async () => {
      again = await shot('browser-restarted');
      return promptBand(again).bright > 150;
    });
    check(countIn(again, 200, 270, 600, 300).red < 10, '"Game Over" is gone');
    // Title and score 0 as at the start: the top band matches within 3/255.
    let topBandSame = true;
    for (let i = 0; i < kW * 75 * 3; ++i) topBandSame &&= Math.abs(waiting.pixels[i] - again.pixels[i]) <= 3;
    check(topBandSame, 'title and score 0 as at the start');

    // ---- Escape: ignored in a page, the game keeps running ----
    await hold('Escape');
    const seen = rates.length;
    await waitFor('frame-rate lines after Escape', kStateTimeout, () => rates.length >= seen + 2);
    console.log('ok   Escape leaves the game running');

    check(problems.length === 0, `no console errors or warnings${problems.length ? ': ' + problems.join('; ') : ''}`);
    const sorted = [...rates].sort((a, b) => a - b);
    console.log(`frame rate in headless Chromium: median ${sorted[sorted.length >> 1]} fps (${rates.join(' ')}) on ${
        os.cpus()[0].model}`);
  } finally {
    await browser.close();
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
