// The core's WebAssembly as a script the page reads from the disk as well as from a server:
// gzip-compressed, in base64, as PWR_CORE_WASM (the page unpacks it with DecompressionStream).
//   node pack_wasm.mjs CORE.wasm OUT.js
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';

const [wasm, out] = process.argv.slice(2);
const packed = gzipSync(readFileSync(wasm), { level: 9 }).toString('base64');
writeFileSync(out, `var PWR_CORE_WASM = "${packed}";\n`);
