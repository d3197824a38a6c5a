// File > Import Airport Frequencies...: the desktop program's dialog over the core's rules. The
// shipped list (OurAirports, about 1.3 MB) is read only when the dialog first opens: from the
// element the single file carries it in, or from airports.js beside the page. A newer list the
// user chooses is kept in the browser's IndexedDB and used from then on, until Shipped List.

import { answer } from './clone_host';
import { dialogButtons, label, listTable, Outcome, pickCsvFile, showOutcome } from './exchange';
import { unpack } from './packed';
import { $, core, element, notice, selected } from './page';
import { tr } from './texts';

declare const PWR_AIRPORTS: string | undefined;

const kShippedName = 'airport-frequencies.csv';
// A pause in typing this long counts as the end of it, as in the desktop dialog.
const kTypingPauseMs = 300;

// The list kept in the browser ----------------------------------------------------------------

interface KeptList { name: string; bytes: Uint8Array }

function keptStore(mode: IDBTransactionMode): Promise<IDBObjectStore> {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open('pwr455', 1);
    request.onupgradeneeded = () => request.result.createObjectStore('lists');
    request.onsuccess = () => resolve(request.result.transaction('lists', mode).objectStore('lists'));
    request.onerror = () => reject(request.error);
  });
}

function done<T>(request: IDBRequest<T>): Promise<T> {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function keptList(): Promise<KeptList | undefined> {
  try {
    return await done((await keptStore('readonly')).get('airports'));
  } catch {
    return undefined;
  }
}

// Keeps `list` (none: forgets the one kept). A browser that keeps nothing for the page uses the
// list until the page is left.
async function keepList(list: KeptList | null): Promise<void> {
  try {
    const store = await keptStore('readwrite');
    if (list)
      await done(store.put(list, 'airports'));
    else
      await done(store.delete('airports'));
  } catch {
    // Nothing kept.
  }
}

// The shipped list -------------------------------------------------------------------------------

function loadScript(src: string): Promise<void> {
  return new Promise((resolve, reject) => {
    const script = element('script', { src });
    script.onload = () => resolve();
    script.onerror = () => reject(new Error(src));
    document.head.append(script);
  });
}

async function shippedBytes(): Promise<Uint8Array> {
  let packed = document.getElementById('pwr-airports')?.textContent?.trim();
  if (!packed) {
    if (typeof PWR_AIRPORTS === 'undefined')
      await loadScript('airports.js');
    packed = PWR_AIRPORTS!;
  }
  return new Uint8Array(await unpack(packed));
}

// The list the core holds: its name, and why the list kept did not load.
let listName = '';
let listError = '';

function load(name: string, bytes: Uint8Array): string {
  const error = core.call('pwr_airport_load', 'string', ['string'], [name], bytes);
  if (!error)
    listName = name;
  return error;
}

async function loadStartList(): Promise<void> {
  const kept = await keptList();
  const error = kept ? load(kept.name, kept.bytes) : '';
  if (kept && !error)
    return;
  const shippedError = load(kShippedName, await shippedBytes());
  if (shippedError)
    listError = error ? `${error}\n${shippedError}` : shippedError;
  else if (error)
    listError = core.call('pwr_airport_shipped_instead', 'string', ['string'], [error]);
}

// The dialog ---------------------------------------------------------------------------------------

interface Found { rows: string[][]; status: string }
interface Plan { rows: string[][]; summary: string; placed: number }

const kColumns = ['Ident', 'Type', 'Description', 'Listed MHz', 'Stored as', 'Name', 'CH', 'Note'];

let dialog: HTMLDialogElement | null = null;
let found: Found = { rows: [], status: '' };
let unticked = new Set<number>(); // rows found that the user unticked
let pending = 0; // the timer of a refill after typing

function makeDialog(): HTMLDialogElement {
  const list = listTable(['', ...kColumns]);
  list.body.id = 'air-rows';
  const placement = (value: string, text: string, checked: boolean) => element('label', {},
    element('input', { type: 'radio', name: 'air-place', value, checked, id: `air-${value}` }), ' ', label(tr(text)));
  const d = element('dialog', { id: 'airport-import', className: 'exchange' },
    element('form', { method: 'dialog' },
      element('h2', { id: 'air-title' }, tr('Import Airport Frequencies')),
      element('label', {}, label(tr('&Airports:')), ' ', element('input', { id: 'air-idents', autocomplete: 'off' })),
      element('p', { id: 'air-status', className: 'summary' }),
      list.box,
      element('div', { className: 'placement' },
        placement('blank', 'Into &blank channels', true), placement('overwrite', '&Overwriting every channel', false),
        element('label', {}, label(tr('&from channel')), ' ',
          element('input', { type: 'number', min: '1', max: '20', id: 'air-from', required: true }))),
      element('p', { id: 'air-summary', className: 'summary' }),
      element('div', { className: 'list-file' }, tr('List:'), ' ', element('span', { id: 'air-list' }), ' ',
        element('button', { type: 'button', id: 'air-choose' }, label(tr('&Choose List...'))),
        element('button', { type: 'button', id: 'air-shipped' }, label(tr('&Shipped List')))),
      dialogButtons('&Import')));
  d.setAttribute('aria-labelledby', 'air-title');
  document.body.append(d);
  $('air-idents').addEventListener('input', () => {
    clearTimeout(pending);
    pending = window.setTimeout(refill, kTypingPauseMs);
  });
  $('air-rows').addEventListener('change', e => {
    const box = e.target as HTMLInputElement;
    const row = Number(box.dataset.row);
    if (box.checked)
      unticked.delete(row);
    else
      unticked.add(row);
    updatePlan();
  });
  for (const id of ['air-blank', 'air-overwrite', 'air-from'])
    $(id).addEventListener('input', updatePlan);
  $('air-choose').addEventListener('click', chooseList);
  $('air-shipped').addEventListener('click', async () => switchList(kShippedName, await shippedBytes(), false));
  // OK takes the idents as they stand, also those typed just before it.
  d.querySelector('form')!.addEventListener('submit', e => {
    if ((e.submitter as HTMLButtonElement | null)?.value !== 'ok')
      return;
    if (pending) {
      refill();
      if (d.querySelector<HTMLButtonElement>('button[value=ok]')!.disabled)
        e.preventDefault();
    }
  });
  return d;
}

function refill(): void {
  clearTimeout(pending);
  pending = 0;
  found = JSON.parse(core.call('pwr_airport_find', 'string', ['string'], [$<HTMLInputElement>('air-idents').value]));
  const status = listError ? `${listError} ${found.status}` : found.status;
  $('air-status').textContent = status;
  $('air-rows').replaceChildren(...found.rows.map((row, i) => {
    const holdable = row[4] !== '';
    const box = element('input', { type: 'checkbox', checked: holdable && !unticked.has(i), disabled: !holdable });
    box.dataset.row = String(i);
    box.setAttribute('aria-label', `${row[0]} ${row[1]} ${row[3]}`);
    const line = element('tr', {}, element('td', {}, box), ...row.map(text => element('td', {}, text)));
    line.classList.toggle('left-out', !holdable);
    return line;
  }));
  updatePlan();
}

function updatePlan(): void {
  const from = Math.min(20, Math.max(1, Number($<HTMLInputElement>('air-from').value) || 1));
  const plan: Plan = JSON.parse(core.call('pwr_airport_plan', 'string', ['string', 'number', 'number'],
    [[...unticked].join(' '), from, $<HTMLInputElement>('air-overwrite').checked ? 1 : 0]));
  const lines = $('air-rows').querySelectorAll('tr');
  plan.rows.forEach(([name, channel], i) => {
    const cells = lines[i]?.querySelectorAll('td');
    if (cells) {
      cells[6].textContent = name;
      cells[7].textContent = channel;
    }
  });
  $('air-summary').textContent = plan.summary;
  dialog!.querySelector<HTMLButtonElement>('button[value=ok]')!.disabled = plan.placed === 0;
}

async function switchList(name: string, bytes: Uint8Array, keep: boolean): Promise<void> {
  const error = load(name, bytes);
  if (error) {
    await notice(error);
    return;
  }
  await keepList(keep ? { name, bytes } : null);
  listError = '';
  unticked.clear();
  $('air-list').textContent = listName;
  refill();
}

async function chooseList(): Promise<void> {
  const file = await pickCsvFile();
  if (file)
    await switchList(file.name, file.bytes, true);
}

export async function importAirports(): Promise<void> {
  if (!listName)
    await loadStartList();
  dialog ??= makeDialog();
  unticked = new Set();
  $<HTMLInputElement>('air-idents').value = '';
  $<HTMLInputElement>('air-from').value = String(selected);
  $('air-list').textContent = listName;
  refill();
  const closed = answer(dialog);
  $('air-idents').focus();
  if ((await closed) !== 'ok')
    return;
  const outcome: Outcome = JSON.parse(core.call('pwr_airport_apply', 'string', [], []));
  await showOutcome(outcome);
}
