// The page: menus, the channel list and the dialogs, drawn from what the core says. What a
// command does to the data is the core's; the page asks, draws and carries files.

import { answer, CloneHost } from './clone_host';
import { ChannelFields, ChannelListState, Core, kSettingBoxes, ListCommand, SettingsSheet } from './core';
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

// A submenu: its items shown as a group under its label.
interface Submenu {
  label: string;
  items: Command[];
}

type MenuEntry = Command | Submenu | null;

const ctrl = (k: string) => (e: KeyboardEvent) =>
  (e.ctrlKey || e.metaKey) && !e.shiftKey && !e.altKey && e.key.toLowerCase() === k;
const plain = (k: string) => (e: KeyboardEvent) => !e.ctrlKey && !e.metaKey && !e.shiftKey && !e.altKey && e.key === k;

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
  const frequency = field('em-frequency');
  const typing = () => {
    // Name and flags mean something only on a channel that has a frequency.
    const blank = frequency.value.trim() === '';
    ['em-name', 'em-tx-inhibit', 'em-lockout'].forEach(id => { field(id).disabled = blank; });
    const note = core.describeFrequency(frequency.value);
    $('em-note').textContent = note;
    frequency.setAttribute('aria-description', note);
  };
  typing();
  frequency.addEventListener('input', typing);
  const choice = await answer(dialog);
  frequency.removeEventListener('input', typing);
  if (choice !== 'ok')
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

// Editing commands ----------------------------------------------------------------------------

function offered(command: ListCommand): boolean {
  return core.plan(command, selected).enabled;
}

async function runCommand(command: ListCommand): Promise<void> {
  const plan = core.plan(command, selected);
  if (!plan.enabled)
    return;
  if (plan.refusal) {
    await host.showNotice(plan.refusal, false);
    return;
  }
  if (plan.question) {
    const q = $<HTMLDialogElement>('yes-no');
    q.querySelector('p')!.textContent = plan.question;
    if ((await answer(q)) !== 'yes')
      return;
  }
  const outcome = core.run(command, selected);
  if (outcome.clipboard !== undefined)
    navigator.clipboard?.writeText(outcome.clipboard).catch(() => {});
  if (outcome.status !== undefined)
    $('status').textContent = outcome.status;
  selected = outcome.selected;
  draw();
}

function undoOrRedo(redo: boolean): void {
  const status = core.undoOrRedo(redo);
  if (status)
    $('status').textContent = status;
  draw();
}

// The settings sheet ----------------------------------------------------------------------------

let settingsPage = 0; // the page the sheet opens on: the one last turned to

function fillList(select: HTMLSelectElement, entries: string[], chosen: number): void {
  select.replaceChildren(...entries.map((text, i) => new Option(text, String(i), false, i === chosen)));
}

async function commonSetting(): Promise<void> {
  const sheet: SettingsSheet = core.settings();
  const dialog = $<HTMLDialogElement>('settings');
  const text = (key: string) => String(sheet[key]);
  dialog.querySelector('h2')!.textContent = text('caption');
  const tabs = dialog.querySelectorAll<HTMLButtonElement>('[role=tab]');
  const pages = dialog.querySelectorAll<HTMLElement>('[role=tabpanel]');
  const turnTo = (page: number) => {
    settingsPage = page;
    tabs.forEach((tab, i) => {
      tab.setAttribute('aria-selected', String(i === page));
      tab.tabIndex = i === page ? 0 : -1;
    });
    pages.forEach((panel, i) => { panel.hidden = i !== page; });
  };
  tabs[0].textContent = text('common').trim();
  tabs[1].textContent = text('advanced').trim();
  tabs.forEach((tab, i) => { tab.onclick = () => turnTo(i); });
  dialog.querySelector<HTMLElement>('[role=tablist]')!.onkeydown = e => {
    if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
      turnTo(1 - settingsPage);
      tabs[settingsPage].focus();
    }
  };
  turnTo(settingsPage);
  for (const box of kSettingBoxes) {
    dialog.querySelector(`#set-${box} + span`)!.textContent = text(box);
    $<HTMLInputElement>(`set-${box}`).checked = sheet[`${box}On`] === true;
  }
  for (const label of ['indicateMode', 'backlight', 'scanMode', 'priority', 'openingText'])
    $(`set-${label}-label`).textContent = text(`${label}Label`);
  fillList($('set-indicateMode'), sheet.indicateModes, sheet.indicateMode);
  fillList($('set-backlight'), sheet.backlights, sheet.backlight);
  fillList($('set-scanMode'), sheet.scanModes, sheet.scanMode);
  fillList($('set-spacing'), sheet.spacings, sheet.spacing);
  const priority = $<HTMLSelectElement>('set-priority');
  priority.replaceChildren(...sheet.priorities.map((label, i) =>
    new Option(label, i === 0 ? '0' : label, false, i === 0 ? sheet.priority === 0 : Number(label) === sheet.priority)));
  const opening = $<HTMLInputElement>('set-openingText');
  opening.maxLength = sheet.openingTextLimit;
  opening.value = sheet.openingText;
  const comment = $<HTMLInputElement>('set-cloneComment');
  comment.maxLength = sheet.cloneCommentLimit;
  comment.value = sheet.cloneComment;

  const ok = (await answer(dialog)) === 'ok';
  const list = (id: string) => Number($<HTMLSelectElement>(id).value);
  const note = core.applySettings(ok ? {
    boxes: kSettingBoxes.map(box => $<HTMLInputElement>(`set-${box}`).checked),
    indicateMode: list('set-indicateMode'),
    backlight: list('set-backlight'),
    scanMode: list('set-scanMode'),
    priority: list('set-priority'),
    spacing: list('set-spacing'),
    openingText: opening.value,
    cloneComment: comment.value,
  } : null);
  if (ok)
    $('status').textContent = note || tr('Ready');
  draw();
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

