// The windows of safe cloning (Open Backup, Compare with Transceiver, Check Connection), built
// here rather than in the page's markup, with the looks they share.

import { answer } from './clone_host';
import { element } from './page';
import { menuLabel } from './texts';

const kStyle = `
dialog.safe { max-width: min(60em, 95vw); }
dialog.safe select { width: 100%; font: inherit; }
dialog.safe table { border-collapse: collapse; margin: 0.5em 0; }
dialog.safe th, dialog.safe td { border: 1px solid GrayText; padding: 0.2em 0.6em; text-align: left; white-space: pre; }
dialog.safe .findings { list-style: none; padding: 0; margin: 0.5em 0; max-height: 60vh; overflow: auto; }
dialog.safe .findings li { display: grid; grid-template-columns: 6em 1fr; gap: 0 0.5em; margin: 0.3em 0; }
dialog.safe .findings b.ok { color: #1e7b34; }
dialog.safe .findings b.note { color: #9a6700; }
dialog.safe .findings b.problem { color: #c01c28; }
dialog.safe .findings .fix { grid-column: 2; }
`;

let styled = false;

// A modal window titled `title` (a desktop text, its access-key mark dropped) whose form holds
// `body` and then `buttons`: [value, label] pairs, a label with "&" taken as a desktop text. It
// resolves with the value of the button that closed it ('cancel' for Escape) and is removed then;
// a button whose value starts with '+' runs `act` instead and leaves the window open.
export function safeDialog(id: string, title: string, body: HTMLElement[], buttons: [string, string][],
  act: (value: string) => unknown = () => {}): Promise<string> {
  if (!styled) {
    document.head.append(element('style', {}, kStyle));
    styled = true;
  }
  document.getElementById(id)?.remove();
  const dialog = element('dialog', { id, className: 'safe' });
  const heading = element('h2', { id: `${id}-title` }, menuLabel(title).text);
  dialog.setAttribute('aria-labelledby', heading.id);
  const form = element('form', { method: 'dialog' });
  const menu = element('menu');
  for (const [value, label] of buttons) {
    const button = element('button', { value }, menuLabel(label).text);
    if (value.startsWith('+')) {
      button.type = 'button';
      button.addEventListener('click', () => act(value));
    }
    menu.append(button);
  }
  form.append(heading, ...body, menu);
  dialog.append(form);
  document.body.append(dialog);
  return answer(dialog).finally(() => dialog.remove());
}

// Findings of the connection check as rows: level key, level word, text, fix line.
export type FindingRow = [string, string, string, string];

export function findingList(rows: FindingRow[]): HTMLUListElement {
  const list = element('ul', { className: 'findings' });
  for (const [level, word, text, fix] of rows) {
    const item = element('li');
    item.dataset.level = level;
    item.append(element('b', { className: level }, word), element('span', {}, text));
    if (fix)
      item.append(element('span', { className: 'fix' }, fix));
    list.append(item);
  }
  return list;
}
