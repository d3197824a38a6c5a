// The page: menus, the channel list and the dialogs, drawn from what the core says. What a
// command does to the data is the core's; the page asks, draws and carries files.

import { answer, CloneHost } from './clone_host';
import { ChannelFields, ChannelListState, Core } from './core';
import { SerialPorts, describePort } from './serial_ports';
import { chooseLanguage, chosenLanguage, kLanguages, menuLabel, startLanguage, tr, translateForCore } from './texts';

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

let core: Core;
let host: CloneHost;
let selected = 1; // the channel the list's cursor is on
let fileHandle: FileSystemFileHandle | null = null;
let port = 0; // the port the clone commands use: webserial:port
let running = false;
const ports = new SerialPorts();

interface Command {
  label: string; // the desktop program's menu text
  run: () => unknown;
  enabled?: () => boolean;
  key?: (e: KeyboardEvent) => boolean;
  checked?: boolean; // one of a choice (a radio item)
}

const ctrl = (k: string) => (e: KeyboardEvent) => (e.ctrlKey || e.metaKey) && !e.shiftKey && e.key.toLowerCase() === k;

function draw(): void {
  const state = core.state();
  document.title = state.title;
  $('title').textContent = state.title;
  const grid = $('channels');
  grid.replaceChildren();
  const head = document.createElement('div');
  head.setAttribute('role', 'row');
  state.headings.forEach(h => {
    const cell = document.createElement('span');
    cell.setAttribute('role', 'columnheader');
    cell.textContent = h;
    head.append(cell);
  });
  grid.append(head);
  state.rows.forEach((row, i) => {
    const line = document.createElement('div');
    line.setAttribute('role', 'row');
    line.id = `ch-${i + 1}`;
    line.setAttribute('aria-selected', String(i + 1 === selected));
    line.addEventListener('click', () => select(i + 1));
    line.addEventListener('dblclick', () => { select(i + 1); editMemory(); });
    row.forEach(text => {
      const cell = document.createElement('span');
      cell.setAttribute('role', 'gridcell');
      cell.textContent = text;
      line.append(cell);
    });
    grid.append(line);
  });
  grid.setAttribute('aria-activedescendant', `ch-${selected}`);
  drawMenus(state);
}

// Moves the list's cursor; the rows stay as they are, so that a double click lands on one row.
function select(ch: number): void {
  selected = ch;
  document.querySelectorAll('#channels [role=row][id]').forEach(row => {
    row.setAttribute('aria-selected', String(row.id === `ch-${ch}`));
  });
  $('channels').setAttribute('aria-activedescendant', `ch-${ch}`);
}

// Edit Memory ---------------------------------------------------------------------------------

async function editMemory(): Promise<void> {
  const dialog = $<HTMLDialogElement>('edit-memory');
  const now = core.channel(selected);
  const field = (id: string) => $<HTMLInputElement>(id);
  dialog.querySelector('h2')!.textContent = `${tr('Edit Memory ch')} ${String(selected).padStart(2, '0')}`;
  field('em-frequency').value = now.inUse ? now.frequency : '';
  field('em-name').value = now.name;
  field('em-tx-inhibit').checked = now.txInhibit;
  field('em-lockout').checked = now.lockout;
  if ((await answer(dialog)) !== 'ok')
    return;
  const typed: ChannelFields = {
    inUse: true,
    frequency: field('em-frequency').value,
    name: field('em-name').value,
    txInhibit: field('em-tx-inhibit').checked,
    lockout: field('em-lockout').checked,
  };
  const notes = core.editChannel(selected, typed);
  draw();
  $('status').textContent = notes || tr('Ready');
}

// Files -----------------------------------------------------------------------------------------

const kFileTypes = [{ description: 'PW-R455NORD Data', accept: { 'application/octet-stream': ['.qrb'] } }];

