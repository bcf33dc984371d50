// A small static file server for the web build, on 127.0.0.1 only. Used by
// `tools/web.sh serve` and by the browser test.
// usage: node tools/web-server.js DIR [PORT]   (PORT 0 picks a free one)
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

// A page cannot stream-compile its .wasm without the right type, a browser
// registers a service worker only from a JavaScript type, and the manifest has
// its own.
const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
};

function answer(response, status, text) {
  response.writeHead(status, {'Content-Type': 'text/plain; charset=utf-8'});
  response.end(`${text}\n`);
}

// The file a request names under base, or null for a request that names none
// (a malformed address, a NUL, a way out of the folder).
function fileFor(base, requestUrl) {
  let name;
  try {
    name = decodeURIComponent(new URL(requestUrl, 'http://127.0.0.1').pathname);
  } catch {
    return null; // URIError or TypeError: not a file name
  }
  if (name.includes('\0')) return null;
  const file = path.join(base, name);
  if (file !== base && !file.startsWith(base + path.sep)) return null;
  return name.endsWith('/') ? path.join(file, 'index.html') : file;
}

// Resolves with the listening server; its address is server.address().
function serve(root, port) {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') return answer(response, 405, 'method not allowed');
    const file = fileFor(base, request.url);
    if (!file) return answer(response, 400, 'bad request');
    fs.readFile(file, (error, body) => {
      if (error) return answer(response, 404, 'not found');
      response.writeHead(200, {
        'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
        // A rebuilt game shows on the next reload.
        'Cache-Control': 'no-cache',
      });
      response.end(body);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

module.exports = {serve};

if (require.main === module) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node tools/web-server.js DIR [PORT]');
    process.exit(2);
  }
  serve(root, Number(port)).then(
      (server) => console.log(`Coilrun: http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`),
      (error) => {
        console.error(`Coilrun: cannot serve on 127.0.0.1:${port}: ${error.message}`);
        process.exit(1);
      });
}
