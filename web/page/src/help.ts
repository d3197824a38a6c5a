// Help > Contents: the help book's pages the browser needs (reading, writing, the cable, the
// browser's own page), in the page's language, shown in a window of the page; a link to one of
// them turns to it, any other stays text.

import { answer } from './clone_host';
import { unpack } from './packed';
import { pageLanguage } from './texts';

declare const PWR_HELP: string;

export const kHelpStart = 'browser.htm';
let book: Record<string, Record<string, string>> | null = null;

async function loadBook(): Promise<Record<string, Record<string, string>>> {
  if (!book) {
    book = JSON.parse(new TextDecoder().decode(await unpack(PWR_HELP)));
  }
  return book!;
}

function dialog(): HTMLDialogElement {
  let help = document.getElementById('help') as HTMLDialogElement | null;
  if (!help) {
    help = document.createElement('dialog');
    help.id = 'help';
    help.innerHTML = '<form method="dialog"><iframe sandbox="allow-same-origin"></iframe>' +
      '<menu><button value="ok"></button></menu></form>';
    document.body.append(help);
  }
  return help;
}

// Shows `page`; resolves when the window is closed.
export async function showHelp(page = kHelpStart, closeLabel = 'OK'): Promise<void> {
  const pages = (await loadBook())[pageLanguage()] ?? book!.en;
  const help = dialog();
  const frame = help.querySelector('iframe')!;
  help.querySelector('button')!.textContent = closeLabel;
  const turnTo = (name: string) => {
    frame.srcdoc = pages[name];
  };
  frame.onload = () => {
    const doc = frame.contentDocument!;
    help.setAttribute('aria-label', doc.title);
    doc.querySelectorAll('a[href]').forEach(link => {
      const target = link.getAttribute('href')!.split('#')[0];
      if (!(target in pages)) {
        link.replaceWith(...link.childNodes);
        return;
      }
      link.addEventListener('click', e => {
        e.preventDefault();
        turnTo(target);
      });
    });
  };
  turnTo(page in pages ? page : kHelpStart);
  await answer(help);
}
