// The browser edition in headless Chromium: the single file from the disk, the simulated
// transceiver in the page and the tool's one through a stand-in Web Serial port.
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { after, before, test } from 'node:test';
import { readCatalog } from '../../web/page/catalogs.mjs';
import { cli, cloneDone, launch, menu, openPage, rows, scratch, simulatedCable, until } from './page_harness.mjs';

let browser;
const files = scratch();
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); files.remove(); });

async function save(page, name) {
  const download = page.waitForEvent('download');
  await menu(page, 'File', 'Save');
  const file = await download;
  await file.saveAs(files.path(name));
  return readFileSync(files.path(name));
}

test('reads the simulated transceiver, edits, undoes and redoes, and saves what the desktop program saves', async () => {
  const page = await openPage(browser, { query: '?simulate' });
  assert.equal(await page.title(), 'Untitled - PW-R455NORD [simulated transceiver]');
  await menu(page, 'Clone', 'Read <- TR');
  await cloneDone(page);
  assert.equal(await page.title(), '*Untitled - PW-R455NORD [simulated transceiver]');
  cli('read', files.path('tool.qrb'), '--simulate', '--quiet');
  assert.deepEqual(await save(page, 'read.qrb'), readFileSync(files.path('tool.qrb')));

  await page.locator('#ch-2').dblclick();
  await page.fill('#em-frequency', '118,025');
  await page.fill('#em-name', 'Ørsta');
  await page.getByRole('button', { name: 'OK' }).click();
  const channel2 = async () => (await rows(page))[1].slice(2, 4);
  await until(channel2, ['118.025', 'ORSTA']);
  assert.match(await page.textContent('#status'), /ORSTA/);
  await page.keyboard.press('Control+z');
  await until(channel2, ['', '']);
  await menu(page, 'Edit', 'Redo Edit CH 02');
  await until(channel2, ['118.025', 'ORSTA']);
  await save(page, 'edited.qrb');
  assert.equal(cli('check', files.path('edited.qrb')).trim(), 'OK');
  assert.match(cli('show', files.path('edited.qrb')), /^02 +118\.025 +118\.0250 +ORSTA$/m);
});

// The page's file picker (a file input, as where the File System Access API is missing).
async function openFile(page, path) {
  const chooser = page.waitForEvent('filechooser');
  await menu(page, 'File', 'Open...');
  await (await chooser).setFiles(path);
  await page.waitForFunction(() => !document.title.startsWith('Untitled'));
}

async function answerBox(page, box, button, text) {
  await page.waitForSelector(`${box}[open]`);
  if (text)
    assert.equal((await page.textContent(`${box}[open] p`)).trim(), text);
  await page.locator(`${box}[open]`).getByRole('button', { name: button }).click();
  await page.waitForFunction(selector => !document.querySelector(`${selector}[open]`), box);
}

