// The browser edition in headless Chromium on this machine: the time from navigation of
// pwr455.html from the disk to the channel list drawn, the sizes of the page's files, and a read
// through the stand-in Web Serial port against the simulator paced at 9600 baud beside a read by
// `pwr455-cli read` against the same simulator, with the processor time of Chromium's processes
// during the page's read. Prints each figure with its target; fails only when a measurement does.
//   PWR_WEB_DIST=build-web/dist PWR_CLI=build/cli/pwr455-cli node bench/web_page.mjs [RUNS]
import { execFileSync, spawn } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { cli, dist, launch, menu, openPage, scratch, simulatedCable, tool } from '../tests/web/page_harness.mjs';

const runs = Number(process.argv[2] ?? 5);
const median = values => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const figures = [];
const figure = (what, value, unit, target, pass) => {
  figures.push(pass);
  console.log(`  ${what.padEnd(44)} ${value.padStart(8)} ${unit.padEnd(3)} target ${target.padEnd(8)} ${pass ? 'PASS' : 'MISS'}`);
};

// Processor seconds of the browser's processes (the descendants of this process but the
// simulator and the cable's relay) from /proc, by kind: browser, renderer, gpu-process, utility.
const tick = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
function browserCpu(notOurs) {
  const procs = new Map();
  for (const pid of readdirSync('/proc').filter(n => /^\d+$/.test(n))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const kind = /--type=([a-z-]+)/.exec(readFileSync(`/proc/${pid}/cmdline`, 'utf8'))?.[1] ?? 'browser';
      procs.set(Number(pid), { parent: Number(fields[1]), kind, cpu: (Number(fields[11]) + Number(fields[12])) / tick });
    } catch { /* ended meanwhile */ }
  }
  const ours = pid => !notOurs.includes(pid) && procs.has(pid) &&
    (procs.get(pid).parent === process.pid || ours(procs.get(pid).parent));
  const kinds = {};
  for (const [pid, p] of procs)
    if (ours(pid)) kinds[p.kind] = (kinds[p.kind] ?? 0) + p.cpu;
  return kinds;
}
const minus = (after, before) => Object.fromEntries(Object.entries(after).map(([k, v]) => [k, v - (before[k] ?? 0)]));
const total = kinds => Object.values(kinds).reduce((a, b) => a + b, 0);

