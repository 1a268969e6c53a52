// Loads the web module under node and wraps its exports, for the web tests and the
// benchmark. The module's files lie in the site folder: kubisto.js, kubisto.wasm, kubisto.data.
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");

async function loadKubisto(siteDir) {
  const createKubisto = require(path.resolve(siteDir, "kubisto.js"));
  const k = await createKubisto({
    locateFile: (file) => path.resolve(siteDir, file),  // the data package too, not from the working folder
    print: () => {},
    printErr: (t) => process.stderr.write(t + "\n"),
  });
  const error = () => k.UTF8ToString(k._kubisto_error());
  const check = (ok, what) => {
    if (!ok) throw new Error(`${what}: ${error()}`);
  };
  const withBytes = (bytes, f) => {
    const at = k._malloc(Math.max(bytes.length, 1));
    try {
      k.HEAPU8.set(bytes, at);
      return f(at, bytes.length);
    } finally {
      k._free(at);
    }
  };
  const run = (name, ...args) => {
    const at = k.ccall("kubisto_run", "number", ["string", "string"], [name, args.map(String).join("\n")]);
    check(at, name);
    return JSON.parse(k.UTF8ToString(at));
  };
  let width = 0, height = 0;
  return {
    error,
    // the command table's kind of the last refusal: ValueError, TypeError, OSError or ""
    errorKind: () => k.UTF8ToString(k._kubisto_error_kind()),
    run,
    // A fresh room of 5 cells a side, drawn at w x h pixels.
    create: (w, h) => {
      check(k._kubisto_create(w, h), "create");
      [width, height] = [w, h];
    },
    // Another size for the same room.
    resize: (w, h) => {
      check(k._kubisto_resize(w, h), "resize");
      [width, height] = [w, h];
    },
    // false (and the module's message in error()) for a layout that is refused; discard: unsaved
    // work may go
    load: (bytes, name = "layout.kbs", discard = true) => {
      k.FS.writeFile("/files/" + name, bytes);
      try {
        return k.ccall("kubisto_run", "number", ["string", "string"], ["load", `/files/${name}\n${discard ? 1 : 0}`]) !== 0;
      } finally {
        k.FS.unlink("/files/" + name);
      }
    },
    setView: (name) => run("view", name),
    state: () => {
      const at = k._kubisto_state();
      check(at, "state");
      return JSON.parse(k.UTF8ToString(at));
    },
    undo: () => k._kubisto_undo() === 1,
    redo: () => k._kubisto_redo() === 1,
    pick: (x, y) => check(k._kubisto_pick(x, y), "pick"),
    render: () => {
      const at = k._kubisto_pixels();
      check(at, "pixels");
      return Buffer.from(k.HEAPU8.subarray(at, at + width * height * 4));
    },
    save: (name = "saved.kbs") => {
      run("save", "/files/" + name);
      const bytes = Buffer.from(k.FS.readFile("/files/" + name));
      k.FS.unlink("/files/" + name);
      return bytes;
    },
  };
}

// A layout file's bytes for blocks [x, y, z, colour], with the title line the desktop writes.
function layoutBytes(divide, blocks, title) {
  const lines = [String(divide), ...blocks.map((b) => b.join(",")), "-1,-1,-1,0"];
  return Buffer.concat([Buffer.from(lines.join("\r\n") + "\r\n", "latin1"), title]);
}

// Every cell filled, in the order the room saves its blocks (z, then y, then x).
function fullRoom(divide) {
  const blocks = [];
  for (let z = 0; z < divide; ++z)
    for (let y = 0; y < divide; ++y)
      for (let x = 0; x < divide; ++x) blocks.push([x, y, z, (x * 51) | ((y * 51) << 8) | ((z * 51) << 16)]);
  return blocks;
}

// Decodes an 8-bit RGB or RGBA PNG into RGBA.
function readPng(file) {
  const png = fs.readFileSync(file);
  let at = 8, width = 0, height = 0, colorType = 0;
  const data = [];
  while (at < png.length) {
    const size = png.readUInt32BE(at), type = png.toString("latin1", at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + size);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      assert.strictEqual(body[8], 8, "8 bits per channel");
      colorType = body[9];
    } else if (type === "IDAT") {
      data.push(body);
    }
    at += 12 + size;
  }
  const channels = colorType === 6 ? 4 : 3;
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels, rgba = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0, b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      line[i] = (line[i] + predictor) & 0xff;
    }
    for (let x = 0; x < width; ++x) {
      for (let ch = 0; ch < 3; ++ch) rgba[(y * width + x) * 4 + ch] = line[x * channels + ch];
      rgba[(y * width + x) * 4 + 3] = 255;
    }
    previous = line;
  }
  return { width, height, rgba };
}

module.exports = { loadKubisto, layoutBytes, fullRoom, readPng };