function menus(state: ChannelListState): { label: string; items: MenuEntry[] }[] {
  const portItems: Command[] = ports.list().map((p, i) => ({
    label: describePort(p, (vendor, product) => core.chipName(vendor, product)),
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
      { label: state.undoLabel, run: () => undoOrRedo(false), enabled: () => !!state.undo, key: ctrl('z') },
      { label: state.redoLabel, run: () => undoOrRedo(true), enabled: () => !!state.redo, key: ctrl('y') },
      null,
      { label: '&Edit Memory...\tEnter', run: editMemory },
      null,
      editing('&Copy\tCtrl+C', ListCommand.Copy, ctrl('c')),
      editing('&Paste\tCtrl+V', ListCommand.Paste, ctrl('v')),
      null,
      editing('Clear\tDel', ListCommand.Clear, plain('Delete')),
      editing('Delete', ListCommand.Delete),
      editing('Insert\t', ListCommand.Insert),
      null,
      editing('&Move Up\tCtrl+Up', ListCommand.MoveUp, ctrl('arrowup')),
      editing('Move &Down\tCtrl+Down', ListCommand.MoveDown, ctrl('arrowdown')),
      { label: '&Sort Channels', items: [
        editing('By &Frequency', ListCommand.SortByFrequency),
        editing('By &Name', ListCommand.SortByName),
      ] },
    ] },
    { label: '&View', items: [
      { label: '&Common Setting...', run: commonSetting },
      null,
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

function editing(label: string, command: ListCommand, key?: (e: KeyboardEvent) => boolean): Command {
  return { label, run: () => runCommand(command), enabled: () => offered(command), key };
}

let allCommands: Command[] = [];

function menuEntry(item: Command, list: HTMLElement): HTMLButtonElement {
  allCommands.push(item);
  const { text, shortcut } = menuLabel(item.label);
  const entry = document.createElement('button');
  entry.setAttribute('role', item.checked === undefined ? 'menuitem' : 'menuitemradio');
  if (item.checked !== undefined)
    entry.setAttribute('aria-checked', String(item.checked));
  entry.setAttribute('aria-label', text);
  const update = () => { entry.disabled = item.enabled ? !item.enabled() : false; };
  update();
  // The cursor may have moved since the menus were drawn: the items are checked as the menu opens.
  list.addEventListener('opening', update);
  entry.tabIndex = -1;
  entry.innerHTML = '<span></span><kbd></kbd>';
  entry.querySelector('span')!.textContent = text;
  entry.querySelector('kbd')!.textContent = shortcut;
  entry.addEventListener('click', () => { list.hidden = true; item.run(); });
  return entry;
}

// Arrow keys, Home and End move among a menu's items; Escape closes it.
function menuKeys(e: KeyboardEvent, list: HTMLElement, top: HTMLElement): void {
  const items = [...list.querySelectorAll<HTMLButtonElement>('button:not(:disabled)')];
  const at = items.indexOf(document.activeElement as HTMLButtonElement);
  const go = (i: number) => { e.preventDefault(); items[(i + items.length) % items.length]?.focus(); };
  if (e.key === 'ArrowDown')
    go(at + 1);
  else if (e.key === 'ArrowUp')
    go(at - 1);
  else if (e.key === 'Home')
    go(0);
  else if (e.key === 'End')
    go(items.length - 1);
  else if (e.key === 'Escape') {
    e.preventDefault();
    list.hidden = true;
    top.focus();
  } else if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
    e.preventDefault();
    const tops = [...document.querySelectorAll<HTMLButtonElement>('#menubar > .menu > button')];
    const next = tops[(tops.indexOf(top as HTMLButtonElement) + (e.key === 'ArrowRight' ? 1 : tops.length - 1)) % tops.length];
    list.hidden = true;
    next.click();
  }
}

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
      } else if ('items' in item) {
        const group = document.createElement('div');
        group.setAttribute('role', 'group');
        const heading = document.createElement('span');
        heading.className = 'submenu';
        heading.textContent = menuLabel(item.label).text;
        group.setAttribute('aria-label', heading.textContent);
        group.append(heading, ...item.items.map(sub => menuEntry(sub, list)));
        list.append(group);
      } else {
        list.append(menuEntry(item, list));
      }
    }
    list.addEventListener('keydown', e => menuKeys(e, list, top));
    top.addEventListener('click', () => {
      const wasHidden = list.hidden;
      bar.querySelectorAll<HTMLElement>('[role=menu]').forEach(m => { m.hidden = true; });
      list.hidden = !wasHidden;
      if (!list.hidden)
        list.dispatchEvent(new Event('opening'));
      if (!list.hidden)
        list.querySelector<HTMLButtonElement>('button:not(:disabled)')?.focus();
    });
    top.addEventListener('keydown', e => {
      if (e.key === 'ArrowDown') {
        e.preventDefault();
        if (list.hidden)
          top.click();
      }
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
  } else if (!e.ctrlKey && !e.metaKey && (e.key === 'ArrowDown' || e.key === 'ArrowUp')) {
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
