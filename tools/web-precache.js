// Writes the web build's service worker, DIR/sw.js, with workbox: it
// precaches the page, the game's script, WebAssembly and data, the manifest
// and the icons, each under the hash of its contents, so that after one visit
// the game starts without the network, and a rebuilt file replaces the old
// one on the next visit (the worker's own text changes with the hashes, so
// the browser installs the new one and drops the old cache).
// usage: node tools/web-precache.js DIR   (workbox-build on NODE_PATH)
'use strict';
const path = require('path');
const {generateSW} = require('workbox-build');

const [dir] = process.argv.slice(2);
if (!dir) {
  console.error('usage: node tools/web-precache.js DIR');
  process.exit(2);
}
// One pattern a file: workbox warns about a pattern that matches nothing, and
// a warning fails the build, so a file missing from the build cannot go
// unnoticed.
const kFiles = ['index.html', 'coilrun.js', 'coilrun.wasm', 'coilrun.data', 'manifest.webmanifest', 'icons/*.png'];

generateSW({
  globDirectory: dir,
  globPatterns: kFiles,
  swDest: path.join(dir, 'sw.js'),
  cacheId: 'coilrun',
  mode: 'production',
  inlineWorkboxRuntime: true, // one file, nothing fetched from elsewhere
  sourcemap: false,
  // A new worker takes over at once and clears the old precache; the page
  // that installed it keeps the files it already runs.
  skipWaiting: true,
  clientsClaim: true,
  cleanupOutdatedCaches: true,
}).then(({count, size, warnings}) => {
  for (const w of warnings) console.error(`web-precache: ${w}`);
  if (warnings.length) process.exit(1);
  console.log(`sw.js: ${count} files, ${size} bytes precached`);
}, (error) => {
  console.error(`web-precache: ${error.message}`);
  process.exit(1);
});
