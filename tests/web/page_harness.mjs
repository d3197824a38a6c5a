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

// The single file from the disk (with no network at all when `offline`); `query` e.g.
// "?simulate". Without the File System Access API,
// as in a browser that lacks it, Open takes a file input and Save a download.
export async function openPage(browser, { query = '', locale = 'en-US', serial, offline = false } = {}) {
  const context = await browser.newContext({ locale, acceptDownloads: true, offline });
  const page = await context.newPage();
  page.on('pageerror', e => { throw e; });
  await page.addInitScript(() => {
    delete window.showOpenFilePicker;
    delete window.showSaveFilePicker;
  });
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
// navigator.serial of the test's own: one port, USB ids of an FTDI cable.
export async function simulatedCable(...faults) {
  const sim = spawn(tool, ['simulate', ...faults.flatMap(f => ['--fault', f])], { stdio: ['ignore', 'pipe', 'inherit'] });
  const device = await new Promise((resolve, reject) => {
    sim.stdout.once('data', d => resolve(String(d).split('\n')[0].trim()));
    sim.once('exit', () => reject(new Error('the simulator ended')));
  });
  // The program's end of the line is raw, as the serial code makes a real port.
  execFileSync('stty', ['-F', device, 'raw', '-echo']);
  let fd = -1;
  const input = [];
  let poller = null;
  const cable = {
    async install(page) {
      await page.exposeFunction('__cableOpen', () => {
        fd = openSync(device, constants.O_RDWR | constants.O_NOCTTY | constants.O_NONBLOCK);
        execFileSync('stty', ['-F', device, 'raw', '-echo']);
        poller = setInterval(() => {
          const buffer = Buffer.alloc(4096);
          try {
            for (;;) {
              const n = readSync(fd, buffer, 0, buffer.length, null);
              if (n <= 0) break;
              input.push(...buffer.subarray(0, n));
            }
          } catch { /* nothing waiting */ }
        }, 5);
        return true;
      });
      await page.exposeFunction('__cableWrite', bytes => { writeSync(fd, Buffer.from(bytes)); });
      await page.exposeFunction('__cableRead', () => input.splice(0, input.length));
      await page.exposeFunction('__cableClose', () => {
        clearInterval(poller);
        if (fd >= 0) closeSync(fd);
        fd = -1;
      });
      await page.addInitScript(() => {
        const port = {
          readable: null, writable: null,
          getInfo: () => ({ usbVendorId: 0x0403, usbProductId: 0x6001 }),
          async open() {
            await window.__cableOpen();
            let closed = false;
            this.readable = new ReadableStream({
              async pull(controller) {
                while (!closed) {
                  const bytes = await window.__cableRead();
                  if (bytes.length) { controller.enqueue(new Uint8Array(bytes)); return; }
                  await new Promise(r => setTimeout(r, 5));
                }
                controller.close();
              },
              cancel() { closed = true; },
            });
            this.writable = new WritableStream({ write: chunk => window.__cableWrite([...chunk]) });
          },
          async close() { this.readable = null; this.writable = null; await window.__cableClose(); },
          async setSignals() {},
        };
        Object.defineProperty(navigator, 'serial', { value: {
          getPorts: async () => [port], requestPort: async () => port } });
      });
    },
    stop() {
      clearInterval(poller);
      if (fd >= 0) closeSync(fd);
      sim.kill('SIGTERM');
    },
  };
  return cable;
}
