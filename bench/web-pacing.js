// Frames drawn against frames shown in headless Chromium, for two web builds
// measured in turn in one browser: the game's own frame-rate lines (frames
// drawn) and the page's animation frames (frames shown), over the same
// stretch of the start screen.
//
// usage: node bench/web-pacing.js BEFORE_DIR AFTER_DIR ROUNDS SECONDS CHROMIUM_FLAG...
//   with playwright-core on NODE_PATH; bench/web-pacing.sh runs it.
'use strict';
const os = require('os');
const {chromium} = require('playwright-core');
const {serve} = require('../tools/web-server.js');

async function measure(browser, url, seconds) {
  const page = await browser.newPage({viewport: {width: 800, height: 680}, deviceScaleFactor: 1});
  const rates = [];
  page.on('console', (m) => {
    if (/^\d+$/.test(m.text())) rates.push({rate: Number(m.text()), at: Date.now()});
  });
  // Counted from the start, beside whatever the page itself does.
  await page.addInitScript(() => {
    window.framesShown = 0;
    const tick = () => {
      ++window.framesShown;
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  });
  await page.goto(url);
  const end = Date.now() + 60000;
  while (rates.length < 3 && Date.now() < end) await page.waitForTimeout(100); // past start-up
  if (rates.length < 3) throw new Error(`no frame-rate lines from ${url}`);
  const from = {line: rates.length, time: Date.now(), shown: await page.evaluate(() => window.framesShown)};
  await page.waitForTimeout(seconds * 1000);
  const to = {line: rates.length, time: Date.now(), shown: await page.evaluate(() => window.framesShown)};
  const lines = rates.slice(from.line, to.line).map((r) => r.rate);
  const renderer = await page.evaluate(() => {
    const gl = document.createElement('canvas').getContext('webgl2');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : '?';
  });
  await page.close();
  return {
    drawn: lines.reduce((a, b) => a + b, 0) / lines.length,
    shown: (to.shown - from.shown) / ((to.time - from.time) / 1000),
    renderer,
  };
}

const median = (v) => {
  const s = [...v].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

async function main() {
  const [beforeDir, afterDir, rounds, seconds, ...flags] = process.argv.slice(2);
  const servers = {before: await serve(beforeDir, 0), after: await serve(afterDir, 0)};
  const url = (name) => `http://127.0.0.1:${servers[name].address().port}/`;
  const browser = await chromium.launch({executablePath: '/usr/bin/chromium', headless: true, args: flags});
  const results = {before: [], after: []};
  let renderer = '';
  try {
    for (let r = 0; r < Number(rounds); ++r)
      for (const name of ['before', 'after']) {
        const m = await measure(browser, url(name), Number(seconds));
        renderer = m.renderer;
        results[name].push(m);
        console.log(`round ${r + 1} ${name}: drawn ${m.drawn.toFixed(1)} fps, shown ${m.shown.toFixed(1)} fps`);
      }
    console.log(`cpu: ${os.cpus()[0].model}, ${os.cpus().length} cores; Chromium ${browser.version()}; ${renderer}`);
    console.log(`flags: ${flags.join(' ')}`);
    console.log(`medians over ${rounds} rounds of ${seconds} s on the start screen:`);
    console.log('build    drawn fps  shown fps  drawn/shown');
    for (const name of ['before', 'after']) {
      const drawn = median(results[name].map((m) => m.drawn)), shown = median(results[name].map((m) => m.shown));
      console.log(`${name.padEnd(8)} ${drawn.toFixed(1).padStart(9)} ${shown.toFixed(1).padStart(10)} ${
          (drawn / shown).toFixed(2).padStart(12)}`);
    }
  } finally {
    await browser.close();
    for (const s of Object.values(servers)) s.close();
  }
}

main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
