// The core in WebAssembly (pwr455-core.js), as the page calls it. Every rule of editing and
// cloning is the core's; this file only carries texts and bytes across.

export interface ChannelListState {
  title: string;
  name: string;
  edited: boolean;
  simulating: boolean;
  undo: string;
  redo: string;
  headings: string[];
  rows: string[][];
}

export interface ChannelFields {
  inUse: boolean;
  frequency: string;
  name: string;
  txInhibit: boolean;
  lockout: boolean;
}

interface CoreModule {
  ccall(name: string, ret: string | null, types: string[], args: unknown[], opts?: { async?: boolean }): any;
  getValue(ptr: number, type: string): number;
  HEAPU8: Uint8Array;
  _malloc(size: number): number;
  _free(ptr: number): void;
  host: unknown;
  serial: unknown;
}

declare const createCore: (options: object) => Promise<CoreModule>;

export class Core {
  private constructor(private readonly m: CoreModule) {}

  // Loads the module; `host` and `serial` are the page's sides of the clone host and the ports,
  // `translate` gives the core's texts in the page's language.
  static async load(host: unknown, serial: unknown, translate: (english: string) => string | null): Promise<Core> {
    const core = new Core(await createCore({ host, serial, translate }));
    core.m.ccall('pwr_use_page_language', null, [], []);
    return core;
  }

  text(id: number): string {
    return this.m.ccall('pwr_text', 'string', ['number'], [id]);
  }

  state(): ChannelListState {
    return JSON.parse(this.m.ccall('pwr_state', 'string', [], []));
  }

  channel(ch: number): ChannelFields {
    return JSON.parse(this.m.ccall('pwr_channel', 'string', ['number'], [ch]));
  }

  newData(): void {
    this.m.ccall('pwr_new', null, [], []);
  }

  // "" when opened, else the message to show.
  open(name: string, bytes: Uint8Array): string {
    const at = this.m._malloc(Math.max(bytes.length, 1));
    try {
      this.m.HEAPU8.set(bytes, at);
      return this.m.ccall('pwr_open', 'string', ['string', 'number', 'number'], [name, at, bytes.length]);
    } finally {
      this.m._free(at);
    }
  }

  // The bytes File Save writes, or the reason they cannot be made.
  format(): { bytes?: Uint8Array<ArrayBuffer>; error?: string } {
    const lengthAt = this.m._malloc(4);
    try {
      const at: number = this.m.ccall('pwr_format', 'number', ['number'], [lengthAt]);
      const length = this.m.getValue(lengthAt, 'i32');
      const failed: boolean = this.m.ccall('pwr_format_failed', 'number', [], []) !== 0;
      const bytes = new Uint8Array(length);
      bytes.set(this.m.HEAPU8.subarray(at, at + length));
      return failed ? { error: new TextDecoder().decode(bytes) } : { bytes };
    } finally {
      this.m._free(lengthAt);
    }
  }

  saved(name: string): void {
    this.m.ccall('pwr_saved', null, ['string'], [name]);
  }

  // Edit Memory's OK: the notes on what was stored.
  editChannel(ch: number, fields: ChannelFields): string {
    return this.m.ccall('pwr_edit_channel', 'string', ['number', 'string', 'string', 'number', 'number'],
      [ch, fields.name, fields.frequency, fields.txInhibit ? 1 : 0, fields.lockout ? 1 : 0]);
  }

  undo(): boolean {
    return this.m.ccall('pwr_undo', 'number', [], []) !== 0;
  }

  redo(): boolean {
    return this.m.ccall('pwr_redo', 'number', [], []) !== 0;
  }

  simulate(): boolean {
    return this.m.ccall('pwr_simulate', 'number', [], []) !== 0;
  }

  // The clone commands, run with the page alive; each gives the clone result.
  async clone(command: 'read' | 'write' | 'information'): Promise<number> {
    return await this.m.ccall(`pwr_${command}`, 'number', [], [], { async: true });
  }
}
