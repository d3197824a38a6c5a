// File > Print... and Print Preview... in headless Chromium: the card says what the tool's card
// says, in the page's language, and prints alone on the paper chosen.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { after, before, test } from 'node:test';
import { readCatalog } from '../../web/page/catalogs.mjs';
import { cli, launch, menu, openPage, scratch, tool, until } from './page_harness.mjs';

let browser;
const files = scratch();
before(async () => {
  browser = await launch();
  writeFileSync(files.path('list.csv'), 'Channel;Frequency;Name;Tx Inhibit;Lockout\n1;121.5;TOWER;;\n' +
    '2;118.1;ATIS;ON;\n7;119.7;APP;;ON\n20;123.45;LAST;;\n');
  cli('import', files.path('list.csv'), '-o', files.path('list.qrb'));
});
after(async () => { await browser.close(); files.remove(); });

// A menu item by the desktop program's text in the page's language.
const item = (tr, label) => tr(label).split('\t')[0].replace('&', '');

async function openList(page, tr = t => t) {
  const chooser = page.waitForEvent('filechooser');
  await menu(page, item(tr, '&File'), item(tr, '&Open...\tCtrl+O'));
  await (await chooser).setFiles(files.path('list.qrb'));
  await page.waitForFunction(() => document.title.startsWith('list.qrb'));
}

// The card's words in any order, without the date (today's, on both sides).
const words = texts => texts.join(' ').split(/\s+/).filter(w => w && !/^\d{4}-\d\d-\d\d$/.test(w)).sort();

test('the preview shows the words of the tool\'s card, in English and in Norwegian', async () => {
  const nb = readCatalog(readFileSync(new URL('../../po/nb.po', import.meta.url), 'utf8'));
  for (const [locale, lang, tr] of [['en-US', 'C.UTF-8', t => t], ['nb-NO', 'nb_NO.UTF-8', t => nb[t]]]) {
    const page = await openPage(browser, { locale });
    await openList(page, tr);
    await menu(page, item(tr, '&File'), item(tr, 'Print Pre&view...'));
    await page.waitForSelector('#card-dialog[open] #card-preview text');
    const shown = await page.$$eval('#card-preview text', t => t.map(e => e.textContent));
    execFileSync(tool, ['card', files.path('list.qrb'), '-o', files.path('card.pdf')],
      { env: { PATH: process.env.PATH, HOME: files.dir, LANG: lang } });
    const desktop = execFileSync('pdftotext', ['-raw', files.path('card.pdf'), '-'], { encoding: 'utf8' });
    assert.deepEqual(words(shown), words([desktop]));
    assert.ok(shown.includes(tr('Channel Spacing')) && shown.includes('ATIS') && shown.includes('121.500'), locale);
    await page.context().close();
  }
});

test('prints the card alone on A5, A4 or Letter, as the PDF of the browser\'s printing', async () => {
  const page = await openPage(browser);
  await page.addInitScript(() => { window.print = () => { window.printed = (window.printed ?? 0) + 1; }; });
  await page.reload();
  await page.waitForSelector('body[data-ready=true]');
  await openList(page);
  const papers = [['A5', 419.53, 595.28], ['A4', 595.28, 841.89], ['Letter', 612, 792]];
  for (const [i, [name, width, height]] of papers.entries()) {
    // Print... (Ctrl+P) offers the paper alone; the preview shows the card on it.
    if (i === 0)
      await page.keyboard.press('Control+p');
    else
      await menu(page, 'File', 'Print Preview...');
    await page.waitForSelector('#card-dialog[open]');
    assert.equal(await page.isVisible('#card-preview svg'), i > 0);
    await page.selectOption('#card-paper', { label: name });
    await page.click('#card-print-button');
    await until(() => page.evaluate(() => window.printed), i + 1);

    await page.emulateMedia({ media: 'print' });
    assert.match(await page.textContent('#card-page'), new RegExp(`size: ${width}pt ${height}pt; margin: 0`));
    assert.deepEqual(await Promise.all(['#menubar', '#channels', '#status', '#card-print svg'].map(s => page.isVisible(s))),
      [false, false, false, true]);
    const pdf = (await page.pdf({ preferCSSPageSize: true })).toString('latin1');
    assert.equal(pdf.match(/\/Type\s*\/Page\b/g)?.length, 1, name);
    const [w, h] = /\/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\]/.exec(pdf).slice(1).map(Number);
    assert.ok(Math.abs(w - width) < 1 && Math.abs(h - height) < 1, `${name}: ${w} x ${h}`);
    await page.emulateMedia({ media: 'screen' });
  }
});
