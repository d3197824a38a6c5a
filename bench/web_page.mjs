// The browser edition in headless Chromium on this machine: the time from navigation of
// pwr455.html from the disk to the channel list drawn, the sizes of the page's files, and a read
// through the stand-in Web Serial port against the simulator paced at 9600 baud beside a read by
// `pwr455-cli read` against the same simulator, with the processor time of Chromium's processes
// during the page's read. Prints each figure with its target; fails only when a measurement does.
//   PWR_WEB_DIST=build-web/dist PWR_CLI=build/cli/pwr455-cli node bench/web_page.mjs [RUNS]
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, dist, launch, menu, openPage, scratch, simulatedCable, tool } from '../tests/web/page_harness.mjs';

const runs = Number(process.argv[2] ?? 5);
const median = values => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const figures = [];
const figure = (what, value, unit, target, pass) => {
  figures.push(pass);
  console.log(`  ${what.padEnd(44)} ${value.padStart(8)} ${unit.padEnd(3)} target ${target.padEnd(8)} ${pass ? 'PASS' : 'MISS'}`);
};

// Processor seconds of the browser's processes (the descendants of this process but the
// simulator) from /proc, by kind: browser, renderer, gpu-process, utility.
const tick = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));
function browserCpu(exceptPid) {
  const procs = new Map();
  for (const pid of readdirSync('/proc').filter(n => /^\d+$/.test(n))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const kind = /--type=([a-z-]+)/.exec(readFileSync(`/proc/${pid}/cmdline`, 'utf8'))?.[1] ?? 'browser';
      procs.set(Number(pid), { parent: Number(fields[1]), kind, cpu: (Number(fields[11]) + Number(fields[12])) / tick });
    } catch { /* ended meanwhile */ }
  }
  const ours = pid => pid !== exceptPid && procs.has(pid) &&
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
    // One page reads again and again, as a user does; the first read after loading also pays for
    // compiling the core's clone code. From the command's start to its end, told by promises the
    // page keeps: no polling while the read runs.
    const tools = [], pages = [], cpus = [];
    // Without Web Audio the page plays no tones, as the tool's --quiet.
    const page = await openPage(browser, { serial: cable, offline: false, init: () => { delete window.AudioContext; } });
    for (let i = 0; i < runs; ++i) {
      const start = process.hrtime.bigint();
      execFileSync(tool, ['read', files.path('tool.qrb'), '--port', cable.device, '--quiet'], { stdio: 'ignore' });
      tools.push(Number(process.hrtime.bigint() - start) / 1e9);

      if (i > 0) { // File > New, the data read before not kept
        await menu(page, 'File', 'New');
        await page.click('#save-question[open] button[value=no]');
        await page.waitForSelector('dialog[open]', { state: 'detached' });
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
      await page.evaluate(() => window.__run.beginning);
      const [cpuBefore, wallBefore] = [browserCpu(cable.pid), process.hrtime.bigint()];
      await page.evaluate(() => window.__run.ending);
      const cpu = minus(browserCpu(cable.pid), cpuBefore);
      const wall = Number(process.hrtime.bigint() - wallBefore) / 1e9;
      const [begun, ended, status] = await page.evaluate(
        () => [window.__run.begun, window.__run.ended, document.getElementById('status').textContent]);
      if (status.trim() !== 'Cloning completed.')
        throw new Error(`the page's read ended: ${status.trim()}`);
      pages.push((ended - begun) / 1000);
      cpus.push(Object.fromEntries(Object.entries(cpu).map(([k, v]) => [k, v / wall * 100])));
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
    const kinds = list => [...new Set(list.flatMap(Object.keys))]
      .map(k => `${k} ${median(list.map(c => c[k] ?? 0)).toFixed(1)}`).join(', ');
    const later = cpus.slice(1);
    console.log(`  Chromium's processes during the first read after loading (% of one core): ${kinds(cpus.slice(0, 1))}`);
    console.log(`  ... and during the later reads: ${kinds(later)}`);
    figure('Chromium\'s processor time, first read', total(cpus[0]).toFixed(1), '%', '< 5', total(cpus[0]) < 5);
    const cpu = median(later.map(total));
    figure('Chromium\'s processor time, later reads', cpu.toFixed(1), '%', '< 5', cpu < 5);
  } finally {
    cable.stop();
  }
} finally {
  await browser.close();
  files.remove();
}
console.log(figures.every(Boolean) ? 'All targets met.' : 'Some targets missed.');
