// The web module under node against the desktop program: the view of a layout has the very pixels
// of `kubisto --render`, a layout saved has the bytes it was read from, and a broken layout is
// refused with a message and leaves the room as it was.
// Run: node render_test.js <site folder> <kubisto program> <scratch folder> <title line file>
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const { execFileSync } = require("child_process");
const { loadKubisto, layoutBytes, fullRoom, readPng } = require("./kubisto_node.js");

const [siteDir, kubisto, scratch, titleFile] = process.argv.slice(2);

// The last line of a layout the desktop wrote: its title, in Shift_JIS.
function titleLine() {
  const bytes = fs.readFileSync(titleFile);
  const end = bytes.lastIndexOf(0x0a, bytes.length - 2);
  return bytes.subarray(end + 1);
}

function nativeRender(name, layout, w, h, view) {
  const layoutFile = path.join(scratch, name + ".kbs"), pngFile = path.join(scratch, name + ".png");
  fs.writeFileSync(layoutFile, layout);
  const args = ["--render", pngFile, "--size", `${w}x${h}`];
  if (view) args.push("--view", view.toLowerCase());
  execFileSync(kubisto, [...args, layoutFile], {
    env: { ...process.env, QT_QPA_PLATFORM: "offscreen", SDL_AUDIODRIVER: "dummy" },
    stdio: ["ignore", "inherit", "inherit"],
  });
  return readPng(pngFile);
}

function expectSamePixels(name, wasm, native, w, h) {
  assert.strictEqual(native.width, w, `${name}: the native picture's width`);
  assert.strictEqual(native.height, h, `${name}: the native picture's height`);
  let differing = 0, largest = 0, first = -1;
  for (let p = 0; p < w * h; ++p) {
    let d = 0;
    for (let ch = 0; ch < 3; ++ch) d = Math.max(d, Math.abs(wasm[4 * p + ch] - native.rgba[4 * p + ch]));
    if (d > 0) {
      if (first < 0) first = p;
      ++differing;
      largest = Math.max(largest, d);
    }
  }
  assert.strictEqual(differing, 0,
    `${name}: ${differing} pixels differ (by up to ${largest}), the first at pixel ` +
    `(${first % w}, ${Math.floor(first / w)})`);
}

async function main() {
  fs.mkdirSync(scratch, { recursive: true });
  const title = titleLine();
  const k = await loadKubisto(siteDir);
  const cases = [
    { name: "full_room", layout: layoutBytes(5, fullRoom(5), title), w: 416, h: 338 },
    { name: "few_blocks_bird", view: "BIRD", w: 417, h: 347,
      layout: layoutBytes(3, [[0, 0, 0, 255], [1, 2, 0, 65280], [2, 1, 2, 16711680], [2, 2, 2, 8421504]], title) },
    { name: "sixteen_top", view: "TOP", w: 300, h: 200,
      layout: layoutBytes(16, [[0, 0, 0, 16777215], [8, 0, 8, 4210752], [15, 15, 15, 33023]], title) },
    { name: "empty_side", view: "SIDE", w: 160, h: 120, layout: layoutBytes(5, [], title) },
  ];
  for (const c of cases) {
    k.create(c.w, c.h);
    assert.ok(k.load(c.layout), `${c.name}: load: ${k.error()}`);
    if (c.view) k.setView(c.view);
    expectSamePixels(c.name, k.render(), nativeRender(c.name, c.layout, c.w, c.h, c.view), c.w, c.h);
    assert.ok(k.save().equals(c.layout), `${c.name}: the saved bytes differ from the layout read`);
    console.log(`ok ${c.name} ${c.w}x${c.h}`);
  }

  // A size other than the view's draws the same room afresh at that size.
  const full = cases[0];
  k.create(100, 80);
  assert.ok(k.load(full.layout));
  k.resize(full.w, full.h);
  expectSamePixels("resized", k.render(), readPng(path.join(scratch, "full_room.png")), full.w, full.h);
  console.log("ok resized");

  // Broken layouts: refused with a message naming the fault; the room keeps its blocks.
  const before = k.render();
  for (const [bytes, words] of [
    [Buffer.from("5\r\n1,2,x,255\r\n"), "not a number"],
    [Buffer.from("99\r\n-1,-1,-1,0\r\n\"t\"\r\n"), "cell count"],
    [Buffer.from("5\r\n9,0,0,255\r\n-1,-1,-1,0\r\n\"t\"\r\n"), "outside"],
    [Buffer.alloc(0), ""],
  ]) {
    assert.strictEqual(k.load(bytes), false, `a broken layout was taken: ${JSON.stringify(bytes.toString())}`);
    assert.ok(k.error().length > 0 && k.error().includes(words), `the message: ${k.error()}`);
    assert.ok(k.render().equals(before), "a refused layout changed the room");
    assert.ok(k.save().equals(full.layout), "a refused layout changed the blocks");
  }
  console.log("ok broken layouts");
}

main().catch((e) => {
  console.error(e.message || e);
  process.exit(1);
});
