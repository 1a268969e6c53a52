// Loads the web module under node and wraps the entry's few calls, for the web tests and the
// benchmark. The module's files lie in the site folder: kubisto.js, kubisto.wasm, kubisto.data.
"use strict";
const path = require("path");

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
  return {
    error,
    create: (divide, w, h) => check(k._kubisto_create(divide, w, h), "create"),
    // false (and the module's message in error()) for a layout that is refused
    load: (bytes) => withBytes(bytes, (at, n) => k._kubisto_load(at, n) === 1),
    setView: (name) => withBytes(Buffer.from(name + "\0"), (at) => check(k._kubisto_set_view(at), "view")),
    render: (w, h) => {
      const at = k._kubisto_render(w, h);
      check(at, "render");
      return Buffer.from(k.HEAPU8.subarray(at, at + w * h * 4));
    },
    save: () => {
      const at = k._kubisto_save();
      check(at, "save");
      return Buffer.from(k.HEAPU8.subarray(at, at + k._kubisto_result_size()));
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

module.exports = { loadKubisto, layoutBytes, fullRoom };
