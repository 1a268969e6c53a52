// The page's window around the room: menus, toolbar, tool panel, status bar, the view's mouse and
// touch, keys, continuous turning, the files and the splash and version windows. Every command on
// the room goes through the module's dispatcher (Kubisto.run) by the room command table's names.
import { CommandError, Direction, Kubisto, RoomState, Turn, View } from "./kubisto";
import { currentLanguage, menuTitle, setLanguage, t } from "./i18n";
import { Choice, closePopup, messageBox, popup, popupOpen } from "./dialogs";
import { chooseLayout } from "./file_window";
import { readLayout, StorageFullError, writeLayout } from "./store";
import { downloadBytes } from "./download";
import { exportModel, ModelFormat } from "./export/model_export";
import { decodeShareFragment, shareLink, ShareLinkError } from "./share/share_link";
import * as sound from "./sound";

const $ = (id: string) => document.getElementById(id)!;

// The largest file the page reads (a layout of 16 cells a side is far smaller).
const kMaxFileBytes = 16 * 1024 * 1024;
// Continuous turning's steps, chosen in turn by each start, and its tick.
const kTurnAxes = [Turn.Up, Turn.Down, Turn.Right, Turn.Left];
const kTickMs = 20;
const kLongPressMs = 500;

// The model formats of the export menu: the item's name (mnuFileExport_<key>), its caption (the
// format's own name in either language) and the format.
const kExports: [string, string, ModelFormat][] = [
  ["gltf", "glTF (.gltf, .bin)", ".gltf"], ["glb", "GLB (.glb)", ".glb"], ["obj", "OBJ (.obj, .mtl)", ".obj"],
  ["stl", "STL (.stl)", ".stl"], ["vox", "VOX (.vox)", ".vox"],
];
// What a share link that gives no layout lacks, by its fault.
const kShareFaults: Record<string, string> = {
  "empty": "リンクにレイアウトがありません。", "malformed": "リンクが壊れています。",
  "damaged": "リンクが壊れています。", "too-large": "リンクのレイアウトが大きすぎます。",
};

interface MenuEntry {
  id: string;
  caption: string;
  run?: () => unknown;
  items?: (MenuEntry | null)[];
  checked?: () => boolean;
  enabled?: () => boolean;
}

export class App {
  private state!: RoomState;
  private fileName = "";
  private turnTimer = 0;
  private turnStep = 0;
  private busy = false;
  private soundPlaying = false;

  constructor(readonly room: Kubisto) {}

  // --- The window ---

  build(): void {
    this.buildMenus();
    this.buildToolBar();
    this.buildToolBox();
    this.bindView();
    this.bindKeys();
    $("upload").addEventListener("change", () => void this.uploadChosen());
    // Leaving the page with unsaved work: the browser asks first.
    window.addEventListener("beforeunload", (e) => {
      if (!this.state.modified) return;
      e.preventDefault();
      e.returnValue = "";
    });
    this.refresh();
  }

