// What the page's tests share: headless Chromium (Debian's, started by playwright-core), the
// page opened from the disk, the project's tool, and a stand-in for Web Serial that carries the
// page's bytes to the tool's simulated transceiver on its pseudo-terminal.
import { execFileSync, spawn } from 'node:child_process';
import { constants, mkdtempSync, openSync, closeSync, readSync, writeSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { isDeepStrictEqual } from 'node:util';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { createServer } from 'node:http';

// Playwright is the page's own tool, pinned by its lock file.
const { chromium } = createRequire(new URL('../../web/page/package.json', import.meta.url))('playwright-core');

export const dist = process.env.PWR_WEB_DIST;
export const tool = process.env.PWR_CLI;

// The browser's sound output keeps its runtime files in a folder of its own, gone with the browser.
export async function launch() {
  const runtime = mkdtempSync(join(tmpdir(), 'pwr-browser-'));
  const browser = await chromium.launch({ executablePath: process.env.PWR_CHROMIUM || '/usr/bin/chromium',
                                          args: ['--no-sandbox'], env: { ...process.env, XDG_RUNTIME_DIR: runtime } });
  const close = browser.close.bind(browser);
  browser.close = async () => { await close(); rmSync(runtime, { recursive: true, force: true }); };
  return browser;
}

// The single file from the disk, with no network at all (unless `offline` is false); `query` e.g.
// "?simulate", `init` a script to run before the page's own. Without the File System Access
// API, as in a browser that lacks it, Open takes a file input and Save a download.
export async function openPage(browser, { query = '', locale = 'en-US', serial, offline = true, init } = {}) {
  const context = await browser.newContext({ locale, acceptDownloads: true, offline });
  const page = await context.newPage();
  page.on('pageerror', e => { throw e; });
  await page.addInitScript(() => {
    delete window.showOpenFilePicker;
    delete window.showSaveFilePicker;
  });
  if (init)
    await page.addInitScript(init);
  if (serial)
    await serial.install(page);
  await page.goto(pathToFileURL(join(dist, 'pwr455.html')).href + query);
  await page.waitForSelector('body[data-ready=true]');
  return page;
}

// Waits until `read()` gives `expected`: the page draws after the events a click queues. Fails
// with the last value read when it never does.
export async function until(read, expected) {
  let last;
  for (const end = Date.now() + 15000; Date.now() < end;) {
    last = await read();
    if (isDeepStrictEqual(last, expected))
      return;
    await new Promise(resolve => setTimeout(resolve, 10));
  }
  assert.deepEqual(last, expected);
}

export async function menu(page, top, item) {
  await page.getByRole('menuitem', { name: top, exact: true }).click();
  await page.getByRole('menuitem', { name: item, exact: true }).click();
}

// Rows of the channel list as the page shows them, cells trimmed.
export async function rows(page) {
  return page.$$eval('#channels [role=row]', lines => lines.slice(1).map(
    l => [...l.querySelectorAll('[role=gridcell]')].map(c => c.textContent.trim())));
}

// Waits until the clone command has ended, its result told.
export async function cloneDone(page) {
  await page.waitForFunction(() => !document.body.dataset.cloning);
}

export function scratch() {
  const dir = mkdtempSync(join(tmpdir(), 'pwr-web-'));
  return { dir, path: name => join(dir, name), remove: () => rmSync(dir, { recursive: true, force: true }) };
}

export function cli(...args) {
  return execFileSync(tool, args, { encoding: 'utf8', env: { ...process.env, LC_ALL: 'C.UTF-8', LANGUAGE: '' } });
}

// The tool's simulated transceiver on a pseudo-terminal, reached from the page through a
// navigator.serial of the test's own: one port, USB ids of an FTDI cable, whose open, close and
// streams behave as Chrome's do (a second open or a close with a stream locked is refused, bytes
// not yet read are dropped at close). `faults` and `options` go to the simulator; `at` does one
// thing once, when `at.bytes` bytes have reached the page: 'cancel' presses the progress window's
// Cancel, 'pull' loses the port as a pulled USB cable does, 'framing' errs the stream as a
// framing error does; `openError` names the error of the
// first open. window.__port.log counts opens, closes and refused closes. The bytes go through
// DevTools, or with `transport: 'http'` through the browser's network service to a server of the
// test's own on the loopback (a page that is not offline), as a real port's go through the
// browser's process: DevTools' own work would be counted with the page's.
export async function simulatedCable({ faults = [], options = [], at = null, openError = null, transport = 'devtools' } = {}) {
  const sim = spawn(tool, ['simulate', ...options, ...faults.flatMap(f => ['--fault', f])],
                    { stdio: ['ignore', 'pipe', 'inherit'] });
  const device = await new Promise((resolve, reject) => {
    sim.stdout.once('data', d => resolve(String(d).split('\n')[0].trim()));
    sim.once('exit', () => reject(new Error('the simulator ended')));
  });
  // The program's end of the line is raw, as the serial code makes a real port.
  execFileSync('stty', ['-F', device, 'raw', '-echo']);
  let fd = -1;
  let input = [];
  let poller = null;
  let reader = null; // hands the bytes that came in, none once the port has closed
  const hand = () => {
    if (reader && (input.length || fd < 0)) {
      reader(input);
      input = [];
      if (transport !== 'http' || fd < 0)
        reader = null;
    }
  };
  const line = {
    open() {
      fd = openSync(device, constants.O_RDWR | constants.O_NOCTTY | constants.O_NONBLOCK);
      execFileSync('stty', ['-F', device, 'raw', '-echo']);
      input = [];
      poller = setInterval(() => {
        const buffer = Buffer.alloc(4096);
        try {
          for (;;) {
            const n = readSync(fd, buffer, 0, buffer.length, null);
            if (n <= 0) break;
            input.push(...buffer.subarray(0, n));
          }
        } catch { /* nothing waiting */ }
        hand();
      }, 16); // as often as an FTDI cable hands on what it has (its latency timer)
      return true;
    },
    write(bytes) { writeSync(fd, Buffer.from(bytes)); },
    close() {
      clearInterval(poller);
      if (fd >= 0) closeSync(fd);
      fd = -1;
      hand();
    },
  };
  const server = transport === 'http'
    ? await lineServer(line, handler => { reader = handler; }, (...request) => cable.otherRequests?.(...request))
    : null;
  const base = server && `http://127.0.0.1:${server.address().port}`;
  const cable = {
    device,
    pid: sim.pid,
    async install(page) {
      if (server) {
        await page.addInitScript(httpLine, base);
      } else {
        await page.exposeFunction('__cableOpen', line.open);
        await page.exposeFunction('__cableWrite', line.write);
        await page.exposeFunction('__cableRead', () => new Promise(resolve => { reader = resolve; hand(); }));
        await page.exposeFunction('__cableClose', line.close);
      }
      await page.addInitScript(standInPort, [at, openError]);
    },
    // For a page opened without DevTools (`transport: 'http'`): the server's address, the
    // script that gives the page the port, and a hook for the server's other requests,
    // (request, response, body) => handled.
    base,
    pageScript: () => `(${httpLine})(${JSON.stringify(base)}); (${standInPort})([null, null]);`,
    otherRequests: null,
    stop() {
      clearInterval(poller);
      if (fd >= 0) closeSync(fd);
      server?.close();
      sim.kill('SIGTERM');
    },
  };
  return cable;
}

// The stand-in port in the page, before the page's own scripts run.
function standInPort([at, openError]) {
  const log = { opens: 0, closes: 0, refused: 0 };
  let lost = false;
  const port = {
    readable: null, writable: null, log,
    getInfo: () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 }),
    async open() {
      if (openError) {
        const name = openError;
        openError = null;
        throw new DOMException('Failed to open serial port.', name);
      }
      if (this.readable || lost)
        throw new DOMException('The port is already open.', 'InvalidStateError');
      await window.__cableOpen();
      log.opens++;
      let closed = false;
      let passed = 0;
      let failWriting = null;
      let carried = null;
      const readable = () => new ReadableStream({
        async pull(controller) {
          const bytes = carried ?? await window.__cableRead();
          carried = null;
          if (closed)
            return;
          if (!bytes.length)
            return controller.close();
          if (at && passed + bytes.length >= at.bytes) {
            const then = at.then;
            at = null;
            if (then === 'cancel') {
              document.getElementById('progress-cancel').click();
            } else if (then === 'pull') {
              const e = new DOMException('The device has been lost.', 'NetworkError');
              lost = true;
              port.readable = port.writable = null;
              failWriting(e);
              return controller.error(e);
            } else { // a framing error that costs no byte: the next stream has them
              carried = bytes;
              port.readable = readable();
              return controller.error(new DOMException('Framing error.', 'FramingError'));
            }
          }
          passed += bytes.length;
          controller.enqueue(new Uint8Array(bytes));
        },
        cancel() { closed = true; },
      });
      this.readable = readable();
      this.writable = new WritableStream({
        start: controller => { failWriting = e => controller.error(e); },
        write: chunk => window.__cableWrite([...chunk]),
      });
    },
    async close() {
      if (this.readable?.locked || this.writable?.locked) {
        log.refused++;
        throw new TypeError('Failed to execute \'close\' on \'SerialPort\': Cannot cancel a locked stream');
      }
      this.readable = null;
      this.writable = null;
      await window.__cableClose();
      log.closes++;
    },
    async setSignals() {},
  };
  window.__port = port;
  Object.defineProperty(navigator, 'serial', { value: {
    getPorts: async () => [...(window.__otherPorts ?? []), ...(lost ? [] : [port])],
    requestPort: async () => port } });
}