async function pickFile(): Promise<{ name: string; bytes: Uint8Array; handle: FileSystemFileHandle | null } | null> {
  if ('showOpenFilePicker' in window) {
    try {
      const [handle] = await (window as any).showOpenFilePicker({ types: kFileTypes });
      const file: File = await handle.getFile();
      return { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()), handle };
    } catch {
      return null;
    }
  }
  const input = $<HTMLInputElement>('open-input');
  input.value = '';
  const chosen = new Promise<File | null>(resolve => {
    input.addEventListener('change', () => resolve(input.files?.[0] ?? null), { once: true });
    input.addEventListener('cancel', () => resolve(null), { once: true });
  });
  input.click();
  const file = await chosen;
  return file ? { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()), handle: null } : null;
}

// The question before unsaved changes are dropped: true to go on.
async function saveModified(): Promise<boolean> {
  const state = core.state();
  if (!state.edited)
    return true;
  const q = $<HTMLDialogElement>('save-question');
  q.querySelector('p')!.textContent = tr('Save changes to %s?').replace('%s', state.name);
  const choice = await answer(q);
  if (choice === 'yes')
    return await save(false);
  return choice === 'no';
}

async function newData(): Promise<void> {
  if (!(await saveModified()))
    return;
  core.newData();
  fileHandle = null;
  draw();
}

async function open(): Promise<void> {
  if (!(await saveModified()))
    return;
  const file = await pickFile();
  if (!file)
    return;
  const failure = core.open(file.name, file.bytes);
  if (failure) {
    await notice(failure);
    return;
  }
  fileHandle = file.handle;
  draw();
}

async function save(asNew: boolean): Promise<boolean> {
  const made = core.format();
  if (!made.bytes) {
    await notice(made.error ?? '');
    return false;
  }
  let name = core.state().name;
  if (!name.toLowerCase().endsWith('.qrb'))
    name += '.qrb';
  try {
    if ('showSaveFilePicker' in window) {
      if (asNew || !fileHandle)
        fileHandle = await (window as any).showSaveFilePicker({ suggestedName: name, types: kFileTypes });
      const writable = await fileHandle!.createWritable();
      await writable.write(made.bytes);
      await writable.close();
      name = fileHandle!.name;
    } else {
      download(name, made.bytes);
    }
  } catch (e) {
    if ((e as DOMException).name !== 'AbortError')
      await notice(`${name}\n${(e as Error).message}`);
    return false;
  }
  core.saved(name);
  draw();
  return true;
}