  private menus(): MenuEntry[] {
    const divide = (n: number): MenuEntry => ({
      id: `mnuOptionDivideNum${n - 3}`, caption: String(n),
      run: () => this.setDivide(n), checked: () => this.state.divide === n,
    });
    const language = (code: "ja" | "en", caption: string): MenuEntry => ({
      id: `mnuOptionLanguage_${code}`, caption, run: () => this.switchLanguage(code),
      checked: () => currentLanguage() === code,
    });
    return [
      { id: "mnuFile", caption: menuTitle("ファイル(&F)"), items: [
        { id: "mnuFileNew", caption: t("新規作成"), run: () => this.newRoom() },
        null,
        { id: "mnuFileLoad", caption: t("読み込み"), run: () => this.loadStored() },
        { id: "mnuFileSave", caption: t("保存"), run: () => this.saveStored() },
        null,
        { id: "mnuFileOpen", caption: t("ファイルを開く…"), run: () => this.upload() },
        { id: "mnuFileDownload", caption: t("ファイルに保存（ダウンロード）"), run: () => this.download() },
        null,
        { id: "mnuFileShare", caption: t("共有リンクをコピー"), run: () => this.copyShareLink() },
        { id: "mnuFileExport", caption: t("エクスポート"), items: kExports.map(([key, caption, format]) => ({
          id: `mnuFileExport_${key}`, caption, run: () => this.exportModel(format),
        })) },
        null,
        { id: "mnuFileFin", caption: t("終了"), run: () => this.finish() },
      ] },
      { id: "mnuEdit", caption: menuTitle("編集(&E)"), items: [
        { id: "mnuEditUndo", caption: t("元に戻す"), run: () => this.undo(), enabled: () => this.state.undo !== "" },
        { id: "mnuEditRedo", caption: t("やり直し"), run: () => this.redo(), enabled: () => this.state.redo !== "" },
        null,
        { id: "mnuEditCopy", caption: t("画面をクリップボードにコピー"), run: () => this.copyPicture() },
      ] },
      { id: "mnuView", caption: menuTitle("表示(&V)"), items: [
        { id: "mnuViewTurn", caption: t("回転（回転方向変更）"), run: () => this.startTurning() },
        { id: "mnuViewTurnStop", caption: t("回転停止"), run: () => this.stopTurning() },
        null,
        { id: "mnuViewFront", caption: t("正面から"), run: () => this.command("view", this.room.viewName(View.Front)) },
        { id: "mnuViewTop", caption: t("上から"), run: () => this.command("view", this.room.viewName(View.Top)) },
        { id: "mnuViewSide", caption: t("右側面から"), run: () => this.command("view", this.room.viewName(View.Side)) },
        { id: "mnuViewBird", caption: t("ななめうえから"), run: () => this.command("view", this.room.viewName(View.Bird)) },
      ] },
      { id: "mnuOption", caption: menuTitle("オプション(&O)"), items: [
        { id: "mnuOptionDivide", caption: t("辺の分割数"),
          items: [divide(3), divide(4), divide(5), null, divide(6), divide(8), divide(10), divide(12), divide(16)] },
        { id: "mnuOptionSound", caption: t("効果音"), run: () => sound.setSoundOn(!sound.soundOn()),
          checked: () => sound.soundOn() },
        { id: "mnuOptionLanguage", caption: t("言語 (Language)"),
          items: [language("ja", "日本語"), language("en", "English")] },
      ] },
      { id: "mnuHelp", caption: menuTitle("ヘルプ(&H)"), items: [
        { id: "mnuHelpHelp", caption: t("Kubisto!!のヘルプ"), run: () => this.help() },
        { id: "mnuHelpVersion", caption: t("バージョン情報"), run: () => this.showVersion() },
      ] },
    ];
  }

  private buildMenus(): void {
    const bar = $("menubar");
    bar.replaceChildren();
    const entries = (parent: HTMLElement, items: (MenuEntry | null)[]) => {
      for (const item of items) {
        if (item === null) {
          parent.append(document.createElement("hr"));
          continue;
        }
        const button = document.createElement("button");
        button.id = item.id;
        button.textContent = item.caption;
        button.setAttribute("role", "menuitem");
        if (item.items) {
          const sub = document.createElement("div");
          sub.className = "submenu";
          const list = document.createElement("div");
          list.className = "menu-items";
          entries(list, item.items);
          button.onclick = (e) => {
            e.stopPropagation();
            sub.classList.toggle("open");
          };
          sub.append(button, list);
          parent.append(sub);
          continue;
        }
        button.onclick = () => {
          this.closeMenus();
          void this.guard(async () => item.run!());
        };
        const sync = () => {
          button.classList.toggle("checked", item.checked?.() ?? false);
          button.disabled = !(item.enabled?.() ?? true);
        };
        this.menuSyncs.push(sync);
        parent.append(button);
      }
    };
    this.menuSyncs = [];
    for (const menu of this.menus()) {
      const box = document.createElement("div");
      box.className = "menu";
      const title = document.createElement("button");
      title.id = menu.id;
      title.textContent = menu.caption;
      const list = document.createElement("div");
      list.className = "menu-items";
      entries(list, menu.items!);
      title.onclick = (e) => {
        e.stopPropagation();
        const open = !box.classList.contains("open");
        this.closeMenus();
        if (open) {
          this.menuSyncs.forEach((s) => s());
          box.classList.add("open");
        }
      };
      title.onmouseenter = () => {
        if (bar.querySelector(".menu.open") && !box.classList.contains("open")) title.click();
      };
      box.append(title, list);
      bar.append(box);
    }
    document.addEventListener("click", () => this.closeMenus());
  }
  private menuSyncs: (() => void)[] = [];

