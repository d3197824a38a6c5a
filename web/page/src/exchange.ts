// File > Import Channels... and Export Channels... (the project's CSV and CHIRP's layout, with the
// dialog of a CHIRP file's rows) and Edit > Paste Rows. The core imports, plans and words every
// message; the page picks files, draws the dialogs and carries bytes.

import { answer } from './clone_host';
import { $, core, download, draw, element, notice, pickFile, selected, setStatus } from './page';
import { menuLabel, tr } from './texts';

// What an import or a paste did (web/core_api_exchange.cpp).
export interface Outcome {
  changed: boolean;
  failure: string;
  status: string;
  summary: string;
  chirp?: boolean;
}

export const ctrlShift = (k: string) => (e: KeyboardEvent) =>
  (e.ctrlKey || e.metaKey) && e.shiftKey && !e.altKey && e.key.toLowerCase() === k;

// A dialog text of the desktop program, its access-key mark left out.
export const label = (text: string) => menuLabel(text).text;

// A table of `headings` for a dialog's list, in a box that scrolls.
export function listTable(headings: string[]): { box: HTMLElement; body: HTMLTableSectionElement } {
  const body = element('tbody');
  const head = element('thead', {}, element('tr', {}, ...headings.map(h => element('th', { scope: 'col' }, tr(h)))));
  return { box: element('div', { className: 'exchange-list' }, element('table', {}, head, body)), body };
}

export function dialogButtons(okText: string): HTMLElement {
  return element('menu', {}, element('button', { value: 'ok' }, label(tr(okText))),
    element('button', { value: 'cancel', formNoValidate: true }, tr('Cancel')));
}

export async function showOutcome(outcome: Outcome): Promise<void> {
  if (outcome.failure) {
    await notice(outcome.failure);
    return;
  }
  if (outcome.changed)
    draw();
  if (outcome.status)
    setStatus(outcome.status);
  if (outcome.summary)
    await notice(outcome.summary, false);
}

// More than any file the core takes (a channel list, 1 MiB; an airport list, 4 MiB): a larger
// file is read no further than this, and the core says it is too large.
const kReadLimit = (4 << 20) + 1;
const csvTypes = () => [{ description: tr('CSV Files (*.csv)'), accept: { 'text/csv': ['.csv'] } }];

// A CSV file the user picks; null when none.
export const pickCsvFile = () => pickFile(csvTypes(), '.csv,.CSV', kReadLimit);

// Import Channels ---------------------------------------------------------------------------

export async function importChannels(): Promise<void> {
  const file = await pickCsvFile();
  if (!file)
    return;
  const outcome: Outcome = JSON.parse(core.call('pwr_import_channels', 'string', ['string'], [file.name], file.bytes));
  if (outcome.chirp)
    await chirpImport();
  else
    await showOutcome(outcome);
}

interface ChirpPlan {
  rows: string[][]; // line, Location, frequency, name, channel, why left out
  summary: string;
  placed: number;
}

let chirpDialog: HTMLDialogElement | null = null;

function makeChirpDialog(): HTMLDialogElement {
  const list = listTable(['Line', 'Location', 'Listed MHz', 'Name', 'CH', 'Note']);
  list.body.id = 'chirp-rows';
  const radio = (value: string, checked: boolean) =>
    element('input', { type: 'radio', name: 'chirp-place', value, checked, id: `chirp-${value}` });
  const from = element('input', { type: 'number', min: '1', max: '20', id: 'chirp-from', required: true });
  const dialog = element('dialog', { id: 'chirp-import', className: 'exchange' },
    element('form', { method: 'dialog' },
      element('h2', {}, tr('Import Channels')),
      element('p', {}, tr('This file is a channel list in the CSV layout of CHIRP. Rows that the transceiver cannot hold are greyed and left out.')),
      list.box,
      element('label', {}, radio('location', true), ' ', label(tr('Each row into the channel of its &Location'))),
      element('label', {}, radio('order', false), ' ', label(tr('Rows in &order from channel')), ' ', from),
      element('p', { id: 'chirp-summary', className: 'summary' }),
      dialogButtons('&Import')));
  dialog.setAttribute('aria-labelledby', 'chirp-title');
  dialog.querySelector('h2')!.id = 'chirp-title';
  document.body.append(dialog);
  return dialog;
}

