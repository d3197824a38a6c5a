// The texts a person reads: English as written here, or the chosen language's, from the same
// catalogs (po/) as the desktop program's (catalogs.js, made at build time).

declare const PWR_CATALOGS: Record<string, Record<string, string>> | undefined;

// View > Language, as the desktop program offers it: the browser's languages, or one chosen.
export const kLanguages: [string, string][] = [
  ['', 'System &default'], ['en', '&English'], ['nb', '&Norsk bokmål'], ['sv', 'S&venska'],
  ['da', 'D&ansk'], ['fi', 'S&uomi'],
];
const kLanguageKey = 'pwr455.language';

let catalog: Record<string, string> = {};

export function chosenLanguage(): string {
  try {
    return localStorage.getItem(kLanguageKey) ?? '';
  } catch {
    return '';
  }
}

export function chooseLanguage(code: string): void {
  try {
    localStorage.setItem(kLanguageKey, code);
  } catch {
    // A browser that keeps nothing for the page: the choice lasts until the page is left.
  }
}

// The language the page speaks: the one chosen, else the first of the browser's it has.
export function pageLanguage(): string {
  const chosen = chosenLanguage();
  if (chosen)
    return chosen;
  for (const tag of navigator.languages ?? [navigator.language]) {
    const base = tag.toLowerCase().split('-')[0];
    if (base === 'nb' || base === 'no' || base === 'nn')
      return 'nb';
    if (['en', 'sv', 'da', 'fi'].includes(base))
      return base;
  }
  return 'en';
}

export function startLanguage(): string {
  const language = pageLanguage();
  catalog = (typeof PWR_CATALOGS !== 'undefined' && PWR_CATALOGS[language]) || {};
  document.documentElement.lang = language;
  document.querySelectorAll('[data-text]').forEach(e => { e.textContent = tr(e.textContent ?? ''); });
  return language;
}

export function tr(text: string): string {
  return catalog[text] || text;
}

// The core's texts in the page's language: null where the catalog has none.
export function translateForCore(english: string): string | null {
  return catalog[english] ?? null;
}

// A menu label of the desktop program ("&Open...\tCtrl+O") as the page shows it: without the
// access-key mark; the shortcut apart.
export function menuLabel(label: string): { text: string; shortcut: string } {
  const [text, shortcut = ''] = tr(label).split('\t');
  return { text: text.replace(/&(.)/g, '$1'), shortcut };
}
