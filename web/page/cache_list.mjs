// The service worker's list of the page's files and its cache's name (a digest of them), as
// esbuild's defines: node cache_list.mjs DIST FILE... prints the two --define options.
import { createHash } from 'node:crypto';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const [dist, ...files] = process.argv.slice(2);
const digest = createHash('sha256');
for (const file of files)
  digest.update(file).update(readFileSync(join(dist, file)));
const name = `pwr455-${digest.digest('hex').slice(0, 16)}`;
console.log(`--define:PWR_CACHE_NAME=${JSON.stringify(name)}`);
console.log(`--define:PWR_CACHE_FILES=${JSON.stringify(['./', ...files])}`);
