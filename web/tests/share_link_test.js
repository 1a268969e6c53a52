// Share links both ways between this page's code (web/ts/share/share_link.ts, run in node, whose
// CompressionStream is the browser's web API) and Python's zlib (share_link_tool.py): each reads
// the other's links to the very bytes. Damaged, hostile and oversized links fail with their kind
// of error, quickly and without inflating beyond the layout limit.
// With --browser first, the same code runs in headless Chromium as well (browser_support.js).
// Usage: node share_link_test.js [--browser] <share_link.mjs bundled from the TypeScript>
//        <scratch folder> <layout files...>
"use strict";
const assert = require("assert");
const { execFileSync } = require("child_process");
const fs = require("fs");
const path = require("path");

const tool = path.join(__dirname, "share_link_tool.py");
const python = (...args) => execFileSync("python3", [tool, ...args], { maxBuffer: 64 << 20 }).toString();

async function expectError(promise, kind, what) {
  try {
    await promise;
  } catch (e) {
    assert.strictEqual(e.name, "ShareLinkError", `${what}: ${e}`);
    assert.strictEqual(e.kind, kind, `${what}: ${e.kind} (${e.message})`);
    return;
  }
  assert.fail(`${what}: decoded without an error`);
}

// In Chromium: Python's links read there, its links read by Python, and a damaged link and a
// hostile one refused there.
async function inBrowser(bundle, scratch, samples) {
  const { serve, launchChromium } = require("./browser_support.js");
  const root = path.join(scratch, "browser");
  fs.mkdirSync(root, { recursive: true });
  fs.copyFileSync(bundle, path.join(root, "share_link.mjs"));
  fs.writeFileSync(path.join(root, "index.html"), "<!doctype html><title>share</title>");
  const server = await serve(root);
  const browser = await launchChromium(path.join(__dirname, ".."));
  try {
    const page = await browser.context.newPage();
    await page.goto(server.url + "index.html");
    const run = (f, arg) => page.evaluate(f, arg);
    for (const [name, bytes] of samples) {
      const file = path.join(scratch, "layout.bin");
      fs.writeFileSync(file, bytes);
      const decoded = await run(async ({ link }) => {
        const share = await import("./share_link.mjs");
        return Array.from(await share.decodeShareFragment(link));
      }, { link: python("encode", file) });
      assert.deepStrictEqual(Uint8Array.from(decoded), bytes, `${name}: Python's link in Chromium`);
      const link = await run(async ({ data }) => {
        const share = await import("./share_link.mjs");
        return share.shareLink(Uint8Array.from(data));
      }, { data: Array.from(bytes) });
      assert.ok(link.startsWith(server.url + "index.html#kbs="), link.slice(0, 80));
      const out = path.join(scratch, "decoded.bin");
      python("decode", link.slice(link.indexOf("#")), out);
      assert.deepStrictEqual(new Uint8Array(fs.readFileSync(out)), bytes, `${name}: Chromium's link in Python`);
    }
    const bombFile = path.join(scratch, "bomb.txt");
    python("bomb", String(64 << 20), bombFile);
    const good = python("encode", path.join(scratch, "layout.bin"));
    const kinds = await run(async ({ links }) => {
      const share = await import("./share_link.mjs");
      const kinds = [];
      for (const link of links) kinds.push(await share.decodeShareFragment(link).then(() => "none", (e) => e.kind));
      return kinds;
    }, { links: [good + "AAAA", good.slice(0, -8), fs.readFileSync(bombFile, "utf8")] });
    assert.deepStrictEqual(kinds, ["damaged", "damaged", "too-large"], "bad links in Chromium");
  } finally {
    await browser.close();
    await server.stop();
  }
}

