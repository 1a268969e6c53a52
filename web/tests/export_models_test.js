// The web module's model exports (web/src/web_export.cpp through web/ts/export/model_export.ts)
// against the desktop's --export: the same files byte for byte, for every format the web offers,
// and the glTF validator and admesh find nothing wrong in them. Bad requests fail with a message.
// Then, run again with --browser (a node without --no-experimental-fetch, which the browser driver
// needs), exportModel runs in headless Chromium, whose downloads must be the files the first run
// left in <scratch>/expected.
// Usage: node export_models_test.js <site> <kubisto program> <scratch> <model_export.mjs>
//        <glTF validator folder or ""> <layout files...>
//        node export_models_test.js --browser <site> <scratch> <model_export.mjs> <layout file>
"use strict";
const assert = require("assert");
const { execFileSync, spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");

function layoutText(divide, blocks) {
  const lines = [String(divide), ...blocks.map((b) => b.join(",")), "-1,-1,-1,0", '"test"', ""];
  return Buffer.from(lines.join("\r\n"), "latin1");
}

// exportModel in Chromium: the page's downloads of .gltf (two files) and .stl.
async function inBrowser(site, bundle, scratch, layout, expected) {
  const { serve, launchChromium } = require("./browser_support.js");
  const root = path.join(scratch, "browser");
  fs.cpSync(site, root, { recursive: true });
  fs.copyFileSync(bundle, path.join(root, "model_export.mjs"));
  fs.writeFileSync(path.join(root, "export.html"),
                   '<!doctype html><title>export</title><script src="kubisto.js"></script>');
  const server = await serve(root);
  const browser = await launchChromium(path.join(__dirname, ".."));
  try {
    const page = await browser.context.newPage();
    await page.goto(server.url + "export.html");
    const downloads = [];
    page.on("download", (d) => downloads.push(d));
    const names = await page.evaluate(async ({ data }) => {
      const { exportModel } = await import("./model_export.mjs");
      const k = await createKubisto();
      const bytes = Uint8Array.from(data);
      const files = [...await exportModel(k, bytes, ".gltf", { stem: "room" }),
                     ...await exportModel(k, bytes, ".stl", { stem: "room" })];
      return files.map((f) => f.name);
    }, { data: Array.from(layout) });
    assert.deepStrictEqual(names, ["room.gltf", "room.bin", "room.stl"]);
    for (let i = 0; i < 50 && downloads.length < names.length; ++i) await new Promise((r) => setTimeout(r, 100));
    assert.deepStrictEqual(downloads.map((d) => d.suggestedFilename()), names, "the browser's downloads");
    for (const d of downloads) {
      const file = path.join(scratch, "download-" + d.suggestedFilename());
      await d.saveAs(file);
      assert.deepStrictEqual(fs.readFileSync(file), expected[d.suggestedFilename()], d.suggestedFilename());
    }
  } finally {
    await browser.close();
    await server.stop();
  }
}

async function main() {
  const args = process.argv.slice(2);
  if (args[0] === "--browser") {
    const [site, scratch, bundle, layoutFile] = args.slice(1);
    const expected = {};
    for (const name of fs.readdirSync(path.join(scratch, "expected")))
      expected[name] = fs.readFileSync(path.join(scratch, "expected", name));
    await inBrowser(site, bundle, scratch, fs.readFileSync(layoutFile), expected);
    console.log("model exports: the page's downloads in Chromium are the module's files");
    return;
  }
  const [site, kubisto, scratch, bundle, validatorDir, ...layoutFiles] = args;
  const { makeModelFiles, MODEL_FORMATS } = await import(path.resolve(bundle));
  const createKubisto = require(path.resolve(site, "kubisto.js"));
  const module = await createKubisto({
    locateFile: (file) => path.resolve(site, file),
    print: () => {},
    printErr: (t) => process.stderr.write(t + "\n"),
  });
  fs.rmSync(scratch, { recursive: true, force: true });
  fs.mkdirSync(scratch, { recursive: true });

  const layouts = layoutFiles.map((f) => [path.basename(f, ".kbs"), fs.readFileSync(f)]);
  layouts.push(["edge", layoutText(5, [[0, 0, 0, 255], [1, 1, 0, 255]])]);
  layouts.push(["two colours", layoutText(4, [[0, 0, 0, 0x404080], [2, 0, 0, 0x00ff00], [2, 1, 0, 0x00ff00]])]);
  const many = [];
  for (let i = 0; i < 700; ++i) many.push([i % 16, (i >> 4) % 16, i >> 8, (i * 4097) & 0xffffff]);
  layouts.push(["big", layoutText(16, many.slice(0, 255))]);
  layouts.push(["empty", layoutText(5, [])]);

  const validator = validatorDir ? require(path.join(validatorDir, "gltf-validator")) : null;
  const admesh = spawnSync("admesh", ["--help"]).status === 0;
  let compared = 0, validated = 0;
  for (const [name, bytes] of layouts) {
    const input = path.join(scratch, "layout.kbs");
    fs.writeFileSync(input, bytes);
    for (const format of MODEL_FORMATS) {
      const what = `${name} to ${format}`;
      const desktop = spawnSync(kubisto, ["--export", path.join(scratch, name + format), input]);
      let files;
      try {
        files = makeModelFiles(module, new Uint8Array(bytes), format, { stem: name });
      } catch (e) {
        // Refused where the desktop refuses too (an empty STL), with its message.
        assert.notStrictEqual(desktop.status, 0, `${what}: ${e.message}`);
        assert.ok(desktop.stderr.toString().includes(e.message), `${what}: ${e.message} / ${desktop.stderr}`);
        continue;
      }
      assert.strictEqual(desktop.status, 0, `${what}: ${desktop.stderr}`);
      assert.strictEqual(files[0].name, name + format, what);
      for (const f of files) {
        assert.deepStrictEqual(Buffer.from(f.bytes), fs.readFileSync(path.join(scratch, f.name)),
                               `${what}: ${f.name} differs from the desktop's`);
        ++compared;
      }
      const model = path.join(scratch, files[0].name);
      if (validator && (format === ".gltf" || format === ".glb")) {
        const report = await validator.validateBytes(new Uint8Array(files[0].bytes), {
          uri: files[0].name,
          externalResourceFunction: (uri) =>
            Promise.resolve(new Uint8Array(fs.readFileSync(path.join(scratch, decodeURIComponent(uri))))),
        });
        assert.strictEqual(report.issues.numErrors + report.issues.numWarnings, 0,
                           `${what}: ${JSON.stringify(report.issues.messages)}`);
        ++validated;
      }
      if (admesh && format === ".stl") {
        const report = execFileSync("admesh", ["-n", "-u", "-d", "-v", model]).toString();
        for (const label of ["Facets added", "Backwards edges", "Edges fixed", "Normals fixed"]) {
          const m = report.match(new RegExp(label + "\\s*:\\s*(\\d+)"));
          assert.ok(m && m[1] === "0", `${what}: admesh ${label}\n${report}`);
        }
        ++validated;
      }
    }
  }

  // Bad requests: a message, no files, and the module goes on working.
  const example = new Uint8Array(layouts[0][1]);
  const refused = (bytes, format, options, words) => {
    assert.throws(() => makeModelFiles(module, bytes, format, options),
                  (e) => e.name === "ModelExportError" && words.test(e.message), `${format} ${words}`);
  };
  refused(new TextEncoder().encode("5\r\n1,2\r\n"), ".glb", {}, /line/);
  refused(example, ".ply", {}, /cannot export to "\.ply"/);
  refused(example, ".glb", { cellSize: -1 }, /cell size/);
  refused(example, ".glb", { cellSize: NaN }, /cell size/);
  refused(new Uint8Array(layoutText(16, many)), ".vox", {}, /255/);
  assert.strictEqual(module._kubisto_export(0, 10, 0, 10, 0), 0);
  assert.notStrictEqual(module.UTF8ToString(module._kubisto_export_error()), "");
  assert.strictEqual(module._kubisto_export_data(5), 0);
  assert.strictEqual(module._kubisto_export_size(-1), 0);
  assert.strictEqual(makeModelFiles(module, example, ".glb", { stem: "a/b" })[0].name, "a_b.glb");
  // What the page's downloads of the first layout must be (the --browser run).
  fs.mkdirSync(path.join(scratch, "expected"));
  for (const format of [".gltf", ".stl"])
    for (const f of makeModelFiles(module, new Uint8Array(layouts[0][1]), format, { stem: "room" }))
      fs.writeFileSync(path.join(scratch, "expected", f.name), f.bytes);
  console.log(`model exports: ${compared} files equal to the desktop's, ${validated} validated` +
              (validator ? "" : " (no glTF validator)") + (admesh ? "" : " (no admesh)"));
}

main().catch((e) => {
  console.error(e.stack || e);
  process.exit(1);
});