const files = scratch();
const browser = await launch();
try {
  console.log(`The browser edition in headless Chromium, ${runs} runs each:`);

  // Navigation to the list drawn: the moment body[data-ready] turns true, on the page's clock.
  const loads = [];
  for (let i = 0; i < runs; ++i) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.addInitScript(() => {
      new MutationObserver((_, observer) => {
        if (document.body?.dataset.ready === 'true') {
          window.__readyAt = performance.now();
          observer.disconnect();
        }
      }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
    });
    await page.goto(pathToFileURL(join(dist, 'pwr455.html')).href);
    await page.waitForFunction(() => window.__readyAt !== undefined);
    loads.push(await page.evaluate(() => window.__readyAt / 1000));
    await context.close();
  }
  figure('pwr455.html from the disk to the list drawn', median(loads).toFixed(3), 's', '<= 0.5', median(loads) <= 0.5);

  // The page's files: those a web server gives out, and the single file that holds them all.
  const sizes = Object.fromEntries(readdirSync(dist).filter(n => !/airport/i.test(n))
    .map(n => [n, statSync(join(dist, n)).size]));
  const served = Object.entries(sizes).filter(([n]) => n !== 'pwr455.html').reduce((s, [, b]) => s + b, 0);
  const mb = bytes => (bytes / 1e6).toFixed(2);
  console.log(`  files: ${Object.entries(sizes).map(([n, b]) => `${n} ${mb(b)}`).join(', ')} (MB)`);
  figure('index.html and its files', mb(served), 'MB', '<= 1.5', served <= 1.5e6);
  figure('pwr455.html (all in one)', mb(sizes['pwr455.html']), 'MB', '<= 1.5', sizes['pwr455.html'] <= 1.5e6);

  // A read at 9600 baud: the tool and the page in turn against one simulator with data of its own.
  cli('exec', '-o', files.path('image.qrb'), 'COMMON.CLONE_COMMENT=BENCH');
  // The bytes reach the page through the browser's network service, as a real port's come
  // through the browser's process, not through DevTools.
  const cable = await simulatedCable({ options: ['--realtime', '--image', files.path('image.qrb')], transport: 'http' });
  try {
    // One page reads again and again, as a user does. From the command's start to its end, told
    // by promises the page keeps: no polling while the read runs.
    const tools = [], pages = [];
    // Without Web Audio the page plays no tones, as the tool's --quiet.
    const page = await openPage(browser, { serial: cable, offline: false, init: () => { delete window.AudioContext; } });
    for (let i = 0; i < runs; ++i) {
      const start = process.hrtime.bigint();
      execFileSync(tool, ['read', files.path('tool.qrb'), '--port', cable.device, '--quiet'], { stdio: 'ignore' });
      tools.push(Number(process.hrtime.bigint() - start) / 1e9);

      if (i > 0) { // File > New, the data read before not kept
        await menu(page, 'File', 'New');
        await page.waitForSelector('#save-question[open]');
        await page.evaluate(saySaveNo);
      }
      await page.evaluate(() => {
        const run = window.__run = {};
        run.beginning = new Promise(resolve => { run.began = resolve; });
        run.ending = new Promise(resolve => { run.end = resolve; });
        new MutationObserver(() => {
          const now = performance.now();
          if (document.body.dataset.cloning && run.begun === undefined) {
            run.begun = now;
            run.began();
          } else if (!document.body.dataset.cloning && run.begun !== undefined && run.ended === undefined) {
            run.ended = now;
            run.end();
          }
        }).observe(document.body, { attributes: true, attributeFilter: ['data-cloning'] });
      });
      await menu(page, 'Clone', 'Read <- TR');
      await page.evaluate(() => window.__run.ending);
      const [begun, ended, status] = await page.evaluate(
        () => [window.__run.begun, window.__run.ended, document.getElementById('status').textContent]);
      if (status.trim() !== 'Cloning completed.')
        throw new Error(`the page's read ended: ${status.trim()}`);
      pages.push((ended - begun) / 1000);
    }
    // What the page read is what the tool read.
    const download = page.waitForEvent('download');
    await menu(page, 'File', 'Save');
    await (await download).saveAs(files.path('page.qrb'));
    if (!readFileSync(files.path('page.qrb')).equals(readFileSync(files.path('tool.qrb'))))
      throw new Error('the page read other data than the tool');
    const ratio = median(pages) / median(tools);
    console.log(`  read at 9600 baud: pwr455-cli read ${median(tools).toFixed(2)} s, the page ${median(pages).toFixed(2)} s`);
    figure('read, the page against pwr455-cli read', ratio.toFixed(3), 'x', '<= 1.05', ratio <= 1.05);
    await browser.close();
    const { through, read: cpus, idle } = await readsWithoutDevTools(cable, runs, files);
    const kinds = list => [...new Set(list.flatMap(Object.keys))]
      .map(k => `${k} ${median(list.map(c => c[k] ?? 0)).toFixed(1)}`).join(', ');
    const later = cpus.slice(1);
    console.log(`  processor time of reads through ${through}, by Chromium's processes (% of one core):`);
    console.log(`    the first read after loading: ${kinds(cpus.slice(0, 1))}`);
    console.log(`    the later reads: ${kinds(later)}`);
    console.log(`    the page idle for as long after each read: ${median(idle.map(total)).toFixed(1)} % (${kinds(idle)})`);
    figure('Chromium\'s processor time, first read', total(cpus[0]).toFixed(1), '%', '< 5', total(cpus[0]) < 5);
    const cpu = median(later.map(total));
    figure('Chromium\'s processor time, later reads', cpu.toFixed(1), '%', '< 5', cpu < 5);
    // The page's own process, without what Chromium's browser and GPU processes do for it.
    const renderer = median(later.map(c => c.renderer ?? 0));
    figure('... of it the page\'s renderer, later reads', renderer.toFixed(1), '%', '< 5', renderer < 5);
  } finally {
    cable.stop();
  }
} finally {
  await browser.close();
  files.remove();
}

