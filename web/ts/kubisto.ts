// The page's way into the web module (kubisto.js/kubisto.wasm): the room commands by name through
// the module's one dispatcher, picking, undo and redo, the room's state and the view's pixels.
// Layout bytes go in and out through the module's in-memory file system, as files of the folder
// /files, so that "load" and "save" are the room's own commands with the desktop's bytes.

import type { ExportModule } from "./export/model_export";

declare function createKubisto(options?: object): Promise<any>;

export interface RoomState {
  divide: number;
  current: [number, number, number] | null;
  blocks: number;
  undo: string; // the undo entry's text (the desktop's, untranslated); "" for none
  redo: string;
  modified: boolean; // unsaved work
  sounds: string[]; // sounds to play since the last call: "move", "turn", "kasha"
  messages: string[]; // messages of the room to show since the last call
}

// A command the room refused; the message is the room command table's, the kind its fault:
// "ValueError", "TypeError", "OSError" (a file that is no layout), or "".
export class CommandError extends Error {
  constructor(message: string, readonly kind = "") {
    super(message);
  }
}

type Argument = string | number | boolean;

// The places of the names the command table gives for views, turn steps and move directions (the
// order of its lists), so that the page names no view, step or direction itself.
export const enum View { Front, Top, Side, Bird }
export const enum Turn { Up, Down, Left, Right }
export const enum Direction { X, MinusX, Y, MinusY, Z, MinusZ }

interface Names {
  view: string[];
  turn: string[];
  direction: string[];
}

export class Kubisto {
  private readonly names: Names;

  private constructor(private readonly m: any, readonly width: number, readonly height: number) {
    this.names = JSON.parse(m.UTF8ToString(m._kubisto_names()));
  }

  viewName(view: View): string {
    return this.names.view[view];
  }
  turnName(step: Turn): string {
    return this.names.turn[step];
  }
  directionName(direction: Direction): string {
    return this.names.direction[direction];
  }

  // The module itself, for the model exports (export/model_export.ts).
  get exports(): ExportModule {
    return this.m;
  }

  static async open(width: number, height: number): Promise<Kubisto> {
    const m = await createKubisto({ print: () => {}, printErr: (t: string) => console.warn(t) });
    const k = new Kubisto(m, width, height);
    k.check(m._kubisto_create(width, height) === 1);
    return k;
  }

  private error(): string {
    return this.m.UTF8ToString(this.m._kubisto_error());
  }

  private check(ok: boolean): void {
    if (!ok) throw new CommandError(this.error(), this.m.UTF8ToString(this.m._kubisto_error_kind()));
  }

  // Runs a room command; returns its JSON result, throws CommandError when refused.
  run(name: string, ...args: Argument[]): any {
    const text = args.map((a) => (typeof a === "boolean" ? (a ? "1" : "0") : String(a))).join("\n");
    const at: number = this.m.ccall("kubisto_run", "number", ["string", "string"], [name, text]);
    this.check(at !== 0);
    return JSON.parse(this.m.UTF8ToString(at));
  }

  pick(x: number, y: number): void {
    this.check(this.m._kubisto_pick(x, y) === 1);
  }

  // False when there was nothing to undo or redo.
  undo(): boolean {
    return this.m._kubisto_undo() === 1;
  }
  redo(): boolean {
    return this.m._kubisto_redo() === 1;
  }

  state(): RoomState {
    const at = this.m._kubisto_state();
    this.check(at !== 0);
    return JSON.parse(this.m.UTF8ToString(at));
  }

  pixels(): ImageData {
    const at = this.m._kubisto_pixels();
    this.check(at !== 0);
    const size = this.width * this.height * 4;
    return new ImageData(new Uint8ClampedArray(this.m.HEAPU8.buffer, at, size).slice(), this.width, this.height);
  }

  // Loads a layout (.kbs) or a model (.vox) from its bytes; a refused file leaves the room as it
  // was. discard: unsaved work may be thrown away.
  loadBytes(name: string, bytes: Uint8Array, discard: boolean): void {
    const file = "/files/" + safeName(name);
    this.m.FS.writeFile(file, bytes);
    try {
      this.run("load", file, discard);
    } finally {
      this.m.FS.unlink(file);
    }
  }

  // The layout file's bytes of the room as the desktop saves them; the room does not count as
  // saved until markSaved().
  layoutBytes(): Uint8Array {
    const at = this.m._kubisto_layout_bytes();
    this.check(at !== 0);
    return this.m.HEAPU8.slice(at, at + this.m._kubisto_result_size());
  }

  markSaved(): void {
    this.check(this.m._kubisto_mark_saved() === 1);
  }

  // The layout file's bytes of the room, as the desktop saves them; the room counts as saved.
  saveBytes(name: string): Uint8Array {
    const file = "/files/" + safeName(name);
    this.run("save", file);
    try {
      return this.m.FS.readFile(file) as Uint8Array;
    } finally {
      this.m.FS.unlink(file);
    }
  }
}

// The file name as the module's file system may hold it (the page's names are its own).
function safeName(name: string): string {
  const base = name.replace(/[/\\\0]/g, "_");
  return base.startsWith(".") || base === "" ? "_" + base : base;
}