// The line's server for `transport: 'http'`: POST /open, /write (the bytes as the body) and
// /close; GET /read answers with the bytes as they come, and ends when the port closes.
async function lineServer(line, setReader, other) {
  const server = createServer((request, response) => {
    response.setHeader('Access-Control-Allow-Origin', '*');
    const body = [];
    request.on('data', chunk => body.push(chunk));
    request.on('end', () => {
      if (request.url === '/read') {
        response.writeHead(200, { 'Content-Type': 'application/octet-stream' });
        response.flushHeaders();
        setReader(bytes => bytes.length ? response.write(Buffer.from(bytes)) : response.end());
        return;
      }
      if (other(request, response, Buffer.concat(body)))
        return;
      if (request.url === '/open')
        line.open();
      else if (request.url === '/write')
        line.write(Buffer.concat(body));
      else if (request.url === '/close')
        line.close();
      response.end();
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return server;
}

// The page's side of that server, in place of the DevTools functions.
function httpLine(base) {
  let stream = null;
  const post = (path, body) => fetch(base + path, { method: 'POST', body, headers: { 'Content-Type': 'text/plain' } });
  window.__cableOpen = async () => {
    await post('/open');
    stream = (await fetch(base + '/read')).body.getReader();
    return true;
  };
  window.__cableWrite = bytes => post('/write', new Uint8Array(bytes));
  window.__cableRead = async () => {
    const { value, done } = await stream.read();
    return done ? [] : value;
  };
  window.__cableClose = () => post('/close');
}
