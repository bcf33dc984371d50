// tools/web-server.js as `tools/web.sh serve` runs it: malformed requests get
// an error status and the server goes on serving; the game's files come with
// the types a browser needs; it listens on 127.0.0.1 only.
//
// usage: node tests/web/server-test.js BUILD_DIR
'use strict';
const {spawn} = require('child_process');
const http = require('http');
const os = require('os');
const path = require('path');

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

function request(port, method, target) {
  return new Promise((resolve, reject) => {
    const r = http.request({host: '127.0.0.1', port, method, path: target}, (response) => {
      response.resume();
      response.on('end', () => resolve({status: response.statusCode, type: response.headers['content-type']}));
    });
    r.on('error', reject);
    r.end();
  });
}

// Requests a browser, a crawler or a mistyped address may send.
const kBad = [
  {what: 'a truncated percent escape', method: 'GET', target: '/%E0%A4%A', status: 400},
  {what: 'an escape that is no UTF-8', method: 'GET', target: '/%FF', status: 400},
  {what: 'a NUL in the name', method: 'GET', target: '/index.html%00.png', status: 400},
  {what: 'an escaped way out of the folder', method: 'GET', target: '/..%2f..%2f..%2fetc%2fpasswd', status: 400},
  {what: 'a file that is not there', method: 'GET', target: '/nothing-here.js', status: 404},
  {what: 'a folder without its slash', method: 'GET', target: '/icons', status: 404},
  {what: 'a POST', method: 'POST', target: '/', status: 405},
];
const kGood = [
  {target: '/', type: 'text/html; charset=utf-8'},
  {target: '/coilrun.js', type: 'text/javascript'},
  {target: '/coilrun.wasm', type: 'application/wasm'},
  {target: '/coilrun.data', type: 'application/octet-stream'},
  {target: '/sw.js', type: 'text/javascript'},
  {target: '/manifest.webmanifest', type: 'application/manifest+json'},
  {target: '/icons/coilrun-256.png', type: 'image/png'},
];

async function main() {
  const [buildDir] = process.argv.slice(2);
  if (!buildDir) throw new Error('usage: server-test.js BUILD_DIR');
  const server = spawn(process.execPath, [path.join(__dirname, '../../tools/web-server.js'), buildDir, '0'],
                       {stdio: ['ignore', 'pipe', 'inherit']});
  try {
    const port = await new Promise((resolve, reject) => {
      let out = '';
      server.stdout.on('data', (chunk) => {
        out += chunk;
        const m = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(out);
        if (m) resolve(Number(m[1]));
      });
      server.on('exit', (code) => reject(new Error(`the server exited (${code}) before it listened`)));
    });
    for (const c of kBad) {
      const {status} = await request(port, c.method, c.target);
      check(status === c.status, `${c.what} (${c.method} ${c.target}): ${c.status}: ${status}`);
    }
    check(server.exitCode === null, 'the server is still running');
    for (const c of kGood) {
      const {status, type} = await request(port, 'GET', c.target);
      check(status === 200 && type === c.type, `GET ${c.target}: 200 ${c.type}: ${status} ${type}`);
    }
    // Not on the machine's other addresses.
    const others = Object.values(os.networkInterfaces()).flat().filter((a) => a.family === 'IPv4' && !a.internal);
    for (const a of others) {
      const reached = await new Promise((resolve) => {
        const r = http.request({host: a.address, port, path: '/'}, () => resolve(true));
        r.on('error', () => resolve(false));
        r.end();
      });
      check(!reached, `not served on ${a.address}`);
    }
  } finally {
    server.kill();
  }
}

main().then(
    () => {
      if (failures.length) {
        console.log(`${failures.length} check(s) failed`);
        process.exit(1);
      }
      console.log('server test passed');
    },
    (error) => {
      console.log(`FAIL ${error.message}`);
      process.exit(1);
    });
