// Safe cloning's backups: the copy every read leaves (web/page_backups.cpp names and prunes them)
// kept in the browser's own storage (IndexedDB), and File > Open Backup..., which lists them by
// name to open one as a copy or download it.

import { forgetFile, saveModified } from './files';
import { core, download, draw, element, notice } from './page';
import { safeDialog } from './safe_dialog';
import { tr } from './texts';

interface Backup {
  name: string;
  written: number; // milliseconds since 1970
  bytes: Uint8Array;
}

const kDatabase = 'pwr455';
const kStore = 'backups';
let database: Promise<IDBDatabase> | null = null;

function open(): Promise<IDBDatabase> {
  database ??= new Promise<IDBDatabase>((resolve, reject) => {
    const request = indexedDB.open(kDatabase, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(kStore, { keyPath: 'name' });
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  }).catch(e => { database = null; throw e; });
  return database;
}

// Runs `work` in one transaction; resolves when it is committed, rejects with the reason it
// was not (a full storage's QuotaExceededError among them).
async function transaction<T>(mode: IDBTransactionMode, work: (store: IDBObjectStore) => IDBRequest<T> | void): Promise<T | undefined> {
  const db = await open();
  return new Promise((resolve, reject) => {
    const tx = db.transaction(kStore, mode);
    let result: T | undefined;
    tx.oncomplete = () => resolve(result);
    tx.onabort = tx.onerror = () => reject(tx.error ?? new DOMException('aborted', 'AbortError'));
    try {
      const request = work(tx.objectStore(kStore));
      if (request)
        request.onsuccess = () => { result = request.result; };
    } catch (e) {
      reject(e);
      try { tx.abort(); } catch { /* already over */ }
    }
  });
}

async function all(): Promise<Backup[]> {
  return (await transaction<Backup[]>('readonly', store => store.getAll() as IDBRequest<Backup[]>)) ?? [];
}

const megabytes = (n: number | undefined) => n === undefined ? ''
  : (n / 1e6).toLocaleString(document.documentElement.lang, { maximumFractionDigits: 1, useGrouping: false });

// The core's side (Module.backups).
export const storage = {
  async list(): Promise<string> {
    try {
      return (await all()).map(b => `${b.name}\t${b.written}\n`).join('');
    } catch {
      return '';
    }
  },
  async keep(name: string, bytes: Uint8Array): Promise<string> {
    if (typeof indexedDB === 'undefined')
      return 'none';
    try {
      await open();
    } catch {
      return 'none';
    }
    try {
      await transaction('readwrite', store => store.put({ name, written: Date.now(), bytes }));
      return '';
    } catch (e) {
      if ((e as DOMException).name !== 'QuotaExceededError')
        return `refused ${(e as Error).message || (e as DOMException).name}`;
      const estimate = await navigator.storage?.estimate?.().catch(() => undefined);
      const [used, quota] = [megabytes(estimate?.usage), megabytes(estimate?.quota)];
      return used && quota ? `full ${used} ${quota}` : 'full';
    }
  },
  async remove(names: string[]): Promise<void> {
    try {
      await transaction('readwrite', store => { names.forEach(n => store.delete(n)); });
    } catch {
      // Left for the next read to remove.
    }
  },
};

// File > Open Backup...: the backups, newest first, as the desktop program names them.
export async function openBackup(): Promise<void> {
  const texts = JSON.parse(core.call('pwr_backup_texts', 'string', [], []));
  let backups: Backup[] = [];
  try {
    backups = (await all()).filter(b => core.call('pwr_is_backup_name', 'number', ['string'], [b.name]));
  } catch {
    // No storage: the list is empty.
  }
  backups.sort((a, b) => b.written - a.written || (a.name < b.name ? 1 : -1));
  const list = element('select', { id: 'backup-list', size: 12 });
  list.setAttribute('aria-label', texts.title);
  const fill = () => {
    list.replaceChildren(...backups.map(b => element('option', { value: b.name }, b.name)));
    list.selectedIndex = backups.length ? 0 : -1;
    intro.textContent = backups.length ? texts.intro : texts.none;
    list.hidden = !backups.length;
    list.closest('form')?.querySelectorAll<HTMLButtonElement>('button:not([value=cancel])')
      .forEach(b => { b.disabled = !backups.length; });
  };
  const intro = element('p');
  fill();
  const chosen = () => backups.find(b => b.name === list.value);
  const act = async (value: string) => {
    const backup = chosen();
    if (!backup)
      return;
    if (value === '+download') {
      download(backup.name, new Uint8Array(backup.bytes));
    } else if (value === '+delete') {
      await storage.remove([backup.name]);
      backups = backups.filter(b => b !== backup);
      fill();
    }
  };
  list.addEventListener('dblclick', () => list.closest('form')?.querySelector<HTMLButtonElement>('button[value=open]')?.click());
  const shown = safeDialog('open-backup', texts.title, [intro, list],
    [['open', texts.open], ['+download', texts.download], ['+delete', texts.delete], ['cancel', tr('Close')]], act);
  fill();
  const choice = await shown;
  const backup = chosen();
  if (choice !== 'open' || !backup || !(await saveModified()))
    return;
  const failure = core.call('pwr_open_backup', 'string', ['string'], [backup.name], new Uint8Array(backup.bytes));
  if (failure) {
    await notice(failure);
    return;
  }
  forgetFile();
  draw();
}
