// The menu bar: menus of the desktop program's items (their texts, without access-key marks, as
// the items' accessible names; their shortcuts beside them), opened by click or keyboard.

import { $ } from './page';
import { menuLabel } from './texts';

export interface Command {
  label: string; // the desktop program's menu text
  run: () => unknown;
  enabled?: () => boolean;
  key?: (e: KeyboardEvent) => boolean;
  checked?: boolean; // one of a choice (a radio item)
}

// A submenu: its items shown as a group under its label.
export interface Submenu {
  label: string;
  items: Command[];
}

export type MenuEntry = Command | Submenu | null;

export const ctrl = (k: string) => (e: KeyboardEvent) =>
  (e.ctrlKey || e.metaKey) && !e.shiftKey && !e.altKey && e.key.toLowerCase() === k;
export const plain = (k: string) => (e: KeyboardEvent) => !e.ctrlKey && !e.metaKey && !e.shiftKey && !e.altKey && e.key === k;

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
  // As in the desktop program, the list has the keyboard again once a menu item is chosen (a
  // dialog the command opens gives it back when it closes).
  entry.addEventListener('click', () => {
    list.hidden = true;
    $('channels').focus();
    item.run();
  });
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

export interface Menu {
  label: string;
  items: MenuEntry[];
}

// Draws the menu bar with `menus`.
export function drawMenuBar(menus: Menu[]): void {
  const bar = $('menubar');
  bar.replaceChildren();
  allCommands = [];
  for (const menu of menus) {
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


// The command whose shortcut `e` is, while it is enabled.
export function commandForKey(e: KeyboardEvent): Command | undefined {
  return allCommands.find(c => c.key?.(e) && (!c.enabled || c.enabled()));
}
