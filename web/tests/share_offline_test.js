// Installable and usable offline (web/site/sw.js, manifest.webmanifest, web/ts/share/offline.ts)
// in headless Chromium: after a first visit the page and the WebAssembly module load with the
// server gone, Chromium finds nothing that keeps the page from being installed, and a new build
// (another version) replaces the cached files and the old cache.
// Usage: node share_offline_test.js <site> <scratch> <offline.mjs bundled from the TypeScript>
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const { serve, launchChromium } = require("./browser_support.js");

async function main() {
  const [site, scratch, offlineBundle] = process.argv.slice(2);
  // A copy of the site, which the test changes as a new build would.
  const root = path.join(scratch, "site");
  fs.rmSync(scratch, { recursive: true, force: true });
  fs.cpSync(site, root, { recursive: true });
  fs.copyFileSync(offlineBundle, path.join(root, "offline.mjs"));
  const sw = fs.readFileSync(path.join(root, "sw.js"), "utf8");
  assert.match(sw, /const CACHE_VERSION = "[0-9a-f]{16}";/, "the build stamps the version");
  // Every file the build lays into the site (the page's own as well as the module's) is cached.
  const listed = JSON.parse(sw.match(/const SITE_FILES = (\[.*\]);/)[1]);
  const files = fs.readdirSync(site, { recursive: true })
    .filter((f) => fs.statSync(path.join(site, f)).isFile() && f !== "sw.js" && !f.startsWith("bench"))
    .map((f) => f.split(path.sep).join("/"));
  assert.deepStrictEqual(files.filter((f) => !listed.includes(f)), [], "site files the service worker does not cache");
  for (const f of ["kubisto.wasm", "page.js", "texts_en.json", "help/en.html", "index.html"])
    assert.ok(listed.includes(f), f);

  let server = await serve(root);
  const browser = await launchChromium(path.join(__dirname, ".."));
  try {
    const page = await browser.context.newPage();
    const pageUrl = server.url + "index.html";
    await page.goto(pageUrl);
    // The page's head names the manifest and its script registers the worker (as here once more).
    const registered = await page.evaluate(async () => {
      if (!document.querySelector('link[rel="manifest"][href="manifest.webmanifest"]')) return false;
      const { registerServiceWorker } = await import("./offline.mjs");
      const registration = await registerServiceWorker();
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller)
        await new Promise((r) => navigator.serviceWorker.addEventListener("controllerchange", r, { once: true }));
      return registration !== null;
    });
    assert.ok(registered, "no manifest in the page, or registerServiceWorker gave no registration");
    const cdp = await browser.context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepStrictEqual(installabilityErrors, [], "Chromium would not install the page");
    const manifest = await page.evaluate(() => fetch("manifest.webmanifest").then((r) => r.json()));
    assert.ok(manifest.icons.some((i) => i.sizes === "256x256"), "an icon large enough to install");

    // Offline: the server is gone, the page and the module come from the cache.
    await server.stop();
    await page.reload();
    const offline = await page.evaluate(async () => {
      const k = await createKubisto();
      return k._kubisto_create(5, 64, 48);
    });
    assert.strictEqual(offline, 1, "the module does not start offline");
    await page.waitForSelector("#window:not([hidden])", { timeout: 30000 });  // the page itself
    const oldCaches = await page.evaluate(() => caches.keys());
    assert.strictEqual(oldCaches.length, 1, oldCaches.join());

    // A new build: another version, a changed page. Its worker replaces the files and the cache.
    fs.writeFileSync(path.join(root, "index.html"),
                     fs.readFileSync(path.join(root, "index.html"), "utf8") + "<!-- build 2 -->\n");
    fs.writeFileSync(path.join(root, "sw.js"), sw.replace(/CACHE_VERSION = "[0-9a-f]+"/, 'CACHE_VERSION = "0000000000000002"'));
    server = await serve(root, server.port);
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      const changed = new Promise((r) => navigator.serviceWorker.addEventListener("controllerchange", r, { once: true }));
      await registration.update();
      await changed;
      // The old cache goes while the new worker activates, which ends after it takes control.
      const active = registration.active;
      if (active.state !== "activated")
        await new Promise((r) => active.addEventListener("statechange", () => active.state === "activated" && r()));
    });
    const caches2 = await page.evaluate(() => caches.keys());
    assert.deepStrictEqual(caches2, ["kubisto-0000000000000002"], "the old cache is gone");
    await server.stop();
    await page.reload();
    const text = await page.evaluate(() => fetch("index.html").then((r) => r.text()));
    assert.ok(text.includes("build 2"), "the new build's page is served offline");
    console.log("offline: the page loads without its server; a new build replaces the cache");
  } finally {
    await browser.close();
    await server.stop();
  }
}

// A wait that nothing ends lets node exit early: that is a failure, not a success.
process.exitCode = 1;
main().then(() => { process.exitCode = 0; }).catch((e) => {
  console.error(e.stack || e);
  process.exit(1);
});
