// A binary file as a script the page reads from the disk as well as from a server:
// gzip-compressed, in base64, as the variable NAME (PWR_CORE_WASM for the core's WebAssembly;
// the page unpacks it with DecompressionStream).
//   node pack_wasm.mjs FILE OUT.js [NAME]
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';

const [file, out, name = 'PWR_CORE_WASM'] = process.argv.slice(2);
const packed = gzipSync(readFileSync(file), { level: 9 }).toString('base64');
writeFileSync(out, `var ${name} = "${packed}";\n`);
