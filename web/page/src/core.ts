// The core in WebAssembly (pwr455-core.js), as the page calls it. Every rule of editing and
// cloning is the core's; this file only carries texts and bytes across.

import { unpack } from './packed';

export interface ChannelListState {
  title: string;
  name: string;
  edited: boolean;
  simulating: boolean;
  undo: string;
  redo: string;
  undoLabel: string;
  redoLabel: string;
  headings: string[];
  rows: string[][];
}

// The editing commands, in the core's order.
export enum ListCommand { Copy, Paste, Clear, Delete, Insert, MoveUp, MoveDown, SortByFrequency, SortByName }

export interface CommandPlan {
  enabled: boolean;
  question: string; // a Yes/No question to ask first
  refusal: string; // a message to show instead
}

export interface CommandOutcome {
  selected: number;
  status?: string;
  clipboard?: string;
}

// The check boxes of the settings sheet, in the order the core takes them.
export const kSettingBoxes = ['beep', 'beepUpDownKey', 'sideTone', 'scanFunction', 'scanHanger',
  'adjustModeEnable', 'vfoModeEnable', 'vfoTxEnable', 'memoryWriteEnable'] as const;

export interface SettingsValues {
  boxes: boolean[];
  indicateMode: number;
  backlight: number;
  scanMode: number;
  priority: number;
  spacing: number;
  openingText: string;
  cloneComment: string;
}

// What the sheet opens with: its texts, the lists' entries and the values (the boxes by name).
export interface SettingsSheet extends Omit<SettingsValues, 'boxes'> {
  [label: string]: unknown;
  indicateModes: string[];
  backlights: string[];
  scanModes: string[];
  spacings: string[];
  priorities: string[];
  openingTextLimit: number;
  cloneCommentLimit: number;
}

export interface ChannelFields {
  inUse: boolean;
  frequency: string;
  name: string;
  txInhibit: boolean;
  lockout: boolean;
}

// The kneeboard card on a paper, as the core lays it out: the dialog's words, the paper and the A5
// card in points, the card's place on the paper (scale, x, y), its boxes (x, y, width, height,
// grey) and texts (x, baseline, face, size, grey, text).
export interface CardLayout {
  name: string;
  print: string;
  preview: string;
  paperLabel: string;
  papers: string[];
  page: [number, number];
  card: [number, number];
  place: [number, number, number];
  boxes: [number, number, number, number, number][];
  texts: [number, number, number, number, number, string][];
}

interface CoreModule {
  ccall(name: string, ret: string | null, types: string[], args: unknown[], opts?: { async?: boolean }): any;
  getValue(ptr: number, type: string): number;
  HEAPU8: Uint8Array;
  _malloc(size: number): number;
  _free(ptr: number): void;
  host: unknown;
  serial: unknown;
  cardTextWidth?: (face: number, size: number, text: string) => number;
}

declare const createCore: (options: object) => Promise<CoreModule>;
declare const PWR_CORE_WASM: string;

export class Core {
  private constructor(private readonly m: CoreModule) {}

  // Loads the module; `host` and `serial` are the page's sides of the clone host and the ports,
  // `translate` gives the core's texts in the page's language.
  static async load(host: unknown, serial: unknown, translate: (english: string) => string | null): Promise<Core> {
    const wasmBinary = await unpack(PWR_CORE_WASM);
    const core = new Core(await createCore({ host, serial, translate, wasmBinary }));
    core.m.ccall('pwr_use_page_language', null, [], []);
    return core;
  }

  // The clone commands from now on use the `index`-th port the page may use.
  usePort(index: number): void {
    this.m.ccall('pwr_use_port', null, ['number'], [index]);
  }

  // The chip of a cable by its USB ids ("" for none the program knows).
  chipName(vendor: number, product: number): string {
    return this.m.ccall('pwr_chip_name', 'string', ['number', 'number'], [vendor, product]);
  }

  text(id: number): string {
    return this.m.ccall('pwr_text', 'string', ['number'], [id]);
  }

  // The card on paper `paper` (A5, A4, Letter), its texts measured by `width`.
  card(paper: number, width: (face: number, size: number, text: string) => number): CardLayout {
    this.m.cardTextWidth = width;
    return JSON.parse(this.m.ccall('pwr_card', 'string', ['number'], [paper]));
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
    return this.call('pwr_open', 'string', ['string'], [name], bytes);
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

  // Undo or Redo: the status bar's text, "" when there was nothing to do.
  undoOrRedo(redo: boolean): string {
    return this.m.ccall('pwr_undo_or_redo', 'string', ['number'], [redo ? 1 : 0]);
  }

  // The note under Edit Memory's frequency as it is typed.
  describeFrequency(typed: string): string {
    return this.m.ccall('pwr_describe_frequency', 'string', ['string'], [typed]);
  }

  plan(command: ListCommand, ch: number): CommandPlan {
    return JSON.parse(this.m.ccall('pwr_plan', 'string', ['number', 'number'], [command, ch]));
  }

  run(command: ListCommand, ch: number): CommandOutcome {
    return JSON.parse(this.m.ccall('pwr_run', 'string', ['number', 'number'], [command, ch]));
  }

  settings(): SettingsSheet {
    return JSON.parse(this.m.ccall('pwr_settings', 'string', [], []));
  }

  // The sheet's OK (with `values`) or Cancel: the note on the opening text stored.
  applySettings(values: SettingsValues | null): string {
    const v = values ?? { boxes: [], indicateMode: 0, backlight: 0, scanMode: 0, priority: 0, spacing: 0,
      openingText: '', cloneComment: '' };
    const bits = v.boxes.reduce((sum, on, i) => sum | (on ? 1 << i : 0), 0);
    return this.m.ccall('pwr_apply_settings', 'string',
      ['number', 'number', 'number', 'number', 'number', 'number', 'number', 'string', 'string'],
      [values ? 1 : 0, bits, v.indicateMode, v.backlight, v.scanMode, v.priority, v.spacing, v.openingText,
        v.cloneComment]);
  }

  simulate(): boolean {
    return this.m.ccall('pwr_simulate', 'number', [], []) !== 0;
  }

  // A function of the core's C interface that a part of the page calls itself; `bytes`, when
  // given, are copied into the core's memory and passed as a pointer and a length after `args`.
  call(name: string, ret: 'string' | 'number' | null, types: string[], args: unknown[], bytes?: Uint8Array): any {
    if (!bytes)
      return this.m.ccall(name, ret, types, args);
    const at = this.m._malloc(Math.max(bytes.length, 1));
    try {
      this.m.HEAPU8.set(bytes, at);
      return this.m.ccall(name, ret, [...types, 'number', 'number'], [...args, at, bytes.length]);
    } finally {
      this.m._free(at);
    }
  }

  // One that waits with the page alive (a clone run).
  async callAsync(name: string, ret: 'string' | 'number', types: string[], args: unknown[]): Promise<any> {
    return await this.m.ccall(name, ret, types, args, { async: true });
  }

  // The page's side of a part of the core (Module[name]), such as the storage of the backups.
  provide(name: string, side: unknown): void {
    (this.m as unknown as Record<string, unknown>)[name] = side;
  }

  // The clone commands, run with the page alive; each gives the clone result.
  async clone(command: 'read' | 'write' | 'information'): Promise<number> {
    return this.callAsync(`pwr_${command}`, 'number', [], []);
  }
}
