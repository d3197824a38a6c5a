// What the build packs into scripts (pack_wasm.mjs, help_pages.mjs): gzip-compressed bytes in
// base64, unpacked with the browser's DecompressionStream.

export async function unpack(packed: string): Promise<ArrayBuffer> {
  const gz = Uint8Array.from(atob(packed), c => c.charCodeAt(0));
  return new Response(new Blob([gz]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}
