// The help book's pages that the page's Help menu opens, in each language (a translated book's
// missing page is the English one), as a script: PWR_HELP, a gzip-compressed JSON in base64 of
// { LANG: { PAGE: html } }. The passages for the Linux desktop go; the Windows ones stay in
// their comments.
//   node help_pages.mjs HELP_DIR OUT.js PAGE...
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { packedScript } from './pack_wasm.mjs';

const [help, out, ...pages] = process.argv.slice(2);
const book = {};
for (const lang of ['en', 'nb', 'sv', 'da', 'fi']) {
  book[lang] = {};
  for (const page of pages) {
    const translated = join(help, lang, page);
    const file = lang !== 'en' && existsSync(translated) ? translated : join(help, page);
    book[lang][page] = readFileSync(file, 'utf8').replace(/<!--linux-->[\s\S]*?<!--\/linux-->/g, '');
  }
}
writeFileSync(out, packedScript(Buffer.from(JSON.stringify(book)), 'PWR_HELP'));