  private closeMenus(): void {
    document.querySelectorAll(".menu.open, .submenu.open").forEach((m) => m.classList.remove("open"));
  }

  private buildToolBar(): void {
    const bar = $("toolbar");
    bar.replaceChildren();
    const en = currentLanguage() === "en";
    const entries: ([string, string, string, () => unknown] | null)[] = [
      ["Fin", "tb_fin.png", "アプリケーションを終了します。", () => this.finish()],
      null,
      ["Load", "tb_load.png", "データを読み込みます。", () => this.loadStored()],
      ["Save", "tb_save.png", "データを保存します。", () => this.saveStored()],
      null,
      ["ViewTurn", "tb_turn.png", "連続回転（回転方向変更）", () => this.startTurning()],
      ["StopTurn", "tb_stop.png", "回転停止", () => this.stopTurning()],
      null,
      ["FrontView", en ? "tb_front_en.png" : "tb_front.png", "正面から見たところ", () => this.command("view", this.room.viewName(View.Front))],
      ["TopView", en ? "tb_top_en.png" : "tb_top.png", "上から見たところ", () => this.command("view", this.room.viewName(View.Top))],
      ["SideView", en ? "tb_side_en.png" : "tb_side.png", "右から見たところ", () => this.command("view", this.room.viewName(View.Side))],
      ["BirdView", "tb_bird.png", "ななめうえから見たところ", () => this.command("view", this.room.viewName(View.Bird))],
    ];
    for (const entry of entries) {
      if (entry === null) {
        const s = document.createElement("span");
        s.className = "separator";
        bar.append(s);
        continue;
      }
      const [key, picture, tip, run] = entry;
      const button = document.createElement("button");
      button.id = "tlbToolBar_" + key;
      button.title = t(tip);
      button.setAttribute("aria-label", t(tip));
      const img = document.createElement("img");
      img.src = "images/" + picture;
      img.alt = "";
      button.append(img);
      button.onclick = () => void this.guard(async () => run());
      bar.append(button);
    }
  }

