// The page in a real browser (Debian's chromium, headless, driven by playwright-core): the window
// and its commands clicked through, keys and undo, the files (the browser's file window, upload,
// download, the clipboard), bad inputs, and the canvas and the saved bytes against the desktop
// program's own (`kubisto --render`, the Python package's headless room).
// Run: node page_test.js <site folder> <kubisto program> <python package folder or ""> <scratch
// folder> <layout written by the desktop>
"use strict";
const assert = require("assert");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const { execFileSync, spawn } = require("child_process");
const { chromium } = require("playwright-core");
const { readPng } = require("./kubisto_node.js");

const [siteDir, kubisto, pythonDir, scratch, desktopLayout] = process.argv.slice(2);
const W = 416, H = 338;

function freePort() {
  return new Promise((resolve) => {
    const server = http.createServer().listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function serve() {
  const port = await freePort();
  const server = spawn("python3", ["-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", siteDir],
    { stdio: "ignore" });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100; ++i) {
    const up = await new Promise((r) => http.get(url, (res) => { res.resume(); r(true); }).on("error", () => r(false)));
    if (up) return { server, url };
    await new Promise((r) => setTimeout(r, 100));
  }
  server.kill();
  throw new Error("the site could not be served");
}

function nativeRender(layoutFile) {
  const png = path.join(scratch, path.basename(layoutFile) + ".png");
  execFileSync(kubisto, ["--render", png, "--size", `${W}x${H}`, layoutFile], {
    env: { ...process.env, QT_QPA_PLATFORM: "offscreen", SDL_AUDIODRIVER: "dummy" },
    stdio: ["ignore", "inherit", "inherit"],
  });
  return readPng(png);
}

// The layout file that the desktop's headless room (the Python package) saves for these blocks.
function desktopSave(divide, blocks) {
  const file = path.join(scratch, "desktop.kbs");
  const script = "import json, sys, kubisto\n" +
    "d, blocks, out = json.loads(sys.argv[1]), json.loads(sys.argv[2]), sys.argv[3]\n" +
    "r = kubisto.Room(d)\nfor x, y, z, c in blocks: r.add(x, y, z, c)\nr.save(out)\n";
  execFileSync("python3", ["-c", script, String(divide), JSON.stringify(blocks), file],
    { env: { ...process.env, PYTHONPATH: pythonDir }, stdio: ["ignore", "inherit", "inherit"] });
  return fs.readFileSync(file);
}

// A .vox file whose model is size cells a side, with one voxel.
function voxBytes(size) {
  const chunk = (id, content, children = Buffer.alloc(0)) => {
    const head = Buffer.alloc(12);
    head.write(id, 0, "latin1");
    head.writeUInt32LE(content.length, 4);
    head.writeUInt32LE(children.length, 8);
    return Buffer.concat([head, content, children]);
  };
  const sizeBody = Buffer.alloc(12);
  [size, size, size].forEach((v, i) => sizeBody.writeUInt32LE(v, 4 * i));
  const xyzi = Buffer.from([1, 0, 0, 0, 0, 0, 0, 1]);
  const palette = Buffer.alloc(1024, 0xff);
  const main = chunk("MAIN", Buffer.alloc(0),
    Buffer.concat([chunk("SIZE", sizeBody), chunk("XYZI", xyzi), chunk("RGBA", palette)]));
  const head = Buffer.alloc(8);
  head.write("VOX ", 0, "latin1");
  head.writeUInt32LE(150, 4);
  return Buffer.concat([head, main]);
}

class Page {
  constructor(page) {
    this.page = page;
  }
  state() {
    return this.page.evaluate(() => window.kubisto.room.state());
  }
  blocks() {
    return this.page.evaluate(() => window.kubisto.room.run("blocks"));
  }
  // The view's pixels, RGBA.
  async canvas() {
    const text = await this.page.evaluate(() => {
      const c = document.getElementById("view");
      const d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
      let s = "";
      for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
      return btoa(s);
    });
    return Buffer.from(text, "base64");
  }
  async menu(top, ...items) {
    await this.page.click("#" + top);
    for (const item of items) await this.page.click("#" + item);
  }
  async message() {
    await this.page.waitForSelector("#messageBox[open]");
    return this.page.textContent("#messageText");
  }
  async answer(button) {
    await this.page.click("#message_" + button);
    await this.page.waitForSelector("#messageBox:not([open])", { state: "attached" });
  }
  // Uploads bytes as a file of that name (from the scratch folder: the browser reads it there).
  async upload(name, bytes) {
    const file = path.join(scratch, "upload", name);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, bytes);
    await this.page.setInputFiles("#upload", file);
  }
}

function expectSamePixels(what, canvas, native) {
  assert.strictEqual(native.width, W);
  assert.strictEqual(native.height, H);
  let differing = 0;
  for (let p = 0; p < W * H; ++p)
    for (let ch = 0; ch < 3; ++ch) if (canvas[4 * p + ch] !== native.rgba[4 * p + ch]) { ++differing; break; }
  assert.strictEqual(differing, 0, `${what}: ${differing} pixels differ from kubisto --render`);
}

async function run(browser, url) {
  const context = browser;
  await context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: url });
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  await page.goto(url);
  await page.waitForSelector("#window:not([hidden])", { timeout: 30000 });
  const p = new Page(page);
  // The splash has gone by itself (no click) once the window shows.
  assert.ok(await page.locator("#splash").isHidden(), "the splash waits for a click");
  try {
    await steps(page, p, errors);
  } catch (e) {
    await page.screenshot({ path: path.join(scratch, "failed.png") }).catch(() => {});
    const state = await p.state().catch(() => null);
    e.message += `\n(the room: ${JSON.stringify(state)}; a picture of the page: ${path.join(scratch, "failed.png")})`;
    throw e;
  }
}

