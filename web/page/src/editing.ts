// The Edit menu's commands and the settings sheet: the page asks the core and draws.

import { answer } from './clone_host';
import { ChannelFields, kSettingBoxes, ListCommand, SettingsSheet } from './core';
import { $, core, draw, host, select, selected, setStatus } from './page';
import { tr } from './texts';

// Edit Memory ---------------------------------------------------------------------------------

export async function editMemory(): Promise<void> {
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
  setStatus(notes || tr('Ready'));
}

// Editing commands ----------------------------------------------------------------------------

export function offered(command: ListCommand): boolean {
  return core.plan(command, selected).enabled;
}

export async function runCommand(command: ListCommand): Promise<void> {
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
    setStatus(outcome.status);
  select(outcome.selected);
  draw();
}

export function undoOrRedo(redo: boolean): void {
  const status = core.undoOrRedo(redo);
  if (status)
    setStatus(status);
  draw();
}

// The settings sheet ----------------------------------------------------------------------------

let settingsPage = 0; // the page the sheet opens on: the one last turned to

function fillList(select: HTMLSelectElement, entries: string[], chosen: number): void {
  select.replaceChildren(...entries.map((text, i) => new Option(text, String(i), false, i === chosen)));
}

export async function commonSetting(): Promise<void> {
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
    setStatus(note || tr('Ready'));
  draw();
}

