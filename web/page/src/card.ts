// File > Print... and Print Preview...: the kneeboard card of the channels, as the core lays it
// out, drawn as an SVG page of its own. The browser prints it alone on the paper chosen (its
// "Save as PDF" makes the PDF); the paper starts as A5 and holds for the session, as the desktop
// program's does.

import { answer } from './clone_host';
import { CardLayout } from './core';
import { core } from './page';
import { tr } from './texts';

// The card's faces in the core's order: sans, sans bold, monospace bold.
const kFaces: [string, string][] = [['normal', 'sans-serif'], ['bold', 'sans-serif'], ['bold', 'monospace']];
const kSvg = 'http://www.w3.org/2000/svg';

let paper = 0;
let measure: CanvasRenderingContext2D | null = null;

// How wide the browser sets a text of the card, in the card's units (points at A5).
function textWidth(face: number, size: number, text: string): number {
  measure ??= document.createElement('canvas').getContext('2d')!;
  const [weight, family] = kFaces[face] ?? kFaces[0];
  measure.font = `${weight} ${size}px ${family}`;
  return measure.measureText(text).width;
}

function grey(level: number): string {
  const v = Math.round(level * 255);
  return `rgb(${v},${v},${v})`;
}

function svg<K extends keyof SVGElementTagNameMap>(tag: K, attributes: Record<string, string | number>): SVGElementTagNameMap[K] {
  const e = document.createElementNS(kSvg, tag);
  for (const [name, value] of Object.entries(attributes))
    e.setAttribute(name, String(value));
  return e;
}

// The whole paper, the card centred on it.
function drawCard(card: CardLayout): SVGSVGElement {
  const [width, height] = card.page;
  const [scale, x, y] = card.place;
  const sheet = svg('svg', { viewBox: `0 0 ${width} ${height}`, role: 'img', 'aria-label': card.name, class: 'card-sheet' });
  sheet.append(svg('rect', { width, height, fill: 'white' }));
  const group = svg('g', { transform: `translate(${x} ${y}) scale(${scale})` });
  for (const [bx, by, bw, bh, level] of card.boxes)
    group.append(svg('rect', { x: bx, y: by, width: bw, height: bh, fill: grey(level) }));
  for (const [tx, baseline, face, size, level, text] of card.texts) {
    const [weight, family] = kFaces[face] ?? kFaces[0];
    const line = svg('text', { x: tx, y: baseline, 'font-family': family, 'font-weight': weight, 'font-size': size,
      fill: grey(level) });
    line.textContent = text;
    group.append(line);
  }
  sheet.append(group);
  return sheet;
}

function part<T extends HTMLElement>(id: string, tag: string, parent: HTMLElement): T {
  let e = document.getElementById(id) as T | null;
  if (!e) {
    e = document.createElement(tag) as T;
    e.id = id;
    parent.append(e);
  }
  return e;
}

// What is printed: the card on the paper chosen, filling the paper, which has no margins.
function drawPrintedCard(): void {
  const card = core.card(paper, textWidth);
  part('card-print', 'div', document.body).replaceChildren(drawCard(card));
  const [width, height] = card.page;
  part('card-page', 'style', document.head).textContent = `@page { size: ${width}pt ${height}pt; margin: 0; }`;
}

function printDialog(): HTMLDialogElement {
  const dialog = part<HTMLDialogElement>('card-dialog', 'dialog', document.body);
  if (!dialog.firstChild) {
    dialog.setAttribute('aria-labelledby', 'card-title');
    dialog.innerHTML = '<form method="dialog"><h2 id="card-title"></h2>' +
      '<label><span></span> <select id="card-paper"></select></label><div id="card-preview"></div>' +
      '<menu><button value="print" id="card-print-button"></button><button value="cancel"></button></menu></form>';
  }
  return dialog;
}

// Print... (the paper to choose, then the browser's printing) or Print Preview... (the card on
// that paper, printed from there).
export async function printCard(preview: boolean): Promise<void> {
  const dialog = printDialog();
  const choice = dialog.querySelector('select')!;
  const shown = dialog.querySelector<HTMLElement>('#card-preview')!;
  const draw = () => {
    const card = core.card(paper, textWidth);
    dialog.querySelector('h2')!.textContent = preview ? card.preview : card.print;
    dialog.querySelector('label span')!.textContent = card.paperLabel;
    choice.replaceChildren(...card.papers.map((name, i) => new Option(name, String(i), false, i === paper)));
    dialog.querySelector('#card-print-button')!.textContent = card.print;
    dialog.querySelector('button[value=cancel]')!.textContent = tr(preview ? 'Close' : 'Cancel');
    shown.hidden = !preview;
    shown.replaceChildren(...(preview ? [drawCard(card)] : []));
  };
  choice.onchange = () => { paper = Number(choice.value); draw(); };
  draw();
  if (await answer(dialog) === 'print') {
    drawPrintedCard();
    window.print();
  }
}

// Whatever starts the browser's printing prints the card of the data as they are now.
window.addEventListener('beforeprint', () => { if (core) drawPrintedCard(); });
