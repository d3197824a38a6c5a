// The texts a person reads: English as written here, or the chosen language's catalog, the
// same catalogs (po/) as the desktop program's.

let catalog: Record<string, string> = {};

export function setCatalog(entries: Record<string, string>): void {
  catalog = entries;
}

export function tr(text: string): string {
  return catalog[text] || text;
}

// A menu label of the desktop program ("&Open...\tCtrl+O") as the page shows it: without the
// access-key mark; the shortcut apart.
export function menuLabel(label: string): { text: string; shortcut: string } {
  const [text, shortcut = ''] = tr(label).split('\t');
  return { text: text.replace(/&(.)/g, '$1'), shortcut };
}
