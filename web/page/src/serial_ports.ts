// The browser's serial ports for the core (clone/comm_port_web.cpp), through the standard Web
// Serial API only. A device is "webserial:N", the N-th port this page may use. Reading runs in
// the background into a queue the core reads from without waiting; a wait resolves at the first
// byte or at its time limit. Closing cancels the reader and releases the streams before the port
// closes, so that no stream stays locked after a Cancel or a pulled cable.

// Error numbers the core reads as the system's (errno).
const ENOENT = 2;
const EIO = 5;
const EBUSY = 16;
const ETIMEDOUT = 110;

interface OpenPort {
  port: SerialPort;
  reader: ReadableStreamDefaultReader<Uint8Array> | null;
  queue: number[];
  hungUp: boolean;
  wake: (() => void) | null;
  reading: Promise<void>;
}

// A port's USB ids as the system writes them ("0403:6001"); undefined for a port without.
export function usbIds(port: SerialPort): string | undefined {
  const info = port.getInfo();
  if (info.usbVendorId === undefined)
    return undefined;
  const hex = (n: number | undefined) => (n ?? 0).toString(16).padStart(4, '0');
  return `${hex(info.usbVendorId)}:${hex(info.usbProductId)}`;
}

// A port as the port menu lists it: its chip (named by the core) and USB ids.
export function describePort(port: SerialPort, chipName: (vendor: number, product: number) => string): string {
  const ids = usbIds(port);
  if (ids === undefined)
    return 'serial';
  const info = port.getInfo();
  const chip = chipName(info.usbVendorId!, info.usbProductId ?? 0);
  return chip ? `${chip} (${ids})` : ids;
}

export class SerialPorts {
  private ports: SerialPort[] = [];
  private open = new Map<number, OpenPort>();
  private closing: Promise<void> = Promise.resolve();
  private nextHandle = 1;

  static supported(): boolean {
    return typeof navigator !== 'undefined' && 'serial' in navigator;
  }

  // The ports the user has let this page use (a port chosen on an earlier visit among them).
  async refresh(): Promise<SerialPort[]> {
    this.ports = SerialPorts.supported() ? await navigator.serial.getPorts() : [];
    return this.ports;
  }

  // Asks the user for a port (needs a click or a key); its index, or -1.
  async choose(): Promise<number> {
    try {
      const port = await navigator.serial.requestPort();
      await this.refresh();
      const index = this.ports.indexOf(port);
      return index >= 0 ? index : this.ports.push(port) - 1;
    } catch {
      return -1;
    }
  }

  list(): SerialPort[] {
    return this.ports;
  }

  // A handle, or minus the error number.
  async openDevice(device: string, baud: number): Promise<number> {
    await this.closing;
    const match = /^webserial:(\d+)$/.exec(device);
    const port = match ? this.ports[Number(match[1])] : undefined;
    if (!port)
      return -ENOENT;
    try {
      await port.open({ baudRate: baud, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none' });
    } catch (e) {
      // Open in another tab or program, or taken away.
      return -((e as DOMException).name === 'InvalidStateError' ? EBUSY : EIO);
    }
    const handle = this.nextHandle++;
    const entry: OpenPort = { port, reader: null, queue: [], hungUp: false, wake: null, reading: Promise.resolve() };
    entry.reading = this.readLoop(entry);
    this.open.set(handle, entry);
    return handle;
  }

  // A framing, parity or overrun error ends a stream and the port gives the next; a pulled
  // cable or a port lost gives none.
  private async readLoop(entry: OpenPort): Promise<void> {
    try {
      while (entry.port.readable && !entry.hungUp) {
        entry.reader = entry.port.readable.getReader();
        try {
          for (;;) {
            const { value, done } = await entry.reader.read();
            if (done)
              return;
            for (const b of value) entry.queue.push(b);
            entry.wake?.();
          }
        } catch {
          // The bytes in error are lost; the link's checks see to the rest.
        } finally {
          entry.reader.releaseLock();
          entry.reader = null;
        }
      }
    } catch {
      // No reader to be had: the port is lost.
    } finally {
      entry.hungUp = true;
      entry.wake?.();
    }
  }

  close(handle: number): void {
    const entry = this.open.get(handle);
    if (!entry)
      return;
    this.open.delete(handle);
    entry.hungUp = true;
    const reader = entry.reader;
    this.closing = (async () => {
      try { await reader?.cancel(); } catch { /* already gone */ }
      await entry.reading;
      try { await entry.port.close(); } catch { /* already closed */ }
    })();
  }

  async write(handle: number, bytes: Uint8Array, limitMs: number): Promise<number> {
    const entry = this.open.get(handle);
    if (!entry || !entry.port.writable)
      return EIO;
    const writer = entry.port.writable.getWriter();
    let timer: ReturnType<typeof setTimeout> | undefined;
    try {
      const late = new Promise<number>(resolve => { timer = setTimeout(() => resolve(ETIMEDOUT), limitMs); });
      return await Promise.race([writer.write(bytes).then(() => 0), late]);
    } catch {
      return EIO;
    } finally {
      clearTimeout(timer);
      writer.releaseLock();
    }
  }

  waiting(handle: number): number {
    return this.open.get(handle)?.queue.length ?? 0;
  }

  // Up to `count` waiting bytes; null for a port that is gone.
  read(handle: number, count: number): Uint8Array | null {
    const entry = this.open.get(handle);
    if (!entry)
      return null;
    return Uint8Array.from(entry.queue.splice(0, count));
  }

  purge(handle: number): void {
    const entry = this.open.get(handle);
    if (entry)
      entry.queue.length = 0;
  }

  // 0: input waits, 1: none has come, 2: the line has hung up.
  poll(handle: number): number {
    const entry = this.open.get(handle);
    return !entry ? 2 : entry.queue.length ? 0 : entry.hungUp ? 2 : 1;
  }

  // As poll, once input has come or `ms` have passed.
  async wait(handle: number, ms: number): Promise<number> {
    const entry = this.open.get(handle);
    if (!entry || this.poll(handle) !== 1)
      return this.poll(handle);
    await new Promise<void>(resolve => {
      const timer = setTimeout(() => { entry.wake = null; resolve(); }, ms);
      entry.wake = () => { clearTimeout(timer); entry.wake = null; resolve(); };
    });
    return entry.queue.length ? 0 : entry.hungUp ? 2 : 1;
  }

  async setSignals(handle: number, dtr: boolean, rts: boolean): Promise<boolean> {
    try {
      await this.open.get(handle)?.port.setSignals({ dataTerminalReady: dtr, requestToSend: rts });
      return true;
    } catch {
      return false;
    }
  }

  // The core's side (Module.serial).
  forCore() {
    return {
      open: (device: string, baud: number) => this.openDevice(device, baud),
      close: (h: number) => this.close(h),
      write: (h: number, b: Uint8Array, ms: number) => this.write(h, b, ms),
      waiting: (h: number) => this.waiting(h),
      read: (h: number, n: number) => this.read(h, n),
      purge: (h: number) => this.purge(h),
      poll: (h: number) => this.poll(h),
      wait: (h: number, ms: number) => this.wait(h, ms),
      setSignals: (h: number, d: boolean, r: boolean) => this.setSignals(h, d, r),
    };
  }
}
