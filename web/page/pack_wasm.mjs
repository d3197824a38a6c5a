// A binary file as a script the page reads from the disk as well as from a server:
// gzip-compressed, in base64, as the variable NAME (PWR_CORE_WASM for the core's WebAssembly;
// the page unpacks it with DecompressionStream, src/packed.ts).
//   node pack_wasm.mjs FILE OUT.js [NAME]
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

// The script that sets `name` to `bytes` packed.
export function packedScript(bytes, name) {
  return `var ${name} = "${gzipSync(bytes, { level: 9 }).toString('base64')}";\n`;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [file, out, name = 'PWR_CORE_WASM'] = process.argv.slice(2);
  writeFileSync(out, packedScript(readFileSync(file), name));
}
