// A small static file server for the web build, on 127.0.0.1 only. Used by
// `tools/web.sh serve` and by the browser test.
// usage: node tools/web-server.js DIR [PORT]   (PORT 0 picks a free one)
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

// A page cannot stream-compile its .wasm without the right type.
const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

// Resolves with the listening server; its address is server.address().
function serve(root, port) {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    let file = path.join(base, decodeURIComponent(url.pathname));
    if (file !== base && !file.startsWith(base + path.sep)) file = base; // no way out of the folder
    if (url.pathname.endsWith('/')) file = path.join(file, 'index.html');
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404, {'Content-Type': 'text/plain'});
        response.end('not found\n');
        return;
      }
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