console.log(figures.every(Boolean) ? 'All targets met.' : 'Some targets missed.');

// The processor time of reads in Chromium with no DevTools attached, as a user's browser runs:
// started by hand on the page served by the cable's server, with a script of its own that reads
// `runs` times (File > New between reads), tells the server as each read begins and ends, and
// then leaves the page idle for a few seconds, measured too. The first read after loading also
// pays for compiling the core's clone code. Where Chromium can be given a mount namespace of its
// own (as root), the page reads through Chromium's own Web Serial: the simulator's line, behind
// a cable's 16 ms latency timer (bench/latency_relay.py), takes the place of /dev/ttyS0, and a
// policy lets the page use the ports without asking. Elsewhere the page has the stand-in port.
async function readsWithoutDevTools(cable, runs, files) {
  const base = cable.base;
  const browserSerial = canGiveChromiumASerialPort();
  const relay = browserSerial
    ? spawn('python3', [fileURLToPath(new URL('latency_relay.py', import.meta.url)), cable.device, '16'],
            { stdio: ['ignore', 'pipe', 'inherit'] })
    : null;
  const device = relay ? await new Promise(resolve => relay.stdout.once('data', d => resolve(String(d).trim()))) : cable.device;
  const notOurs = [cable.pid, relay?.pid];
  const driver = `const saySaveNo = ${saySaveNo}; (${readAgainAndAgain})(${JSON.stringify(base)}, ${runs});`;
  const html = readFileSync(join(dist, 'pwr455.html'), 'utf8')
    .replace('<head>', () => `<head><script>${browserSerial ? '' : cable.pageScript()}${driver}</script>`);
  const windows = { read: [], idle: [] };
  let before, wallBefore, finish, fail;
  const finished = new Promise((resolve, reject) => { finish = resolve; fail = reject; });
  cable.otherRequests = (request, response, body) => {
    const measured = /^\/(begun|ended)\/(read|idle)$/.exec(request.url);
    if (request.url === '/page.html') {
      response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
      response.end(html);
    } else if (request.url === '/ready') {
      // Each read follows one by the tool, as in the reads above: the page sits idle meanwhile.
      execFileSync(tool, ['read', files.path('tool.qrb'), '--port', device, '--quiet'], { stdio: 'ignore' });
      response.end();
    } else if (measured) {
      const now = [browserCpu(notOurs), process.hrtime.bigint()];
      if (measured[1] === 'begun') {
        [before, wallBefore] = now;
      } else {
        const wall = Number(now[1] - wallBefore) / 1e9;
        windows[measured[2]].push(Object.fromEntries(Object.entries(minus(now[0], before)).map(([k, v]) => [k, v / wall * 100])));
      }
      response.end();
    } else if (request.url === '/done') {
      response.end();
      const statuses = JSON.parse(String(body));
      statuses.every(s => s === 'Cloning completed.') ? finish() : fail(new Error(`the page's reads ended: ${statuses}`));
    } else if (request.method === 'GET' && request.url !== '/read') {
      response.writeHead(404).end(); // no service worker: the page's files are not fetched again
    } else {
      return false;
    }
    return true;
  };
  const profile = files.path('chromium-profile');
  const chromiumPath = process.env.PWR_CHROMIUM || '/usr/bin/chromium';
  const args = ['--headless', '--no-sandbox', '--no-first-run', '--disable-background-networking', '--mute-audio',
                `--user-data-dir=${profile}`, `${base}/page.html`];
  // Its temporary files in the scratch folder: ended by a signal, Chromium leaves them behind.
  const env = { ...process.env, TMPDIR: files.path('chromium-tmp') };
  mkdirSync(env.TMPDIR);
  // In a process group of its own, so that all of Chromium's processes end together.
  const chromium = browserSerial
    ? spawn('unshare', ['--mount', '--propagation', 'private', 'sh', '-c',
                        'mount --bind "$1" /etc/chromium && mount --bind "$2" /dev/ttyS0 && shift 2 && exec "$@"',
                        'sh', chromiumSettings(files, base), device, chromiumPath, ...args], { stdio: 'ignore', detached: true, env })
    : spawn(chromiumPath, args, { stdio: 'ignore', detached: true, env });
  try {
    await finished;
  } finally {
    const ended = new Promise(resolve => chromium.once('exit', resolve));
    process.kill(-chromium.pid);
    await ended;
    while (Object.keys(browserCpu(notOurs)).length) // the group's last processes
      await new Promise(resolve => setTimeout(resolve, 50));
    relay?.kill();
  }
  return { through: browserSerial ? "Chromium's Web Serial" : 'the stand-in port', ...windows };
}