test('runs every editing command and the settings sheet by the desktop program\'s rules', async () => {
  writeFileSync(files.path('list.csv'), 'Channel;Frequency;Name;Tx Inhibit;Lockout\n1;121.5;TOWER;;\n' +
    '2;118.1;ATIS;;\n3;119.7;APP;;\n4;121.9;GROUND;;\n20;123.45;LAST;;\n');
  cli('import', files.path('list.csv'), '-o', files.path('list.qrb'));
  const page = await openPage(browser);
  await openFile(page, files.path('list.qrb'));
  const names = async () => (await rows(page)).map(r => r[3]).slice(0, 5).join('|');
  assert.equal(await names(), 'TOWER|ATIS|APP|GROUND|');

  // Sorting saves what the tool's sort saves, and one Undo takes it back.
  await menu(page, 'Edit', 'By Name');
  cli('sort', files.path('list.qrb'), '--by', 'name', '-o', files.path('sorted.qrb'));
  assert.deepEqual(await save(page, 'list.qrb'), readFileSync(files.path('sorted.qrb')));
  await page.keyboard.press('Control+z');
  await until(names, 'TOWER|ATIS|APP|GROUND|');
  assert.equal(await page.textContent('#status'), 'Undone: Sort by Name');

  await page.locator('#ch-2').click();
  await page.keyboard.press('Control+c');
  await page.locator('#ch-3').click();
  for (const [button, expected] of [['No', 'TOWER|ATIS|APP|GROUND|'], ['Yes', 'TOWER|ATIS|ATIS|GROUND|']]) {
    await page.keyboard.press('Control+v');
    await answerBox(page, '#yes-no', button, 'Overwite here ?');
    await until(names, expected);
  }
  await menu(page, 'Edit', 'Insert');
  await answerBox(page, '#notice', 'OK', 'The last CH is not blank. Cannot insert a blank channel.');
  await page.locator('#ch-1').click();
  await page.keyboard.press('Control+ArrowDown');
  await until(names, 'ATIS|TOWER|ATIS|GROUND|');
  assert.equal(await page.getAttribute('#ch-2', 'aria-selected'), 'true');
  await page.locator('#ch-4').click();
  await page.keyboard.press('Delete');
  await until(names, 'ATIS|TOWER|ATIS||');
  await page.locator('#ch-1').click();
  await page.getByRole('menuitem', { name: 'Edit', exact: true }).click();
  assert.equal(await page.getByRole('menuitem', { name: 'Undo Clear CH 04', exact: true }).isEnabled(), true);
  assert.equal(await page.getByRole('menuitem', { name: 'Clear', exact: true }).isEnabled(), false);
  await page.keyboard.press('Escape');

  // The settings sheet's two pages, and the channel spacing's note while a frequency is typed.
  await menu(page, 'View', 'Common Setting...');
  await page.selectOption('#set-backlight', { label: 'Off' });
  await page.fill('#set-openingText', 'ENVA');
  await page.getByRole('tab', { name: 'Advanced' }).click();
  await page.selectOption('#set-spacing', { label: '8.33kHz' });
  await page.fill('#set-cloneComment', 'AEROKLUBB');
  await page.locator('#settings').getByRole('button', { name: 'OK' }).click();
  const shown = cli('show', files.path('list.qrb')) && (await save(page, 'set.qrb'), cli('show', files.path('set.qrb')));
  for (const line of ['CH_SPACING=8.33kHz', 'LCD_BACKLIGHT=OFF', 'OPENING_TEXT=ENVA', 'CLONE_COMMENT=AEROKLUBB'])
    assert.match(shown, new RegExp(`^${line}$`, 'm'));
  await page.locator('#ch-5').dblclick();
  await page.fill('#em-frequency', '118,01');
  assert.match(await page.textContent('#em-note'), /8\.33 kHz channel, carrier 118\.0083 MHz/);
  assert.equal(await page.isDisabled('#em-name'), false);
  await page.fill('#em-frequency', '');
  assert.equal(await page.isDisabled('#em-name'), true);
  await page.locator('#edit-memory').getByRole('button', { name: 'Cancel' }).click();
});

test('opens a file, and a file of another kind gets the desktop program\'s message', async () => {
  const page = await openPage(browser);
  cli('read', files.path('open.qrb'), '--simulate', '--quiet');
  for (const [name, message] of [['open.qrb', ''], ['page_test.mjs', /Unexpected file format/]]) {
    const chooser = page.waitForEvent('filechooser');
    await menu(page, 'File', 'Open...');
    await (await chooser).setFiles(name === 'open.qrb' ? files.path(name) : new URL(name, import.meta.url).pathname);
    if (message) {
      await page.waitForSelector('#notice[open]');
      assert.match(await page.textContent('#notice-text'), message);
      await page.getByRole('button', { name: 'OK' }).click();
    } else {
      await page.waitForFunction(() => document.title.startsWith('open.qrb - '));
    }
  }
  assert.equal(await page.title(), 'open.qrb - PW-R455NORD');
});

test('reads, writes and asks the transceiver through Web Serial, and names a missing one', async () => {
  const cable = await simulatedCable();
  try {
    const page = await openPage(browser, { serial: cable });
    await menu(page, 'Clone', 'Read <- TR');
    await cloneDone(page);
    assert.equal(await page.title(), '*Untitled - PW-R455NORD');
    cli('read', files.path('serial.qrb'), '--simulate', '--quiet');
    assert.deepEqual(await save(page, 'serial-read.qrb'), readFileSync(files.path('serial.qrb')));
    await page.getByRole('menuitem', { name: 'COM Port', exact: true }).click();
    assert.equal(await page.getByRole('menuitemradio', { name: 'FTDI (0403:6001)' }).getAttribute('aria-checked'), 'true');
    await page.keyboard.press('Escape');
    await menu(page, 'Clone', 'Information...');
    await page.waitForSelector('#information[open]');
    assert.equal(await page.inputValue('#information-model'), 'VX-R455NORD');
    await page.getByRole('button', { name: 'OK' }).click();
    await cloneDone(page);
    await menu(page, 'Clone', 'Write -> TR');
    for (const box of ['#question', '#notice']) {
      await page.waitForSelector(`${box}[open]`);
      await page.locator(`${box}[open]`).getByRole('button', { name: 'OK' }).click();
    }
    await cloneDone(page);
    assert.match(await page.textContent('#notice-text'), /succeeded|complete/i);
  } finally {
    cable.stop();
  }
  const silent = await simulatedCable({ faults: ['no-cable'] });
  try {
    const page = await openPage(browser, { serial: silent });
    await menu(page, 'Clone', 'Read <- TR');
    // Leaving the page while a clone runs asks first.
    await page.waitForSelector('body[data-cloning]');
    const leaving = page.waitForEvent('dialog');
    await page.close({ runBeforeUnload: true });
    const question = await leaving;
    assert.equal(question.type(), 'beforeunload');
    await question.dismiss();
    await page.waitForSelector('#notice[open]');
    assert.notEqual(await page.textContent('#notice-text'), '');
    await page.getByRole('button', { name: 'OK' }).click();
    await cloneDone(page);
    assert.equal(await page.title(), 'Untitled - PW-R455NORD');
  } finally {
    silent.stop();
  }
});