async function main() {
  const args = process.argv.slice(2);
  const browser = args[0] === "--browser";
  if (browser) args.shift();
  const [bundle, scratch, ...layoutFiles] = args;
  const share = await import(path.resolve(bundle));
  fs.mkdirSync(scratch, { recursive: true });

  // Layouts: the given files, a layout of 4096 blocks (16 cells a side) and bytes of every value.
  const samples = layoutFiles.map((f) => [path.basename(f), new Uint8Array(fs.readFileSync(f))]);
  const lines = ["16"];
  for (let i = 0; i < 4096; ++i) lines.push(`${i % 16},${(i >> 4) % 16},${i >> 8},${(i * 4099) & 0xffffff}`);
  lines.push("-1,-1,-1,0", '"big"', "");
  samples.push(["big.kbs", new TextEncoder().encode(lines.join("\r\n"))]);
  samples.push(["every byte", Uint8Array.from({ length: 1024 }, (_, i) => (i * 7) & 0xff)]);

  for (const [name, bytes] of samples) {
    const file = path.join(scratch, "layout.bin");
    fs.writeFileSync(file, bytes);
    // Python's link, read here.
    const pythonLink = python("encode", file);
    assert.match(pythonLink, /^#kbs=[A-Za-z0-9_-]+$/, name);
    assert.deepStrictEqual(await share.decodeShareFragment(pythonLink), bytes, `${name}: Python's link`);
    // This code's link, read by Python.
    const link = await share.shareLink(bytes, "http://127.0.0.1:8000/index.html#old");
    assert.ok(link.startsWith("http://127.0.0.1:8000/index.html#kbs="), link.slice(0, 60));
    const fragment = link.slice(link.indexOf("#"));
    assert.match(fragment, /^#kbs=[A-Za-z0-9_-]+$/, `${name}: no padding, base64url only`);
    const out = path.join(scratch, "decoded.bin");
    python("decode", fragment, out);
    assert.deepStrictEqual(new Uint8Array(fs.readFileSync(out)), bytes, `${name}: read by Python`);
    assert.deepStrictEqual(await share.decodeShareFragment(fragment), bytes, `${name}: both ways`);
  }
  assert.strictEqual(share.shareFragmentPayload("#view=1"), null);
  assert.strictEqual(share.shareFragmentPayload(""), null);

  // Bad links, each with its kind.
  const good = await share.encodeShareFragment(samples[samples.length - 1][1]);
  await expectError(share.decodeShareFragment("#kbs="), "empty", "no text");
  await expectError(share.decodeShareFragment("#other"), "empty", "another fragment");
  await expectError(share.decodeShareFragment("#kbs=ab+c/d"), "malformed", "base64, not base64url");
  await expectError(share.decodeShareFragment("#kbs=a%20b"), "malformed", "percent-encoded text");
  await expectError(share.decodeShareFragment("#kbs=abcde"), "malformed", "a length base64 has not");
  await expectError(share.decodeShareFragment(good.slice(0, good.length - 8)), "damaged", "cut short");
  // Bytes after the end of the data: browsers refuse them, node's stream drops them.
  try {
    assert.deepStrictEqual(await share.decodeShareFragment(good + "AAAA"), samples[samples.length - 1][1]);
  } catch (e) {
    assert.strictEqual(e.kind, "damaged", `junk after the data: ${e}`);
  }
  await expectError(share.decodeShareFragment("#kbs=_____________w"), "damaged", "not deflate at all");
  await expectError(share.decodeShareFragment("#kbs=" + "A".repeat(share.MAX_FRAGMENT_CHARS + 4)),
                    "too-large", "a fragment too long to read");
  // A small link that inflates to 64 MiB stops at the limit.
  const bombFile = path.join(scratch, "bomb.txt");
  python("bomb", String(64 << 20), bombFile);
  const bomb = fs.readFileSync(bombFile, "utf8");
  assert.ok(bomb.length < 100000, `the bomb's link is small: ${bomb.length}`);
  const before = process.memoryUsage().arrayBuffers;
  await expectError(share.decodeShareFragment(bomb), "too-large", "64 MiB of zeros");
  assert.ok(process.memoryUsage().arrayBuffers - before < 40 << 20, "inflating stopped near the limit");
  // The largest layout still opens.
  python("bomb", String(share.MAX_LAYOUT_BYTES), bombFile);
  const atLimit = await share.decodeShareFragment(fs.readFileSync(bombFile, "utf8"));
  assert.strictEqual(atLimit.length, share.MAX_LAYOUT_BYTES);
  if (browser) await inBrowser(bundle, scratch, samples);
  console.log(`share links: ${samples.length} layouts both ways with Python, bad links refused` +
              (browser ? ", in node and in Chromium" : " (node only: no Chromium)"));
}

main().catch((e) => {
  console.error(e.stack || e);
  process.exit(1);
});
