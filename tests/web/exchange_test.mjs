// Channel exchange in the browser edition: Import and Export Channels, Paste Rows and Import
// Airport Frequencies give the files the tool makes, each undone in one step.
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { join } from 'node:path';
import { cli, dist, launch, menu, openPage, rows, scratch, until } from './page_harness.mjs';

let browser;
const files = scratch();
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); files.remove(); });

const write = (name, text) => { writeFileSync(files.path(name), text); return files.path(name); };
const names = async page => (await rows(page)).map(r => r[3]).join('|');

// The page with base.qrb (four channels the tool imported) open.
async function withBase(page = null) {
  write('base.csv', 'Channel,Frequency,Name,Tx Inhibit,Lockout\n1,121.5,TOWER,,\n2,118.1,ATIS,ON,\n3,119.7,APP,,\n');
  cli('import', files.path('base.csv'), '-o', files.path('base.qrb'));
  page ??= await openPage(browser);
  await choose(page, 'File', 'Open...', files.path('base.qrb'));
  await page.waitForFunction(() => document.title.startsWith('base.qrb'));
  return page;
}

async function choose(page, top, item, path) {
  const chooser = page.waitForEvent('filechooser');
  await menu(page, top, item);
  await (await chooser).setFiles(path);
}

async function saved(page, name) {
  const download = page.waitForEvent('download');
  await menu(page, 'File', 'Save');
  await (await download).saveAs(files.path(name));
  return readFileSync(files.path(name));
}

async function closeNotice(page) {
  await page.waitForSelector('#notice[open]');
  const text = await page.textContent('#notice-text');
  await page.locator('#notice').getByRole('button', { name: 'OK' }).click();
  await page.waitForFunction(() => !document.querySelector('#notice[open]'));
  return text;
}

// Saves, compares with what the tool saved at `expected`, and undoes the command in one step.
async function sameAsToolThenUndo(page, expected, step) {
  assert.deepEqual(await saved(page, 'page.qrb'), readFileSync(files.path(expected)));
  await page.keyboard.press('Control+z');
  await until(() => page.textContent('#status'), `Undone: ${step}`);
  await until(() => names(page), 'TOWER|ATIS|APP' + '|'.repeat(17));
}

test('exports both layouts and imports them as the tool does, a CHIRP file\'s rows with their reasons', async () => {
  const page = await withBase();
  for (const [layout, format] of [['CSV Files (*.csv)', 'pwr455'], ['CHIRP CSV Files (*.csv)', 'chirp']]) {
    await menu(page, 'File', 'Export Channels...');
    await page.getByLabel(layout, { exact: true }).check();
    const download = page.waitForEvent('download');
    await page.locator('#export-channels').getByRole('button', { name: 'OK' }).click();
    const file = await download;
    assert.equal(file.suggestedFilename(), 'base.csv');
    await file.saveAs(files.path(`page-${format}.csv`));
    cli('export', files.path('base.qrb'), '--format', format, '-o', files.path(`tool-${format}.csv`));
    assert.deepEqual(readFileSync(files.path(`page-${format}.csv`)), readFileSync(files.path(`tool-${format}.csv`)));
  }

  const own = write('own.csv', 'Channel;Frequency;Name;Tx Inhibit;Lockout\n5;122,8;Ørsta;;ON\n');
  await choose(page, 'File', 'Import Channels...', own);
  await until(async () => (await rows(page))[4].slice(2, 4), ['122.800', 'ORSTA']);
  cli('import', own, '-i', files.path('base.qrb'), '-o', files.path('own.qrb'));
  await sameAsToolThenUndo(page, 'own.qrb', 'Import Channels');

  await choose(page, 'File', 'Import Channels...', write('bad.csv', 'Channel,Frequency,Name,Tx Inhibit,Lockout\n4,118.1,A,,\n6,abc,B,,\n'));
  assert.equal(await closeNotice(page), 'bad.csv\nNo channels were imported:\nLine 3, field Frequency: "abc" is not a frequency in MHz.');

  const chirp = write('chirp.csv', 'Location,Name,Frequency,Duplex,Offset,Tone,Mode,TStep,Skip\n' +
    '4,GND,121.900000,,0,,AM,25.00,\n7,FM,145.500000,,0,,FM,5.00,\n8,RPT,124.000000,+,0.6,,AM,25.00,\n' +
    '25,FAR,123.450000,,0,,AM,25.00,\n9,INFO,118.005000,,0,,AM,8.33,S\n');
  await choose(page, 'File', 'Import Channels...', chirp);
  const table = () => page.$$eval('#chirp-rows tr', r => r.map(l => [...l.cells].map(c => c.textContent)));
  await until(table, [
    ['2', '4', '121.900000', 'GND', '04', ''],
    ['3', '7', '145.500000', 'FM', '', 'mode other than AM'],
    ['4', '8', '124.000000', 'RPT', '', 'transmit offset or split'],
    ['5', '25', '123.450000', 'FAR', '', 'Location is not a channel from 1 to 20'],
    ['6', '9', '118.005000', 'INFO', '', 'needs 8.33 kHz spacing'],
  ]);
  assert.match(await page.textContent('#chirp-summary'), /^Rows that became channels: 1\. Rows left out: 4\./);
  await page.getByLabel('Rows in order from channel').check();
  await until(async () => (await table()).map(r => r[4]), ['01', '', '', '02', '']);
  await page.getByLabel('Each row into the channel of its Location').check();
  await page.locator('#chirp-import').getByRole('button', { name: 'Import' }).click();
  assert.match(await closeNotice(page), /^chirp\.csv\nRows that became channels: 1\./);
  cli('import', chirp, '-i', files.path('base.qrb'), '-o', files.path('chirp.qrb'));
  await sameAsToolThenUndo(page, 'chirp.qrb', 'Import Channels');
});