// The desktop program's texts (English, the catalogs' source).
const checkPort = ' Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n - Transceiver power is ON.';
const checkSoftware = ' Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n' +
  ' - Appropriate cloning software for the transceiver is being used.\r\n - The revision number of the transceiver.\n';

test('the clone commands use the port chosen in the COM Port menu', async () => {
  const cable = await simulatedCable();
  try {
    // A silent cable listed first, as the browser lists the ports a page may use.
    const page = await openPage(browser, { serial: cable, init: () => {
      window.__otherPorts = [{
        getInfo: () => ({ usbVendorId: 0x10c4, usbProductId: 0xea60 }),
        async open() { this.readable = new ReadableStream(); this.writable = new WritableStream(); },
        async close() { this.readable = this.writable = null; },
        async setSignals() {},
      }];
    } });
    await page.getByRole('menuitem', { name: 'COM Port', exact: true }).click();
    await page.getByRole('menuitemradio', { name: 'FTDI (0403:6001)' }).click();
    await menu(page, 'Clone', 'Read <- TR');
    await cloneDone(page);
    assert.equal(await page.title(), '*Untitled - PW-R455NORD');
  } finally {
    cable.stop();
  }
});

test('a Read cancelled, cut off by a pulled cable or refused the port keeps the data and lets the port go; a framing error does not end it', async () => {
  for (const { cable, status, box, again } of [
    { cable: { at: { bytes: 300, then: 'cancel' } }, status: ' Terminated cloning.  ', again: true },
    { cable: { at: { bytes: 300, then: 'pull' } }, status: ' Err: Cannot read cloning data.', box: checkSoftware },
    { cable: { openError: 'InvalidStateError' }, status: ' Err: Cannot access RS-232C port.', box: checkPort, again: true },
    { cable: { at: { bytes: 300, then: 'framing' } }, status: ' Cloning completed.' },
  ]) {
    const sim = await simulatedCable(cable);
    try {
      const page = await openPage(browser, { serial: sim });
      const before = [await page.title(), await rows(page)];
      await menu(page, 'Clone', 'Read <- TR');
      if (box) {
        await page.waitForSelector('#notice[open]');
        assert.equal(await page.textContent('#notice-text'), box);
        await page.locator('#notice').getByRole('button', { name: 'OK' }).click();
      }
      await cloneDone(page);
      assert.equal(await page.textContent('#status'), status);
      if (status !== ' Cloning completed.')
        assert.deepEqual([await page.title(), await rows(page)], before);
      // Chrome refuses to close a port whose streams are still locked, and to open it again.
      await page.waitForFunction(() => __port.log.closes + __port.log.refused === __port.log.opens);
      assert.deepEqual(await page.evaluate(() => [__port.log.refused, __port.readable, __port.writable]), [0, null, null]);
      if (again) {
        await menu(page, 'Clone', 'Read <- TR');
        await cloneDone(page);
        assert.equal(await page.textContent('#status'), ' Cloning completed.');
        assert.equal(await page.title(), '*Untitled - PW-R455NORD');
      }
    } finally {
      sim.stop();
    }
  }
});

test('speaks the browser\'s language, Swedish here, from the desktop program\'s catalog', async () => {
  const sv = readCatalog(readFileSync(new URL('../../po/sv.po', import.meta.url), 'utf8'));
  const shown = label => sv[label].split('\t')[0].replace(/&(.)/g, '$1');
  const page = await openPage(browser, { query: '?simulate', locale: 'sv-SE' });
  assert.equal(await page.title(), `${sv.Untitled} - PW-R455NORD${sv[' [simulated transceiver]']}`);
  assert.deepEqual(await page.$$eval('[role=columnheader]', h => h.slice(0, 4).map(e => e.textContent)),
    ['CH', 'Prio', 'Frequency', 'Name'].map(h => sv[h] ?? h));
  await menu(page, shown('&Clone'), shown('&Read <- TR'));
  await cloneDone(page);
  assert.equal(await page.textContent('#status'), sv[' Cloning completed.']);
  await page.locator('#ch-1').dblclick();
  assert.equal(await page.textContent('#edit-memory label span'), sv['Operating Frequency']);
});
