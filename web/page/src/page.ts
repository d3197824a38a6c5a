// What the page's parts share: the core, the clone host, the channel list's cursor and its
// drawing, the status bar, message boxes and downloads.

import { CloneHost } from './clone_host';
import { Core } from './core';

export const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

export let core: Core;
export let host: CloneHost;
// The channel the list's cursor is on: the one the editing commands act on.
export let selected = 1;
let drawAll: () => void = () => {};

export function startPage(theCore: Core, theHost: CloneHost, drawPage: () => void): void {
  core = theCore;
  host = theHost;
  drawAll = drawPage;
}

// Draws the title, the list and the menus anew from what the core says.
export function draw(): void {
  drawAll();
}

// Moves the list's cursor; the rows stay as they are, so that a double click lands on one row.
export function select(ch: number): void {
  selected = ch;
  document.querySelectorAll('#channels [role=row][id]').forEach(row => {
    row.setAttribute('aria-selected', String(row.id === `ch-${ch}`));
  });
  $('channels').setAttribute('aria-activedescendant', `ch-${ch}`);
}

export function setStatus(text: string): void {
  $('status').textContent = text;
}

// A message box: a warning (the clone commands' and the files' failures) or a plain one.
export function notice(text: string, warning = true): Promise<void> {
  return host.showNotice(text, warning);
}

export function download(name: string, bytes: Uint8Array<ArrayBuffer> | string, type = 'application/octet-stream'): void {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

export interface PickedFile {
  name: string;
  bytes: Uint8Array;
  handle: FileSystemFileHandle | null; // where the browser can write back to it
}

// A file the user picks: through the File System Access API (`types`) where the browser has it,
// else a file input (`accept`); at most `readLimit` bytes of it are read. Null when none.
export async function pickFile(types: object[], accept: string, readLimit = Infinity): Promise<PickedFile | null> {
  const read = async (file: File) => new Uint8Array(await file.slice(0, readLimit).arrayBuffer());
  if ('showOpenFilePicker' in window) {
    try {
      const [handle] = await (window as any).showOpenFilePicker({ types });
      const file: File = await handle.getFile();
      return { name: file.name, bytes: await read(file), handle };
    } catch {
      return null;
    }
  }
  const input = Object.assign(document.createElement('input'), { type: 'file', accept, hidden: true });
  document.body.append(input);
  const file = await new Promise<File | null>(resolve => {
    input.addEventListener('change', () => resolve(input.files?.[0] ?? null), { once: true });
    input.addEventListener('cancel', () => resolve(null), { once: true });
    input.click();
  });
  input.remove();
  return file ? { name: file.name, bytes: await read(file), handle: null } : null;
}

// An element with its properties and children (texts among them).
export function element<K extends keyof HTMLElementTagNameMap>(tag: K, props: Partial<HTMLElementTagNameMap[K]> = {},
  ...children: (Node | string)[]): HTMLElementTagNameMap[K] {
  const e = Object.assign(document.createElement(tag), props);
  e.append(...children);
  return e;
}