  // The tool panel's buttons, placed as the desktop places them on its panel.
  private buildToolBox(): void {
    const box = $("toolbox");
    box.replaceChildren();
    const PW = 178, PH = 338;
    const buttons: Record<string, [string, string, number, number, () => unknown]> = {
      cmdAdd: ["btn_add.png", "ひとつブロックをふやします", 49, 41, () => this.addBlock()],
      cmdDelete: ["btn_delete.png", "選択中のブロックを消します", 49, 41, () => this.deleteBlock()],
      cmdX: ["btn_x.png", "東に動かします", 33, 25, () => this.move(Direction.X)],
      cmdMX: ["btn_mx.png", "西に動かします", 33, 25, () => this.move(Direction.MinusX)],
      cmdY: ["btn_y.png", "上に動かします", 33, 25, () => this.move(Direction.Y)],
      cmdMY: ["btn_my.png", "下に動かします", 33, 25, () => this.move(Direction.MinusY)],
      cmdZ: ["btn_z.png", "北に動かします", 33, 25, () => this.move(Direction.Z)],
      cmdMZ: ["btn_mz.png", "南に動かします", 33, 25, () => this.move(Direction.MinusZ)],
      cmdUp: ["btn_up.png", "上から見下ろします", 33, 41, () => this.turn(Turn.Up)],
      cmdDown: ["btn_down.png", "下から見上げます", 33, 41, () => this.turn(Turn.Down)],
      cmdLeft: ["btn_left.png", "左に回ります", 41, 33, () => this.turn(Turn.Left)],
      cmdRight: ["btn_right.png", "右に回ります", 41, 33, () => this.turn(Turn.Right)],
    };
    const g = (PH - (3 * 25 + 41 + 2 * 41)) / 4;
    const addLeft = (PW - 98) / 2, xLeft = (PW - 66) / 2, xTop = 2 * g + 41;
    const upLeft = (PW - 33) / 2, upTop = xTop + 3 * 25 + g;
    const places: Record<string, [number, number]> = {
      cmdAdd: [addLeft, g], cmdDelete: [addLeft + 49, g],
      cmdX: [xLeft, xTop], cmdMX: [xLeft + 33, xTop], cmdY: [xLeft, xTop + 25], cmdMY: [xLeft + 33, xTop + 25],
      cmdZ: [xLeft, xTop + 50], cmdMZ: [xLeft + 33, xTop + 50],
      cmdUp: [upLeft, upTop], cmdDown: [upLeft, upTop + 41],
      cmdLeft: [upLeft - 41, upTop + 41 - 33 / 2], cmdRight: [upLeft + 33, upTop + 41 - 33 / 2],
    };
    for (const [id, [picture, tip, w, h, run]] of Object.entries(buttons)) {
      const button = document.createElement("button");
      button.id = id;
      button.title = t(tip);
      button.setAttribute("aria-label", t(tip));
      Object.assign(button.style, {
        left: `${Math.round(places[id][0])}px`, top: `${Math.round(places[id][1])}px`,
        width: `${w}px`, height: `${h}px`, backgroundImage: `url(images/${picture})`,
      });
      button.onclick = () => void this.guard(async () => run());
      box.append(button);
    }
  }

  // --- The room ---

  // Runs a command whose failure the user is told of; the room is drawn afresh after it.
  private async guard(step: () => Promise<unknown>): Promise<void> {
    if (this.busy) return;
    this.busy = true;
    try {
      await step();
    } catch (e) {
      await this.tell(e instanceof CommandError ? e.message : String(e));
    } finally {
      this.busy = false;
      this.refresh();
    }
  }

  private move(direction: Direction): unknown {
    return this.command("move", this.room.directionName(direction));
  }

  private turn(step: Turn): unknown {
    return this.command("turn", this.room.turnName(step));
  }

  private command(name: string, ...args: (string | number | boolean)[]): unknown {
    return this.room.run(name, ...args);
  }

  // Draws the view and shows the room's state; plays its sounds and shows its messages.
  refresh(): void {
    this.state = this.room.state();
    (($("view") as HTMLCanvasElement).getContext("2d")!).putImageData(this.room.pixels(), 0, 0);
    const c = this.state.current;
    $("selection").textContent = c ? t("(%1,%2,%3)を選択", c[0], c[1], c[2]) : t("選択中のブロックはないよ");
    $("panel1").textContent = this.fileName;
    $("view").setAttribute("aria-description", $("selection").textContent!);
    this.menuSyncs.forEach((s) => s());
    const last = this.state.sounds[this.state.sounds.length - 1];
    if (last && !this.soundPlaying) {
      // One sound at a time, as the desktop plays each to its end before the next command.
      this.soundPlaying = true;
      void sound.play(last).finally(() => (this.soundPlaying = false));
    }
    for (const m of this.state.messages) void messageBox(m, t("注意"));
  }

  // A message in the page's message box.
  tell(text: string): Promise<Choice> {
    return messageBox(text, t("注意"));
  }

  private addBlock(): void {
    const d = this.state.divide;
    this.command("add", d - 1, d - 1, d - 1, 0xff0000);
  }

