// The web module's model exports (web/src/web_export.cpp through web/ts/export/model_export.ts)
// against the desktop's --export: the same files byte for byte, for every format the web offers,
// and the glTF validator and admesh find nothing wrong in them. Bad requests fail with a message.
// Usage: node export_models_test.js <site> <kubisto program> <scratch> <model_export.mjs>
//        <glTF validator folder or ""> <layout files...>
"use strict";
const assert = require("assert");
const { execFileSync, spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");

function layoutText(divide, blocks) {
  const lines = [String(divide), ...blocks.map((b) => b.join(",")), "-1,-1,-1,0", '"test"', ""];
  return Buffer.from(lines.join("\r\n"), "latin1");
}

async function main() {
  const [site, kubisto, scratch, bundle, validatorDir, ...layoutFiles] = process.argv.slice(2);
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
  console.log(`model exports: ${compared} files equal to the desktop's, ${validated} validated` +
              (validator ? "" : " (no glTF validator)") + (admesh ? "" : " (no admesh)"));
}

main().catch((e) => {
  console.error(e.stack || e);
  process.exit(1);
});
