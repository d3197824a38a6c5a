// The page with no network: the single file from the disk, and the folder served over HTTP from
// this computer (a secure origin, as HTTPS is), installed and opened again offline. Its Help menu
// carries the help book's pages for the browser.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { after, before, test } from 'node:test';
import { dist, launch, menu, openPage, until } from './page_harness.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.png': 'image/png',
  '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };

// A static web server of the page's folder, as any web host is.
async function serveFolder() {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname)).replace(/^(\.\.[/\\])+/, '');
    try {
      const body = readFileSync(join(dist, path.endsWith('/') ? `${path}index.html` : path));
      response.writeHead(200, { 'Content-Type': kTypes[extname(path)] ?? 'application/octet-stream' }).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise(r => server.close(r)) };
}

test('the single file works with no network and shows the help book\'s pages for the browser', async () => {
  const page = await openPage(browser);
  await menu(page, 'Help', 'Contents');
  const help = page.frameLocator('#help iframe');
  await until(() => help.locator('h2').textContent(), 'The program in the browser');
  await help.getByRole('link', { name: 'Reading from the transceiver' }).click();
  await until(() => help.locator('h2').textContent(), 'Reading from the transceiver');
  // A page the browser does not carry is named, not linked.
  assert.equal(await help.getByRole('link', { name: 'Safe cloning' }).count(), 0);
  assert.match(await help.locator('body').textContent(), /Safe cloning/);
});

test('served from a web host, the page installs and opens again with no network', async () => {
  const server = await serveFolder();
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.goto(`${server.url}index.html`);
    await page.waitForSelector('body[data-ready=true]');
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const manifest = await page.evaluate(async () =>
      (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.name, 'PW-R455NORD');
    assert.ok(manifest.icons.some(i => i.sizes === '512x512'));
    await context.setOffline(true);
    for (const address of [`${server.url}index.html`, server.url]) {
      await page.goto(address);
      await page.waitForSelector('body[data-ready=true]');
      assert.equal(await page.title(), 'Untitled - PW-R455NORD');
    }
    for (const icon of manifest.icons)
      assert.equal(await page.evaluate(async src => (await fetch(src)).ok, icon.src), true);
  } finally {
    await context.close();
    await server.close();
  }
});
