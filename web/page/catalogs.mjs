// The translation catalogs (po/LANG.po) as the page reads them: one script that sets
// PWR_CATALOGS to { LANG: { english: translated } }, with the translated, current texts only.
//   node catalogs.mjs OUT.js po/nb.po po/sv.po ...
import { readFileSync, writeFileSync } from 'node:fs';
import { basename } from 'node:path';
import { pathToFileURL } from 'node:url';

// The C escapes gettext writes.
const unescape = text => text.replace(/\\(["\\nrt])/g, (_, c) => ({ n: '\n', r: '\r', t: '\t' }[c] ?? c));

export function readCatalog(text) {
  const entries = {};
  for (const block of text.split(/\n\s*\n/)) {
    const lines = block.split('\n');
    if (lines.some(l => l.startsWith('#~')) || lines.some(l => /^#,.*\bfuzzy\b/.test(l)))
      continue;
    const fields = {};
    let field = null;
    for (const line of lines) {
      const start = /^(msgid|msgstr) "(.*)"$/.exec(line);
      const more = /^"(.*)"$/.exec(line);
      if (start) {
        field = start[1];
        fields[field] = unescape(start[2]);
      } else if (more && field) {
        fields[field] += unescape(more[1]);
      }
    }
    if (fields.msgid && fields.msgstr)
      entries[fields.msgid] = fields.msgstr;
  }
  return entries;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [out, ...files] = process.argv.slice(2);
  const catalogs = Object.fromEntries(files.map(f => [basename(f, '.po'), readCatalog(readFileSync(f, 'utf8'))]));
  writeFileSync(out, `var PWR_CATALOGS = ${JSON.stringify(catalogs)};\n`);
}