test('pastes rows from the clipboard\'s tab-separated text into the channel list', async () => {
  const page = await withBase();
  await page.evaluate(() => {
    Object.defineProperty(navigator, 'clipboard', { value: { readText: async () => window.clipboardText } });
  });
  await page.locator('#ch-4').click();
  for (const [text, status, expected] of [
    ['', 'The clipboard holds no channel rows to paste', 'TOWER|ATIS|APP|'],
    ['x\t118.5\tA\t\t\nx\t118.6\tB\t\t\n', '2 rows pasted into CH 04 to CH 05', 'TOWER|ATIS|APP|A|B'],
    ['x\t118.7\tC\t\t\n', 'One row pasted into CH 04', 'TOWER|ATIS|APP|C|B'],
  ]) {
    await page.evaluate(t => { window.clipboardText = t; }, text);
    await page.keyboard.press('Control+Shift+V');
    await until(() => page.textContent('#status'), status);
    assert.equal((await names(page)).slice(0, expected.length), expected);
  }
  await page.evaluate(() => { window.clipboardText = 'x\tnone\tA\t\t\n'; });
  await menu(page, 'Edit', 'Paste Rows');
  assert.match(await closeNotice(page), /^No rows were pasted:\nLine 1, field Frequency: "none" is not a frequency in MHz\./);
  await page.keyboard.press('Control+z');
  await until(() => page.textContent('#status'), 'Undone: Paste Rows at CH 04');
  await until(() => names(page), 'TOWER|ATIS|APP|A|B' + '|'.repeat(15));
});

test('imports airport frequencies as the tool does, and keeps a newer list chosen', async () => {
  const page = await withBase();
  await menu(page, 'File', 'Import Airport Frequencies...');
  await page.fill('#air-idents', 'engm nowhere');
  const table = () => page.$$eval('#air-rows tr', r => r.map(l => [...l.cells].slice(1).map(c => c.textContent)));
  await until(async () => (await table()).filter(r => ['ATIS', 'OPS'].includes(r[1])), [
    ['ENGM', 'ATIS', 'ATIS', '126.125', '126.125', 'ENGMATI', '5', 'Tx inhibit'],
    ['ENGM', 'OPS', 'WINGOPS', '29.38', '', '', '', 'outside 118.000 to 136.980 MHz'],
  ]);
  assert.match(await page.textContent('#air-status'), /Not in the list: NOWHERE\.$/);
  await page.locator('#airport-import').getByRole('button', { name: 'Import' }).click();
  await page.waitForFunction(() => !document.querySelector("#airport-import").open);
  cli('airports', 'ENGM', '-i', files.path('base.qrb'), '-o', files.path('air.qrb'));
  // Tx inhibit of the receive-only ATIS, as the tool's import has it.
  assert.deepEqual(await saved(page, 'page.qrb'), readFileSync(files.path('air.qrb')));
  await page.keyboard.press('Control+z');
  await until(() => page.textContent('#status'), 'Undone: Import Airport Frequencies');

  // A list chosen is kept by the browser: a page opened later uses it.
  const mini = write('mini.csv', '"airport_ident","type","description","frequency_mhz"\n"ZZZZ","TWR","TOWER",118.5\n');
  await menu(page, 'File', 'Import Airport Frequencies...');
  const chooser = page.waitForEvent('filechooser');
  await page.click('#air-choose');
  await (await chooser).setFiles(mini);
  await until(() => page.textContent('#air-list'), 'mini.csv');
  await page.keyboard.press('Escape');
  const later = await page.context().newPage();
  await later.goto(pathToFileURL(join(dist, 'pwr455.html')).href);
  await later.waitForSelector('body[data-ready=true]');
  await menu(later, 'File', 'Import Airport Frequencies...');
  await later.fill('#air-idents', 'ZZZZ');
  await until(() => later.$$eval('#air-rows tr', r => r.map(l => l.cells[6].textContent)), ['ZZZZTWR']);
  assert.equal(await later.textContent('#air-list'), 'mini.csv');
  await later.click('#air-shipped');
  await until(() => later.textContent('#air-list'), 'airport-frequencies.csv');
});