async function steps(page, p, errors) {

  // A layout that the desktop wrote, uploaded: the canvas shows exactly what `kubisto --render`
  // draws of it, and the download gives back its very bytes.
  const desktopBytes = fs.readFileSync(desktopLayout);
  await p.upload("example.kbs", desktopBytes);
  await page.waitForFunction(() => window.kubisto.room.state().blocks > 0);
  expectSamePixels("the uploaded layout", await p.canvas(), nativeRender(desktopLayout));
  assert.strictEqual(await page.textContent("#panel1"), "example.kbs");
  const [download] = await Promise.all([page.waitForEvent("download"), p.menu("mnuFile", "mnuFileDownload")]);
  assert.ok(fs.readFileSync(await download.path()).equals(desktopBytes), "the download differs from the layout uploaded");
  console.log("ok upload, canvas and download");

  // The tool panel, the colour menu and the keys build a room; its download is what the desktop
  // saves for the same blocks.
  await p.menu("mnuFile", "mnuFileNew");
  assert.deepStrictEqual(await p.blocks(), []);
  await page.click("#cmdAdd");
  assert.deepStrictEqual((await p.state()).current, [4, 4, 4]);
  assert.strictEqual(await page.textContent("#selection"), "(4,4,4)を選択");
  await page.click("#cmdX");
  await page.click("#cmdMY");
  await page.click("#cmdZ");
  const moved = (await p.state()).current;
  assert.notDeepStrictEqual(moved, [4, 4, 4], "the block did not move");
  await page.keyboard.press("Insert");
  await page.keyboard.press("PageDown");
  assert.strictEqual((await p.state()).blocks, 2);
  // A right click on a block picks it and opens the colour menu; red is 0x0000FF.
  const at = await page.evaluate(() => {
    const c = document.getElementById("view"), d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    for (let i = 0; i < d.length; i += 4) if (d[i] < 40 && d[i + 1] < 40 && d[i + 2] > 200) return [(i / 4) % c.width, Math.floor(i / 4 / c.width)];
    return null;
  });
  assert.ok(at, "no blue block to be seen");
  await page.mouse.click((await page.locator("#view").boundingBox()).x + at[0] + 2,
    (await page.locator("#view").boundingBox()).y + at[1] + 2, { button: "right" });
  await page.waitForSelector("#popup:not([hidden])");
  await page.click("#mnuPopupColorRed");
  // A long touch on a block opens the colour menu too.
  const box = await page.locator("#view").boundingBox();
  await page.evaluate(([x, y]) => {
    const view = document.getElementById("view");
    view.dispatchEvent(new PointerEvent("pointerdown", { pointerType: "touch", clientX: x, clientY: y, bubbles: true }));
  }, [box.x + at[0] + 2, box.y + at[1] + 2]);
  await page.waitForSelector("#popup:not([hidden])");
  await page.keyboard.press("Escape");
  assert.ok(await page.locator("#popup").isHidden());
  const blocks = await p.blocks();
  assert.ok(blocks.some((b) => b[3] === 0x0000ff), `no block turned red: ${JSON.stringify(blocks)}`);
  const [built] = await Promise.all([page.waitForEvent("download"), p.menu("mnuFile", "mnuFileDownload")]);
  const builtBytes = fs.readFileSync(await built.path());
  if (pythonDir) {
    assert.ok(builtBytes.equals(desktopSave(5, blocks)), "the download differs from the desktop's save of the same blocks");
    console.log("ok building, colour menu, and the desktop's bytes");
  } else {
    console.log("ok building and colour menu (the Python package is not built: no byte comparison)");
  }

  // Undo and redo, by the menu and by the keys.
  const before = await p.blocks();
  await page.click("#cmdMX");
  const after = await p.blocks();
  assert.notDeepStrictEqual(after, before);
  await page.keyboard.press("Control+z");
  assert.deepStrictEqual(await p.blocks(), before);
  await page.keyboard.press("Control+y");
  assert.deepStrictEqual(await p.blocks(), after);
  await p.menu("mnuEdit", "mnuEditUndo");
  assert.deepStrictEqual(await p.blocks(), before);
  await p.menu("mnuEdit", "mnuEditRedo");
  assert.deepStrictEqual(await p.blocks(), after);
  await page.keyboard.press("Delete");
  assert.strictEqual((await p.blocks()).length, after.length - 1);
  await page.keyboard.press("Control+Shift+z");
  assert.strictEqual((await p.blocks()).length, after.length - 1);
  await page.keyboard.press("Control+z");
  assert.deepStrictEqual(await p.blocks(), after);
  console.log("ok undo and redo, keys");

  // The views, turning and continuous turning change the picture; the room's blocks stay.
  let last = await p.canvas();
  for (const id of ["tlbToolBar_TopView", "tlbToolBar_SideView", "tlbToolBar_BirdView", "tlbToolBar_FrontView", "cmdLeft", "cmdUp"]) {
    await page.click("#" + id);
    const now = await p.canvas();
    assert.ok(!now.equals(last), `${id} did not change the view`);
    last = now;
  }
  await page.click("#tlbToolBar_ViewTurn");
  await page.waitForFunction((sum) => {
    const c = document.getElementById("view"), d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    let s = 0;
    for (let i = 0; i < d.length; i += 97) s += d[i];
    return s !== sum;
  }, last.filter((_, i) => i % 97 === 0).reduce((a, b) => a + b, 0));
  await page.click("#tlbToolBar_StopTurn");
  const stopped = await p.canvas();
  await page.waitForTimeout(100);
  assert.ok((await p.canvas()).equals(stopped), "the room turns on after the stop");
  assert.deepStrictEqual(await p.blocks(), after);
  console.log("ok views and turning");

  // The file window keeps layouts in the browser: saved by name, listed, loaded again.
  await page.click("#tlbToolBar_Save");
  await page.fill("#fileName", ".hidden");
  await page.click("#fileOK");
  assert.match(await p.message(), /「\.」/);
  await p.answer("ok");
  await page.fill("#fileName", "tower.kbs");
  await page.click("#fileOK");
  await page.waitForFunction(() => !window.kubisto.room.state().modified);
  assert.strictEqual(await page.textContent("#panel1"), "tower.kbs");
  // A cell count asks about unsaved work first; "no" throws it away.
  await page.click("#cmdAdd");
  await p.menu("mnuOption", "mnuOptionDivide", "mnuOptionDivideNum0");
  assert.match(await p.message(), /変更を保存しますか/);
  await p.answer("no");
  assert.strictEqual((await p.state()).divide, 3);
  assert.deepStrictEqual(await p.blocks(), []);
  await page.click("#tlbToolBar_Load");
  await page.selectOption("#fileList", "tower.kbs");
  await page.click("#fileOK");
  // The cell count differs from the file's: unsaved work again.
  assert.match(await p.message(), /変更を保存しますか/);
  await p.answer("no");
  await page.waitForFunction(() => window.kubisto.room.state().divide === 5);
  assert.deepStrictEqual(await p.blocks(), after);
  console.log("ok the file window");

  // Bad input: a message in the page (and no question about the unsaved work in the room first);
  // the room, its picture and its history stay as they were.
  await page.evaluate(() => {
    window.kubisto.room.run("add", 0, 4, 0, "red");
    window.kubisto.app.refresh();
  });
  assert.ok((await p.state()).modified);
  const room = await p.blocks(), picture = await p.canvas(), history = (await p.state()).undo;
  const bad = [
    ["broken.kbs", Buffer.from("5\r\n1,2,x,255\r\n"), /ファイルが読めません。[\s\S]*not a number/],
    ["outside.kbs", Buffer.from("5\r\n9,0,0,255\r\n-1,-1,-1,0\r\n\"t\"\r\n"), /outside/],
    ["empty.kbs", Buffer.alloc(0), /ファイルが読めません。/],
    ["big.vox", voxBytes(40), /40 x 40 x 40/],
    ["huge.kbs", Buffer.alloc(16 * 1024 * 1024 + 1, 0x30), /大きすぎ/],
  ];
  for (const [name, bytes, words] of bad) {
    await p.upload(name, bytes);
    assert.match(await p.message(), words, name);
    await p.answer("ok");
    assert.deepStrictEqual(await p.blocks(), room, `${name} changed the room`);
    assert.ok((await p.canvas()).equals(picture), `${name} changed the picture`);
    assert.strictEqual((await p.state()).undo, history, `${name} changed the history`);
  }
  // A full browser storage: the save is refused with a message, the work stays unsaved.
  await page.click("#cmdAdd");
  await page.evaluate(() => {
    IDBObjectStore.prototype.put = function () {
      throw new DOMException("the quota has been exceeded", "QuotaExceededError");
    };
  });
  await page.click("#tlbToolBar_Save");
  await page.fill("#fileName", "full.kbs");
  await page.click("#fileOK");
  assert.match(await p.message(), /いっぱい/);
  await p.answer("ok");
  assert.ok((await p.state()).modified, "a refused save marked the room saved");
  console.log("ok bad inputs");

  // A .vox model opens as a layout (after the question about the unsaved work), to be saved as one.
  await p.upload("small.vox", voxBytes(3));
  assert.match(await p.message(), /変更を保存しますか/);
  await p.answer("no");
  await page.waitForFunction(() => window.kubisto.room.state().divide === 3);
  assert.strictEqual((await p.blocks()).length, 1);
  assert.strictEqual(await page.textContent("#panel1"), "small.kbs");
  console.log("ok a .vox model");

  // The picture on the clipboard is the view's.
  await p.menu("mnuEdit", "mnuEditCopy");
  const same = await page.evaluate(async () => {
    // The copy finishes after the click: wait for the picture to arrive.
    let blob = null;
    for (let i = 0; i < 100 && !blob; ++i) {
      const item = (await navigator.clipboard.read())[0];
      if (item && item.types.includes("image/png")) blob = await item.getType("image/png");
      else await new Promise((r) => setTimeout(r, 50));
    }
    if (!blob) return false;
    const bitmap = await createImageBitmap(blob);
    const c = document.createElement("canvas");
    [c.width, c.height] = [bitmap.width, bitmap.height];
    c.getContext("2d").drawImage(bitmap, 0, 0);
    const got = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    const v = document.getElementById("view");
    const want = v.getContext("2d").getImageData(0, 0, v.width, v.height).data;
    return got.length === want.length && got.every((x, i) => x === want[i]);
  });
  assert.ok(same, "the clipboard's picture differs from the view");
  console.log("ok copy picture");

  // A share link: on the clipboard, it opens a page that shows the same blocks and downloads the
  // same bytes. A link cut short tells so, in a room left empty; later links in the same tab
  // (hashchange) ask about unsaved work, and a bad one leaves the room as it was.
  await p.menu("mnuFile", "mnuFileShare");
  const link = await page.evaluate(async () => {
    for (let i = 0; i < 100; ++i) {
      const text = await navigator.clipboard.readText();
      if (text.includes("#kbs=")) return text;
      await new Promise((r) => setTimeout(r, 50));
    }
    return null;
  });
  assert.ok(link && link.startsWith(page.url().replace(/#.*/, "") + "#kbs="), `no share link on the clipboard: ${link}`);
  const downloadOf = async (tab) => {
    const [d] = await Promise.all([tab.waitForEvent("download"), new Page(tab).menu("mnuFile", "mnuFileDownload")]);
    return fs.readFileSync(await d.path());
  };
  const sharedBytes = await downloadOf(page), sharedBlocks = await p.blocks();
  const open = async (url) => {
    const tab = await page.context().newPage();
    tab.on("pageerror", (e) => errors.push(e.message));
    await tab.goto(url);
    await tab.waitForSelector("#window:not([hidden])", { timeout: 30000 });
    return tab;
  };
  const other = await open(link), q = new Page(other);
  await other.waitForFunction((n) => window.kubisto.room.state().blocks === n, sharedBlocks.length);
  assert.deepStrictEqual(await q.blocks(), sharedBlocks);
  assert.ok((await downloadOf(other)).equals(sharedBytes), "the shared layout's download differs from the original's");
  const cut = link.slice(0, link.length - 7);
  await other.click("#cmdAdd");
  const edited = await q.blocks();
  await other.evaluate((h) => (location.hash = h), cut.slice(cut.indexOf("#")));
  assert.match(await q.message(), /共有リンクのレイアウトが読めません。\n(リンクが壊れています。)/);
  await q.answer("ok");
  assert.deepStrictEqual(await q.blocks(), edited, "a bad link changed the room");
  await other.evaluate((h) => (location.hash = h), link.slice(link.indexOf("#")));
  assert.match(await q.message(), /変更を保存しますか/);
  await q.answer("no");
  await other.waitForFunction((n) => window.kubisto.room.state().blocks === n, sharedBlocks.length);
  assert.deepStrictEqual(await q.blocks(), sharedBlocks);
  await other.close();
  const damaged = await open(cut);
  assert.match(await new Page(damaged).message(), /共有リンクのレイアウトが読めません。\nリンクが壊れています。/);
  await new Page(damaged).answer("ok");
  assert.deepStrictEqual(await new Page(damaged).blocks(), []);
  assert.ok(!(await new Page(damaged).state()).modified);
  await damaged.close();
  console.log("ok share links");

  // An export menu item downloads the model that `kubisto --export` writes of the same layout.
  const [model] = await Promise.all([page.waitForEvent("download"), p.menu("mnuFile", "mnuFileExport", "mnuFileExport_glb")]);
  assert.strictEqual(model.suggestedFilename(), "small.glb");
  fs.writeFileSync(path.join(scratch, "shared.kbs"), sharedBytes);
  execFileSync(kubisto, ["--export", path.join(scratch, "desktop.glb"), path.join(scratch, "shared.kbs")],
    { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" }, stdio: ["ignore", "inherit", "inherit"] });
  assert.ok(fs.readFileSync(await model.path()).equals(fs.readFileSync(path.join(scratch, "desktop.glb"))),
    "the exported model differs from the desktop's");
  console.log("ok model export");

  // The larger cell counts, after the desktop's three.
  await p.menu("mnuOption", "mnuOptionDivide", "mnuOptionDivideNum13");
  assert.strictEqual((await p.state()).divide, 16);

  // The sound's on/off choice is remembered.
  assert.strictEqual(await page.textContent("#mnuOptionSound"), "効果音");
  await p.menu("mnuOption", "mnuOptionSound");
  assert.strictEqual(await page.evaluate(() => localStorage.getItem("kubisto.sound")), "off");
  await p.menu("mnuOption", "mnuOptionSound");
  assert.strictEqual(await page.evaluate(() => localStorage.getItem("kubisto.sound")), "on");

  // English, the help page and the version window.
  await p.menu("mnuOption", "mnuOptionLanguage", "mnuOptionLanguage_en");
  assert.strictEqual(await page.textContent("#mnuFile"), "File");
  assert.strictEqual(await page.textContent("#mnuOptionSound"), "Sound Effects");
  assert.ok((await page.textContent("#selection")).length > 0);
  const [help] = await Promise.all([page.context().waitForEvent("page"), p.menu("mnuHelp", "mnuHelpHelp")]);
  await help.waitForLoadState();
  assert.match(await help.title(), /Help/);
  await help.close();
  await p.menu("mnuHelp", "mnuHelpVersion");
  await page.waitForSelector("#splash:not([hidden])");
  await page.click("#splash");
  await page.waitForSelector("#splash", { state: "hidden" });
  await page.screenshot({ path: path.join(scratch, "page.png") });
  // The file menu open at its exports, for a look at the window.
  await p.menu("mnuFile", "mnuFileExport");
  await page.screenshot({ path: path.join(scratch, "menu.png") });
  await page.keyboard.press("Escape");
  console.log("ok language, help and version");
  assert.deepStrictEqual(errors, [], "errors in the page");
}

async function main() {
  fs.rmSync(scratch, { recursive: true, force: true });
  fs.mkdirSync(scratch, { recursive: true });
  const { server, url } = await serve();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kubisto-chromium-"));
  let context;
  try {
    context = await chromium.launchPersistentContext(profile, {
      executablePath: "/usr/bin/chromium",
      headless: true,
      acceptDownloads: true,
      locale: "ja-JP",
      viewport: { width: 800, height: 600 },
      args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    });
    await run(context, url);
  } finally {
    if (context) await context.close();
    server.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error(e.message || e);
  console.error(e.stack);
  process.exit(1);
});