// Root may give Chromium a /dev/ttyS0 and /etc/chromium of its own in a mount namespace.
function canGiveChromiumASerialPort() {
  if (process.getuid?.() !== 0 || !existsSync('/dev/ttyS0') || !existsSync('/etc/chromium'))
    return false;
  try {
    execFileSync('unshare', ['--mount', 'true'], { stdio: 'ignore' });
    return true;
  } catch {
    return false;
  }
}

// /etc/chromium as it is, with a policy that lets the page at `base` use every serial port.
function chromiumSettings(files, base) {
  const settings = files.path('etc-chromium');
  cpSync('/etc/chromium', settings, { recursive: true });
  mkdirSync(join(settings, 'policies', 'managed'), { recursive: true });
  writeFileSync(join(settings, 'policies', 'managed', 'serial-ports.json'), JSON.stringify({ SerialAllowAllPortsForUrls: [base] }));
  return settings;
}

// In the page: No to File > New's question whether to save the data read. New goes on once the
// question's close event has come and is done before the next task; a read chosen sooner would
// find the data read before still there.
function saySaveNo() {
  const question = document.querySelector('#save-question');
  return new Promise(resolve => {
    question.addEventListener('close', () => setTimeout(resolve), { once: true });
    question.querySelector('button[value=no]').click();
  });
}

// In the page: the reads, by the menus as a user chooses them, their statuses told at the end.
function readAgainAndAgain(base, runs) {
  delete window.AudioContext; // no tones, as the tool's --quiet
  const post = (path, body) => fetch(base + path, { method: 'POST', body, headers: { 'Content-Type': 'text/plain' } });
  const when = test => new Promise(resolve => {
    if (test())
      return resolve();
    const observer = new MutationObserver(() => test() && (observer.disconnect(), resolve()));
    observer.observe(document, { attributes: true, childList: true, subtree: true });
  });
  const choose = (...names) => names.forEach(name =>
    [...document.querySelectorAll('[role=menuitem]')].find(e => (e.getAttribute('aria-label') ?? e.textContent.trim()) === name).click());
  addEventListener('DOMContentLoaded', async () => {
    await when(() => document.body.dataset.ready === 'true');
    const statuses = [];
    for (let i = 0; i < runs; ++i) {
      if (i > 0) {
        choose('File', 'New');
        await when(() => document.querySelector('#save-question[open]'));
        await saySaveNo();
      }
      await post('/ready');
      choose('Clone', 'Read <- TR');
      await when(() => document.body.dataset.cloning);
      await post('/begun/read');
      await when(() => !document.body.dataset.cloning);
      await post('/ended/read');
      statuses.push(document.getElementById('status').textContent.trim());
      // The page idle as long as a read takes: what Chromium does on its own once the port closed.
      await post('/begun/idle');
      await new Promise(resolve => setTimeout(resolve, 3200));
      await post('/ended/idle');
    }
    await post('/done', JSON.stringify(statuses));
  });
}