  private deleteBlock(): void {
    const c = this.state.current;
    if (c) this.command("delete", c[0], c[1], c[2]);
  }

  private undo(): void {
    this.room.undo();
  }

  private redo(): void {
    this.room.redo();
  }

  // Unsaved work: asks whether to save it first. False when the user cancels.
  private async mayDiscard(): Promise<boolean> {
    if (!this.room.state().modified) return true;
    const choice = await messageBox(t("変更を保存しますか？"), "Oh!Kubisto!!", ["yes", "no", "cancel"]);
    if (choice === "cancel") return false;
    if (choice === "yes") return this.saveStored();
    return true;
  }

  private async newRoom(): Promise<void> {
    if (!(await this.mayDiscard())) return;
    this.command("clear", true);
    this.fileName = "";
  }

  private async setDivide(n: number): Promise<void> {
    if (n === this.state.divide || !(await this.mayDiscard())) return;
    this.command("set_divide", n, true);
  }

  // --- Files ---

  // Opens the layout a share link's fragment ("#kbs=...") carries, as Open a file opens a file:
  // a link that gives no layout, or no good one, is told and leaves the room as it was.
  openShared(hash: string): Promise<void> {
    return this.guard(async () => {
      let bytes: Uint8Array;
      try {
        bytes = await decodeShareFragment(hash);
      } catch (e) {
        const fault = e instanceof ShareLinkError ? t(kShareFaults[e.kind]) : String(e);
        await this.tell(t("共有リンクのレイアウトが読めません。") + "\n" + fault);
        return;
      }
      // A shared layout has no file name of its own, as a new one.
      if (await this.loadBytes("kubisto.kbs", bytes)) this.fileName = "";
    });
  }

  // Loads bytes as the room's layout after the unsaved-work question; a refused file is
  // reported and leaves the room as it was. True when the layout was loaded.
  private async loadBytes(name: string, bytes: Uint8Array): Promise<boolean> {
    if (bytes.length > kMaxFileBytes) {
      await this.tell(t("ファイルが読めません。") + "\n" + t("%1: ファイルが大きすぎます", name));
      return false;
    }
    $("panel1").textContent = t("データの読み込み中");
    // The module reads and checks the file before it looks at unsaved work: a file that is no
    // layout is told at once, and only a good one asks about the work in the room.
    for (let discard = false; ; discard = true) {
      try {
        this.room.loadBytes(name, bytes, discard);
        break;
      } catch (e) {
        const unsaved = !discard && e instanceof CommandError && e.kind === "ValueError" && this.room.state().modified;
        if (!unsaved) {
          await this.tell(t("ファイルが読めません。") + "\n" + (e as Error).message);
          return false;
        }
        if (!(await this.mayDiscard())) return false;
      }
    }
    // A model read in is saved as a layout.
    this.fileName = name.replace(/\.vox$/i, ".kbs");
    return true;
  }

  private async loadStored(): Promise<void> {
    const name = await chooseLayout("load", this.fileName);
    if (name === null) return;
    const stored = await readLayout(name);
    if (stored) await this.loadBytes(name, stored.bytes);
  }

  // Saves the room into the browser under a name chosen in the file window; false when not saved.
  private async saveStored(): Promise<boolean> {
    const name = await chooseLayout("save", this.fileName || "kubisto.kbs");
    if (name === null) return false;
    $("panel1").textContent = t("データの保存中");
    const bytes = this.room.layoutBytes();
    try {
      await writeLayout(name, bytes);
    } catch (e) {
      const full = e instanceof StorageFullError;
      await this.tell((full ? t("ブラウザの保存場所がいっぱいで、保存できませんでした。")
        : t("ブラウザの保存場所が使えません。")) + "\n" + t("「ファイルに保存（ダウンロード）」でなら保存できます。"));
      return false;
    }
    this.room.markSaved();
    this.fileName = name;
    return true;
  }

  private upload(): void {
    ($("upload") as HTMLInputElement).click();
  }

