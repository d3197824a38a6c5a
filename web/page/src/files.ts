// File New, Open, Save and Save As of the data files (.qrb), through the File System Access API
// where the browser has it, else a file input and a download.

import { answer } from './clone_host';
import { $, core, download, draw, notice, pickFile } from './page';
import { tr } from './texts';

let fileHandle: FileSystemFileHandle | null = null;

const kFileTypes = [{ description: 'PW-R455NORD Data', accept: { 'application/octet-stream': ['.qrb'] } }];

// The question before unsaved changes are dropped: true to go on.
export async function saveModified(): Promise<boolean> {
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

export async function newData(): Promise<void> {
  if (!(await saveModified()))
    return;
  core.newData();
  fileHandle = null;
  draw();
}

export async function open(): Promise<void> {
  if (!(await saveModified()))
    return;
  const file = await pickFile(kFileTypes, '.qrb,.QRB');
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

export async function save(asNew: boolean): Promise<boolean> {
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

// A data set that came from elsewhere than a file (a backup's copy): Save asks for a name.
export function forgetFile(): void {
  fileHandle = null;
}
