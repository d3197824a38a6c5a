// Safe cloning in the browser edition: the backup every read leaves in the browser's storage
// (IndexedDB, which Chromium gives a page opened from the disk too), Open Backup, Compare with
// Transceiver and Check Connection against the tool's simulated transceiver and its faults.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { after, before, test } from 'node:test';
import { cli, cloneDone, launch, menu, openPage, scratch, simulatedCable, until } from './page_harness.mjs';

let browser;
const files = scratch();
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); files.remove(); });

const kBackupName = /^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d(_[A-Za-z0-9._-]+)?\.qrb$/;
const backupNames = page => page.$$eval('#backup-list option', options => options.map(o => o.textContent));

// A read; over data not saved, after the question that asks first.
async function read(page, { unsaved = false } = {}) {
  await menu(page, 'Clone', 'Read <- TR');
  if (unsaved)
    await page.locator('#question[open]').getByRole('button', { name: 'OK' }).click();
  await cloneDone(page);
}

test('keeps a backup of every read, downloads it and opens it as a copy', async () => {
  const page = await openPage(browser, { query: '?simulate' });
  await read(page);
  await read(page, { unsaved: true });
  await menu(page, 'File', 'Open Backup...');
  await until(async () => (await backupNames(page)).length, 2);
  const names = await backupNames(page);
  assert.ok(names.every(n => kBackupName.test(n)), names.join());
  const download = page.waitForEvent('download');
  await page.getByRole('button', { name: 'Download' }).click();
  await (await download).saveAs(files.path('backup.qrb'));
  cli('read', files.path('tool.qrb'), '--simulate', '--quiet');
  assert.deepEqual(readFileSync(files.path('backup.qrb')), readFileSync(files.path('tool.qrb')));
  // Open asks about the unsaved read first, as File Open does.
  await page.getByRole('button', { name: 'Open', exact: true }).click();
  await page.locator('#save-question[open]').getByRole('button', { name: 'No' }).click();
  await until(() => page.title(), `Copy of backup ${names[0]} - PW-R455NORD [simulated transceiver]`);
});

test('a full storage fails the backup, never the read, and says so', async () => {
  const page = await openPage(browser, { query: '?simulate' });
  await page.evaluate(() => {
    IDBObjectStore.prototype.put = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  await menu(page, 'Clone', 'Read <- TR');
  await page.waitForSelector('#notice[open]');
  assert.match(await page.textContent('#notice-text'), /^The browser's storage for this page is full.*The read itself succeeded/s);
  await page.locator('#notice').getByRole('button', { name: 'OK' }).click();
  await cloneDone(page);
  assert.equal(await page.textContent('#status'),
    " Cloning completed. The backup copy was not saved: the browser's storage for this page is full");
  assert.equal(await page.title(), '*Untitled - PW-R455NORD [simulated transceiver]');
});

test('compares an edited read with the transceiver in words, leaving the data as they were', async () => {
  const cable = await simulatedCable();
  try {
    const page = await openPage(browser, { serial: cable });
    await read(page);
    await page.locator('#ch-2').dblclick();
    await page.fill('#em-frequency', '118.025');
    await page.fill('#em-name', 'ORSTA');
    await page.locator('#edit-memory').getByRole('button', { name: 'OK' }).click();
    const title = await page.title();
    await menu(page, 'Clone', 'Compare with Transceiver...');
    await page.waitForSelector('#compare[open]');
    assert.match(await page.textContent('#compare-summary'), /^\d+ settings and channel fields differ between this document and the transceiver:$/);
    const rows = await page.$$eval('#compare-list tr', r => r.map(l => [...l.children].map(c => c.textContent)));
    assert.deepEqual(rows[0], ['Setting or field', 'This document', 'Transceiver']);
    assert.ok(rows.some(r => r[0].startsWith('CH 02') && r[1] === 'ORSTA'), JSON.stringify(rows));
    await page.locator('#compare').getByRole('button', { name: 'OK' }).click();
    assert.equal(await page.title(), title);
  } finally {
    cable.stop();
  }
});

test('checks the connection and names each fault of the cable in words', async () => {
  for (const [fault, expected] of [
    [null, /^ok The transceiver answered: VX-R455NORD/],
    ['silence', /^PROBLEM The cable echoed the request, but no transceiver answered\. Fix: Switch the transceiver on/],
    ['no-cable', /^PROBLEM Nothing came back from the cable, not even the echo of the request\./],
    ['wrong-model', /^PROBLEM A transceiver answered as model [0-9A-F]{4} revision [0-9A-F]{4}, which this program cannot program\./],
  ]) {
    const cable = await simulatedCable({ faults: fault ? [fault] : [] });
    try {
      const page = await openPage(browser, { serial: cable });
      await menu(page, 'Help', 'Check Connection...');
      await page.waitForSelector('#check-connection[open]');
      const report = await page.$$eval('#check-report li', items => items.map(i => i.innerText.replace(/\s+/g, ' ').trim()));
      assert.deepEqual(report.slice(0, 2), ['ok This browser can reach serial ports (Web Serial).',
        'ok Port 1 of this page: FTDI, USB 0403:6001']);
      assert.match(report.at(-1), expected, fault ?? 'no fault');
      assert.equal(await page.textContent('#check-port'), 'Port checked: FTDI, USB 0403:6001');
      await page.locator('#check-connection').getByRole('button', { name: 'Close' }).click();
    } finally {
      cable.stop();
    }
  }
});
