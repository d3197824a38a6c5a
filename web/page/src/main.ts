// The page: menus, the channel list and the dialogs, drawn from what the core says. What a
// command does to the data is the core's; the page asks, draws and carries files.

import { printCard } from './card';
import { openBackup, storage } from './backups';
import { CloneHost } from './clone_host';
import { compareWithTransceiver } from './compare';
import { checkConnection } from './connection';
import { ChannelListState, Core, ListCommand } from './core';
import { commonSetting, editMemory, offered, runCommand, undoOrRedo } from './editing';
import { importAirports } from './airports';
import { ctrlShift, exportChannels, importChannels, pasteRows } from './exchange';
import { newData, open, save } from './files';
import { showHelp } from './help';
import { Command, commandForKey, ctrl, drawMenuBar, Menu, plain } from './menus';
import { $, core, draw, select, selected, setStatus, startPage } from './page';
import { SerialPorts, describePort } from './serial_ports';
import { chooseLanguage, chosenLanguage, kLanguages, startLanguage, tr, translateForCore } from './texts';

let port = 0; // the port the clone commands use: webserial:port
let running = false;
const ports = new SerialPorts();

function drawPage(): void {
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

function drawMenus(state: ChannelListState): void {
  drawMenuBar(menus(state));
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

function usePort(index: number): void {
  port = index;
  core.usePort(index);
  drawMenus(core.state());
}

async function choosePort(): Promise<void> {
  const index = await ports.choose();
  if (index >= 0)
    usePort(index);
  drawMenus(core.state());
}

// Menus -----------------------------------------------------------------------------------------

function menus(state: ChannelListState): Menu[] {
  const portItems: Command[] = ports.list().map((p, i) => ({
    label: describePort(p, (vendor, product) => core.chipName(vendor, product)),
    checked: i === port,
    run: () => usePort(i),
  }));
  return [
    { label: '&File', items: [
      { label: '&New\tCtrl+N', run: newData },
      { label: '&Open...\tCtrl+O', run: open, key: ctrl('o') },
      { label: '&Save\tCtrl+S', run: () => save(false), key: ctrl('s') },
      { label: 'Save &As...', run: () => save(true) },
      null,
      { label: 'Open &Backup...', run: openBackup },
      { label: '&Import Channels...', run: importChannels },
      { label: '&Export Channels...', run: exportChannels },
      { label: 'Import Airport &Frequencies...', run: importAirports },
      null,
      { label: '&Print...\tCtrl+P', run: () => printCard(false), key: ctrl('p') },
      { label: 'Print Pre&view...', run: () => printCard(true) },
    ] },
    { label: '&Edit', items: [
      { label: state.undoLabel, run: () => undoOrRedo(false), enabled: () => !!state.undo, key: ctrl('z') },
      { label: state.redoLabel, run: () => undoOrRedo(true), enabled: () => !!state.redo, key: ctrl('y') },
      null,
      { label: '&Edit Memory...\tEnter', run: editMemory },
      null,
      editing('&Copy\tCtrl+C', ListCommand.Copy, ctrl('c')),
      editing('&Paste\tCtrl+V', ListCommand.Paste, ctrl('v')),
      { label: 'Paste Ro&ws\tCtrl+Shift+V', run: pasteRows, key: ctrlShift('v') },
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
        run: () => { chooseLanguage(code); drawMenus(core.state()); },
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
      null,
      { label: '&Compare with Transceiver...', run: compareWithTransceiver },
    ] },
    { label: '&Help', items: [
      { label: '&Contents', run: () => showHelp(undefined, tr('OK')), key: plain('F1') },
      null,
      { label: 'Check C&onnection...', run: () => checkConnection(ports, () => port, choosePort) },
    ] },
  ];
}

function editing(label: string, command: ListCommand, key?: (e: KeyboardEvent) => boolean): Command {
  return { label, run: () => runCommand(command), enabled: () => offered(command), key };
}

function onKey(e: KeyboardEvent): void {
  if (document.querySelector('dialog[open]'))
    return;
  const command = commandForKey(e);
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
  const host = new CloneHost({
    status: $('status'),
    progress: $('progress'),
    notice: $('notice'),
    question: $('question'),
    information: $('information'),
  });
  startLanguage();
  startPage(await Core.load(host, ports.forCore(), translateForCore), host, drawPage);
  core.provide('backups', storage);
  await ports.refresh();
  if (!SerialPorts.supported())
    $('no-serial').hidden = false;
  // Try without a radio, as the desktop program's --simulate.
  if (new URLSearchParams(location.search).has('simulate'))
    core.simulate();
  setStatus(tr('Ready'));
  $('channels').addEventListener('keydown', onKey);
  document.addEventListener('keydown', e => { if (e.target === document.body) onKey(e); });
  // Leaving while the transceiver is being cloned would cut the clone short; and while the core
  // waits on the cable it gives no answers, so the question comes first.
  window.addEventListener('beforeunload', e => {
    if (document.body.dataset.cloning || core.state().edited) {
      e.preventDefault();
      e.returnValue = '';
    }
  });
  draw();
  $('channels').focus();
  // Served over HTTPS (or from this computer) the page keeps its files for use with no network.
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
  document.body.dataset.ready = 'true';
}

start();
