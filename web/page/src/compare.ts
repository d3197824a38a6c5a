// Clone > Compare with Transceiver...: the core reads the transceiver into a data set of its
// own (with the progress window, texts, boxes and sounds of a read) and says in words what
// differs from the page's data, which stay as they were.

import { core, draw, element } from './page';
import { safeDialog } from './safe_dialog';
import { tr } from './texts';

interface Comparison {
  result: number;
  summary?: string;
  headings?: string[];
  rows?: string[][];
}

export async function compareWithTransceiver(): Promise<void> {
  if (document.body.dataset.cloning)
    return;
  document.body.dataset.cloning = 'compare';
  let comparison: Comparison;
  try {
    comparison = JSON.parse(await core.callAsync('pwr_compare', 'string', [], []));
  } finally {
    delete document.body.dataset.cloning;
    draw();
  }
  if (comparison.summary === undefined)
    return;
  const body: HTMLElement[] = [element('p', { id: 'compare-summary' }, comparison.summary)];
  if (comparison.rows?.length) {
    const table = element('table', { id: 'compare-list' });
    const head = element('tr');
    comparison.headings!.forEach(h => head.append(element('th', { scope: 'col' }, h)));
    table.append(head);
    for (const row of comparison.rows) {
      const line = element('tr');
      row.forEach(cell => line.append(element('td', {}, cell)));
      table.append(line);
    }
    body.push(table);
  }
  await safeDialog('compare', tr('Compare with Transceiver'), body, [['ok', tr('OK')]]);
}
