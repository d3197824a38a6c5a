// Help > Check Connection... in the browser: what the browser tells of Web Serial, the ports
// the page may use with their chips and the known driver problems of each on this system (the
// core's words, clone/connection_doctor.cpp), then an information run on the clone commands'
// port with the desktop check's words for each way it ends.

import { core, draw, element } from './page';
import { findingList, FindingRow, safeDialog } from './safe_dialog';
import { SerialPorts, usbIds } from './serial_ports';
import { tr } from './texts';

// The system as the browser names it, in the core's order (CBrowserView::ESystem).
export function browserSystem(): number {
  const platform = ((navigator as any).userAgentData?.platform as string | undefined) ?? '';
  const named = (platform || navigator.userAgent).toLowerCase();
  const systems: [RegExp, number][] = [[/android/, 5], [/cros|chrome ?os/, 4], [/win/, 1], [/mac/, 2], [/linux/, 3]];
  return systems.find(([pattern]) => pattern.test(named))?.[1] ?? 0;
}

function portLine(port: SerialPort): string {
  return usbIds(port) ?? '-';
}

async function runChecks(ports: SerialPorts, port: number): Promise<HTMLElement[]> {
  const chosen = ports.list()[port];
  const lines = ports.list().map(portLine).join('\n');
  const rows: FindingRow[] = JSON.parse(core.call('pwr_check_browser', 'string', ['number', 'number', 'string'],
    [SerialPorts.supported() ? 1 : 0, browserSystem(), lines])).findings;
  const heading = element('p', { id: 'check-port' },
    chosen ? core.call('pwr_check_port_line', 'string', ['string'], [portLine(chosen)]) : '');
  // A port that is not there has been reported; a run on it could only fail to open it.
  if ((chosen || core.state().simulating) && !document.body.dataset.cloning) {
    document.body.dataset.cloning = 'check';
    try {
      rows.push(...JSON.parse(await core.callAsync('pwr_check_run', 'string', ['number'], [port])).findings);
    } finally {
      delete document.body.dataset.cloning;
      draw();
    }
  }
  const list = findingList(rows);
  list.id = 'check-report';
  list.setAttribute('aria-live', 'polite');
  return [heading, list];
}

// `port` gives the clone commands' port; `choose` lets the user give the page one more.
export async function checkConnection(ports: SerialPorts, port: () => number, choose: () => Promise<void>): Promise<void> {
  let parts = await runChecks(ports, port());
  const again = async () => {
    const fresh = await runChecks(ports, port());
    parts.forEach((old, i) => old.replaceWith(fresh[i]));
    parts = fresh;
  };
  const act = async (value: string) => {
    if (value === '+settings')
      await choose();
    await again();
  };
  await safeDialog('check-connection', tr('Check Connection'), parts,
    [['+again', tr('Check &Again')], ['+settings', tr('Port &Settings...')], ['cancel', tr('Close')]], act);
}