  private async uploadChosen(): Promise<void> {
    const input = $("upload") as HTMLInputElement;
    const file = input.files?.[0];
    input.value = "";
    if (file) await this.guard(async () => this.loadBytes(file.name, new Uint8Array(await file.arrayBuffer())));
  }

  private download(): void {
    const name = this.fileName || "kubisto.kbs";
    const bytes = this.room.saveBytes(name);
    downloadBytes(/\.kbs$/i.test(name) ? name : name.replace(/\.[^.]*$/, "") + ".kbs", bytes);
  }

  // The room's blocks as a model, downloaded: made from the layout's bytes by the desktop's own
  // writers, under the layout's name.
  private async exportModel(format: ModelFormat): Promise<void> {
    const stem = this.fileName.replace(/\.[^.]*$/, "") || "kubisto";
    try {
      await exportModel(this.room.exports, this.room.layoutBytes(), format, { stem });
    } catch (e) {
      await this.tell(t("モデルを書き出せませんでした。") + "\n" + (e as Error).message);
    }
  }

  // A link to the page that carries the room's layout, on the clipboard; where the browser
  // refuses the clipboard, the message shows the link to be copied by hand.
  private async copyShareLink(): Promise<void> {
    const link = await shareLink(this.room.layoutBytes(), location.href);
    try {
      await navigator.clipboard.writeText(link);
    } catch {
      await this.tell(t("共有リンクをクリップボードにコピーできませんでした。") + "\n" + link);
    }
  }

  private async copyPicture(): Promise<void> {
    const canvas = $("view") as HTMLCanvasElement;
    try {
      const blob = await new Promise<Blob>((done, fail) =>
        canvas.toBlob((b) => (b ? done(b) : fail(new Error("no picture"))), "image/png"));
      await navigator.clipboard.write([new ClipboardItem({ "image/png": blob })]);
    } catch (e) {
      await this.tell(t("画面をクリップボードにコピーできませんでした。") + "\n" + String(e));
    }
  }

  private async finish(): Promise<void> {
    if (!(await this.mayDiscard())) return;
    this.stopTurning();
    window.close();
  }

  // --- Turning, the view's mouse and keys ---

  private startTurning(): void {
    const axis = kTurnAxes[this.turnStep];
    this.turnStep = (this.turnStep + 1) % 4;
    window.clearInterval(this.turnTimer);
    this.turnTimer = window.setInterval(() => {
      if (this.busy) return;
      try {
        this.turn(axis);
      } catch {
        this.stopTurning();
      }
      this.refresh();
    }, kTickMs);
  }

  private stopTurning(): void {
    window.clearInterval(this.turnTimer);
    this.turnTimer = 0;
  }

  // A click picks the block under it; a right click or a long touch on a block opens the colour
  // menu there.
  private bindView(): void {
    const view = $("view") as HTMLCanvasElement;
    let pressTimer = 0;
    const pick = (e: PointerEvent, colourMenu: boolean) => {
      const r = view.getBoundingClientRect();
      const x = ((e.clientX - r.left) * view.width) / r.width;
      const y = ((e.clientY - r.top) * view.height) / r.height;
      void this.guard(async () => {
        this.room.pick(x, y);
        if (colourMenu && this.room.state().current) this.colourMenu(e.clientX, e.clientY);
      });
    };
    view.addEventListener("pointerdown", (e) => {
      view.focus();
      closePopup();
      if (e.pointerType === "touch") {
        pressTimer = window.setTimeout(() => {
          pressTimer = 0;
          pick(e, true);
        }, kLongPressMs);
        return;
      }
      if (e.button === 0 || e.button === 2) pick(e, e.button === 2);
    });
    const cancel = () => {
      window.clearTimeout(pressTimer);
      pressTimer = 0;
    };
    view.addEventListener("pointerup", (e) => {
      // A short touch is a click; a long one has opened the colour menu already.
      if (e.pointerType === "touch" && pressTimer) {
        cancel();
        pick(e, false);
      }
      pressTimer = 0;
    });
    view.addEventListener("pointermove", (e) => {
      if (e.pointerType === "touch" && Math.hypot(e.movementX, e.movementY) > 4) cancel();
    });
    view.addEventListener("contextmenu", (e) => e.preventDefault());
    document.addEventListener("pointerdown", (e) => {
      if (popupOpen() && !$("popup").contains(e.target as Node) && e.target !== view) closePopup();
    });
  }

