// The page's side of the core's clone host (web/page_clone_host.cpp): the status bar, the
// progress window with Cancel, message boxes, questions, the Information dialog and the tones.

export interface PageParts {
  status: HTMLElement;
  progress: HTMLDialogElement;
  notice: HTMLDialogElement;
  question: HTMLDialogElement;
  information: HTMLDialogElement;
}

function byId<T extends HTMLElement>(root: ParentNode, id: string): T {
  return root.querySelector(`#${id}`) as T;
}

// The answer of each dialog that is still waiting for its close event.
const pendingAnswers = new WeakMap<HTMLDialogElement, () => void>();

// Shows `dialog` modal and resolves with the value of the button that closed it ('cancel' for
// Escape). The close event comes a moment after the dialog closed: a dialog shown again before
// then first gives the earlier answer its value, and the late event is not taken for the new one.
export function answer(dialog: HTMLDialogElement): Promise<string> {
  if (!dialog.open)
    pendingAnswers.get(dialog)?.();
  return new Promise(resolve => {
    const finish = () => {
      dialog.removeEventListener('close', closed);
      pendingAnswers.delete(dialog);
      resolve(dialog.returnValue);
    };
    const closed = () => {
      if (!dialog.open)
        finish();
    };
    pendingAnswers.set(dialog, finish);
    dialog.addEventListener('close', closed);
    dialog.returnValue = 'cancel';
    dialog.showModal();
  });
}

export class CloneHost {
  private cancelled = false;
  private busy = 0;
  private audio: AudioContext | null = null;

  constructor(private readonly parts: PageParts) {
    byId<HTMLButtonElement>(parts.progress, 'progress-cancel').addEventListener('click', () => {
      this.cancelled = true;
    });
    // Escape in the progress window is its Cancel, not a way to close it.
    parts.progress.addEventListener('cancel', e => {
      e.preventDefault();
      this.cancelled = true;
    });
  }

  setStatusText(text: string): void {
    this.parts.status.textContent = text;
  }

  createProgress(caption: string): void {
    const p = this.parts.progress;
    byId(p, 'progress-caption').textContent = caption;
    this.setProgressPos(0);
    this.cancelled = false;
    p.showModal();
  }

  // The core tells the position after every byte; the window is drawn again only when it moves.
  setProgressPos(percent: number): void {
    const text = byId(this.parts.progress, 'progress-percent');
    if (text.textContent === `${percent}%`)
      return;
    byId<HTMLProgressElement>(this.parts.progress, 'progress-bar').value = percent;
    text.textContent = `${percent}%`;
  }

  checkCancel(): boolean {
    const was = this.cancelled;
    this.cancelled = false;
    return was;
  }

  destroyProgress(): void {
    this.parts.progress.close();
  }

  async showNotice(text: string, warning: boolean): Promise<void> {
    const n = this.parts.notice;
    byId(n, 'notice-text').textContent = text;
    n.classList.toggle('warning', warning);
    await answer(n);
  }

  async askOkCancel(text: string): Promise<boolean> {
    byId(this.parts.question, 'question-text').textContent = text;
    return (await answer(this.parts.question)) === 'ok';
  }

  async showInformation(model: string, comment: string): Promise<void> {
    const d = this.parts.information;
    byId<HTMLInputElement>(d, 'information-model').value = model;
    byId<HTMLInputElement>(d, 'information-comment').value = comment;
    await answer(d);
  }

  setBusy(on: boolean): void {
    this.busy = Math.max(0, this.busy + (on ? 1 : -1));
    document.body.classList.toggle('busy', this.busy > 0);
  }

  // A tone through Web Audio; at once where the browser gives no sound.
  async beep(frequency: number, ms: number): Promise<void> {
    try {
      this.audio ??= new AudioContext();
      if (this.audio.state !== 'running')
        return;
      const tone = this.audio.createOscillator();
      const gain = this.audio.createGain();
      gain.gain.value = 0.2;
      tone.frequency.value = frequency;
      tone.connect(gain).connect(this.audio.destination);
      const ended = new Promise(resolve => { tone.onended = resolve; });
      tone.start();
      tone.stop(this.audio.currentTime + ms / 1000);
      await ended;
    } catch {
      // No sound: the clone goes on without it.
    }
  }
}