function download(name: string, bytes: Uint8Array<ArrayBuffer>): void {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// A file's failure, in the warning box of the clone commands' failures.
function notice(text: string): Promise<void> {
  return host.showNotice(text, true);
}

// Clone -----------------------------------------------------------------------------------------

async function clone(command: 'read' | 'write' | 'information'): Promise<void> {
  if (running)
    return;
  running = true;
  document.body.dataset.cloning = command;
  try {
    await core.clone(command);
  } finally {
    running = false;
    delete document.body.dataset.cloning;
    draw();
  }
}

async function choosePort(): Promise<void> {
  const index = await ports.choose();
  if (index >= 0)
    port = index;
  drawMenus();
}

// Menus -----------------------------------------------------------------------------------------

function menus(state: ChannelListState): { label: string; items: (Command | null)[] }[] {
  const portItems: Command[] = ports.list().map((p, i) => ({
    label: describePort(p),
    checked: i === port,
    run: () => { port = i; drawMenus(); },
  }));
  return [
    { label: '&File', items: [
      { label: '&New\tCtrl+N', run: newData },
      { label: '&Open...\tCtrl+O', run: open, key: ctrl('o') },
      { label: '&Save\tCtrl+S', run: () => save(false), key: ctrl('s') },
      { label: 'Save &As...', run: () => save(true) },
    ] },
    { label: '&Edit', items: [
      { label: '&Undo\tCtrl+Z', run: () => { core.undo(); draw(); }, enabled: () => !!state.undo, key: ctrl('z') },
      { label: '&Redo\tCtrl+Y', run: () => { core.redo(); draw(); }, enabled: () => !!state.redo, key: ctrl('y') },
      null,
      { label: '&Edit Memory...\tEnter', run: editMemory },
    ] },
    { label: '&View', items: [
      ...kLanguages.map(([code, name]): Command => ({
        label: name,
        checked: code === chosenLanguage(),
        run: () => { chooseLanguage(code); drawMenus(); },
      })),
      null,
      { label: 'Applies from the next start', run: () => {}, enabled: () => false },
    ] },
    { label: 'COM &Port', items: [...portItems, null, { label: 'Port &Settings...', run: choosePort,
      enabled: () => SerialPorts.supported() }] },
    { label: '&Clone', items: [
      { label: '&Read <- TR', run: () => clone('read') },
      { label: '&Write -> TR', run: () => clone('write') },
      { label: '&Information...', run: () => clone('information') },
    ] },
  ];
}

let allCommands: Command[] = [];

function drawMenus(state = core.state()): void {
  const bar = $('menubar');
  bar.replaceChildren();
  allCommands = [];
  for (const menu of menus(state)) {
    const top = document.createElement('button');
    top.setAttribute('role', 'menuitem');
    top.setAttribute('aria-haspopup', 'menu');
    top.textContent = menuLabel(menu.label).text;
    const list = document.createElement('div');
    list.setAttribute('role', 'menu');
    list.hidden = true;
    for (const item of menu.items) {
      if (!item) {
        list.append(Object.assign(document.createElement('hr'), { role: 'separator' }));
        continue;
      }
      allCommands.push(item);
      const { text, shortcut } = menuLabel(item.label);
      const entry = document.createElement('button');
      entry.setAttribute('role', item.checked === undefined ? 'menuitem' : 'menuitemradio');
      if (item.checked !== undefined)
        entry.setAttribute('aria-checked', String(item.checked));
      entry.setAttribute('aria-label', text);
      entry.disabled = item.enabled ? !item.enabled() : false;
      entry.innerHTML = '<span></span><kbd></kbd>';
      entry.querySelector('span')!.textContent = text;
      entry.querySelector('kbd')!.textContent = shortcut;
      entry.addEventListener('click', () => { list.hidden = true; item.run(); });
      list.append(entry);
    }
    top.addEventListener('click', () => {
      const wasHidden = list.hidden;
      bar.querySelectorAll<HTMLElement>('[role=menu]').forEach(m => { m.hidden = true; });
      list.hidden = !wasHidden;
    });
    const holder = document.createElement('div');
    holder.className = 'menu';
    holder.append(top, list);
    bar.append(holder);
  }
}

function onKey(e: KeyboardEvent): void {
  if (document.querySelector('dialog[open]'))
    return;
  const command = allCommands.find(c => c.key?.(e) && (!c.enabled || c.enabled()));
  if (command) {
    e.preventDefault();
    command.run();
  } else if (e.key === 'Enter') {
    editMemory();
  } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
    e.preventDefault();
    select(Math.min(20, Math.max(1, selected + (e.key === 'ArrowDown' ? 1 : -1))));
  }
}

async function start(): Promise<void> {
  host = new CloneHost({
    status: $('status'),
    progress: $('progress'),
    notice: $('notice'),
    question: $('question'),
    information: $('information'),
  });
  startLanguage();
  core = await Core.load(host, ports.forCore(), translateForCore);
  await ports.refresh();
  if (!SerialPorts.supported())
    $('no-serial').hidden = false;
  // Try without a radio, as the desktop program's --simulate.
  if (new URLSearchParams(location.search).has('simulate'))
    core.simulate();
  $('status').textContent = tr('Ready');
  $('channels').addEventListener('keydown', onKey);
  document.addEventListener('keydown', e => { if (e.target === document.body) onKey(e); });
  window.addEventListener('beforeunload', e => {
    if (core.state().edited) {
      e.preventDefault();
      e.returnValue = '';
    }
  });
  draw();
  $('channels').focus();
  document.body.dataset.ready = 'true';
}

start();
