// Puts the page, its style and its scripts into one HTML file that works opened from the disk.
//   node single_file.mjs DIST   (reads DIST/index.html and what it names, writes DIST/pwr455.html)
// The airport list (DIST/airports.js, which the page loads only when its dialog opens) goes in
// as data the browser does not parse as a script: a base64 text in an element of its own.
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const dist = process.argv[2];
const read = name => readFileSync(join(dist, name), 'utf8');
// A script's text may not end the element that holds it.
const inline = text => text.replace(/<\/(script)/gi, '<\\/$1');
// A file opened from the disk installs nothing: no manifest; its icon travels inside it.
const icon = `data:image/svg+xml;base64,${readFileSync(join(dist, 'pwr455.svg')).toString('base64')}`;
const airports = existsSync(join(dist, 'airports.js'))
  ? `<script type="application/octet-stream" id="pwr-airports">${/"([^"]*)"/.exec(read('airports.js'))[1]}</script>\n`
  : '';
const page = read('index.html')
  .replace(/<link rel="manifest"[^>]*>\n?/, '')
  .replace(/<link rel="icon" href="[^"]+"/, `<link rel="icon" href="${icon}"`)
  .replace(/<link rel="stylesheet" href="([^"]+)">/g, (_, css) => `<style>\n${read(css)}</style>`)
  .replace(/<script src="([^"]+)"><\/script>/g, (_, js) => `<script>\n${inline(read(js))}\n</script>`)
  .replace('</body>', () => `${airports}</body>`);
writeFileSync(join(dist, 'pwr455.html'), page);