async function chirpImport(): Promise<void> {
  chirpDialog ??= makeChirpDialog();
  const dialog = chirpDialog;
  const from = $<HTMLInputElement>('chirp-from');
  from.value = String(selected);
  $<HTMLInputElement>('chirp-location').checked = true;
  const update = () => {
    const inOrder = $<HTMLInputElement>('chirp-order').checked;
    const first = Math.min(20, Math.max(1, Number(from.value) || 1));
    const plan: ChirpPlan = JSON.parse(core.call('pwr_chirp_plan', 'string', ['number'], [inOrder ? first : 0]));
    $('chirp-rows').replaceChildren(...plan.rows.map(row => {
      const line = element('tr', {}, ...row.map(text => element('td', {}, text)));
      line.classList.toggle('left-out', !row[4]);
      return line;
    }));
    $('chirp-summary').textContent = plan.summary;
    dialog.querySelector<HTMLButtonElement>('button[value=ok]')!.disabled = plan.placed === 0;
  };
  update();
  dialog.oninput = update;
  if ((await answer(dialog)) !== 'ok')
    return;
  await showOutcome(JSON.parse(core.call('pwr_chirp_apply', 'string', [], [])));
}

// Export Channels ---------------------------------------------------------------------------

let exportDialog: HTMLDialogElement | null = null;

// The file types of the desktop program's Export dialog, in the order of the core's layouts.
function makeExportDialog(): HTMLDialogElement {
  const choice = (layout: number, text: string) => element('label', {},
    element('input', { type: 'radio', name: 'export-layout', value: String(layout), checked: layout === 0 }), ' ', tr(text));
  const dialog = element('dialog', { id: 'export-channels', className: 'exchange' },
    element('form', { method: 'dialog' },
      element('h2', { id: 'export-title' }, tr('Export Channels')),
      choice(0, 'CSV Files (*.csv)'), choice(1, 'CHIRP CSV Files (*.csv)'),
      dialogButtons('OK')));
  dialog.setAttribute('aria-labelledby', 'export-title');
  document.body.append(dialog);
  return dialog;
}

export async function exportChannels(): Promise<void> {
  exportDialog ??= makeExportDialog();
  if ((await answer(exportDialog)) !== 'ok')
    return;
  const layout = Number(exportDialog.querySelector<HTMLInputElement>('input[name=export-layout]:checked')!.value);
  const csv = core.call('pwr_export_channels', 'string', ['number'], [layout]);
  // The data set's name with the CSV extension.
  let name = core.state().name.replace(/\.qrb$/i, '') + '.csv';
  try {
    if ('showSaveFilePicker' in window) {
      const handle = await (window as any).showSaveFilePicker({ suggestedName: name, types: csvTypes() });
      name = handle.name;
      const writable = await handle.createWritable();
      await writable.write(csv);
      await writable.close();
    } else {
      download(name, csv, 'text/csv');
    }
  } catch (e) {
    if ((e as DOMException).name !== 'AbortError')
      await notice(core.call('pwr_export_failure', 'string', ['string', 'string'], [name, (e as Error).message]));
  }
}

// Paste Rows --------------------------------------------------------------------------------

export async function pasteRows(): Promise<void> {
  let text: string | null = null;
  try {
    text = await navigator.clipboard.readText();
  } catch {
    // No clipboard the page may read: said as for one without rows.
  }
  await showOutcome(JSON.parse(core.call('pwr_paste_rows', 'string', ['number', 'number', 'string'],
    [selected, text === null ? 0 : 1, text ?? ''])));
}