  private colourMenu(x: number, y: number): void {
    const colours: [string, string, string][] = [
      ["mnuPopupColorRed", "赤", "red"], ["mnuPopupColorBlue", "青", "blue"],
      ["mnuPopupColorYellow", "黄", "yellow"], ["mnuPopupColorGreen", "緑", "green"],
      ["mnuPopupColorMagenta", "マゼンタ", "magenta"], ["mnuPopupColorCyan", "シアン", "cyan"],
    ];
    popup([
      ...colours.map(([id, caption, name]) => ({
        id, caption: t(caption), run: () => void this.guard(async () => this.command("recolour", name)),
      })),
      null,
      { id: "mnuPopupColorOther", caption: t("その他の色…"), run: () => this.otherColour() },
    ], x, y);
  }

  private otherColour(): void {
    const input = $("otherColour") as HTMLInputElement;
    input.onchange = () => void this.guard(async () => this.command("recolour", input.value.toUpperCase()));
    input.click();
  }

  private bindKeys(): void {
    const keys: Record<string, string> = {
      Insert: "cmdAdd", Delete: "cmdDelete", ArrowLeft: "cmdX", ArrowRight: "cmdMX",
      ArrowUp: "cmdMZ", ArrowDown: "cmdZ", PageUp: "cmdY", PageDown: "cmdMY",
    };
    document.addEventListener("keydown", (e) => {
      if (document.querySelector("dialog[open]") || (e.target as HTMLElement).tagName === "INPUT") return;
      if (e.key === "Escape") {
        closePopup();
        this.closeMenus();
        return;
      }
      const ctrl = e.ctrlKey || e.metaKey;
      let run: (() => unknown) | null = null;
      if (ctrl && e.key.toLowerCase() === "z") run = e.shiftKey ? () => this.redo() : () => this.undo();
      else if (ctrl && e.key.toLowerCase() === "y") run = () => this.redo();
      else if (ctrl && e.key.toLowerCase() === "c") run = () => this.copyPicture();
      else if (!ctrl && !e.altKey && keys[e.key]) run = () => ($(keys[e.key]) as HTMLButtonElement).click();
      if (run === null) return;
      e.preventDefault();
      if (keys[e.key] && !ctrl) run();
      else void this.guard(async () => run!());
    });
  }

  // --- Language, help, version ---

  private switchLanguage(code: "ja" | "en"): void {
    setLanguage(code);
    this.buildMenus();
    this.buildToolBar();
    this.buildToolBox();
  }

  private help(): void {
    window.open(`help/${currentLanguage()}.html`, "kubisto-help");
  }

  // The splash's picture as the version window: a click closes it.
  showVersion(): Promise<void> {
    const splash = $("splash");
    splash.hidden = false;
    return new Promise((done) => {
      splash.onclick = () => {
        splash.hidden = true;
        splash.onclick = null;
        done();
      };
    });
  }
}

// The splash: shown for as long as its sound lasts where the browser allows sound already and the
// sounds are on, then gone without waiting for a click. Silent (a first visit: no sound before the
// first click or key) it is shown only while the module loads, so that the room is there at once.
export async function showSplash(moduleLoaded: Promise<unknown>): Promise<void> {
  const splash = $("splash");
  splash.hidden = false;
  const waits: Promise<unknown>[] = [moduleLoaded];
  if (sound.soundOn() && sound.soundAllowed()) {
    const ms = (await sound.length("splash")) || 1500;
    waits.push(sound.play("splash"), new Promise((r) => setTimeout(r, ms)));
  }
  await Promise.allSettled(waits);
  splash.hidden = true;
}
