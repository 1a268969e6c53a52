// Drives the benchmark page in headless Chromium and prints, beside the native frame measured in
// the same run: the web frame and its ratio to the native one (goal: at most 2x), the time until
// the page and the benchmark page show the room when opened from localhost (goal: under 1 s), and
// the site's files compressed with gzip (goal: wasm, script and pictures under 1.5 MB together).
// Usage: node run_bench.js <site folder with bench/> <native bin folder>   (bench/web_page.sh)
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const { serve, launchChromium } = require("../tests/browser_support.js");

// workroom_bench's BM_RenderFullRoom on one thread: the same redraw of the same room.
function nativeFrame(bin) {
  const json = execFileSync(path.join(bin, "workroom_bench"),
    ["--benchmark_filter=BM_RenderFullRoom$", "--benchmark_format=json", "--benchmark_min_time=2"],
    { cwd: bin, env: { ...process.env, KUBISTO_THREADS: "1" }, stdio: ["ignore", "pipe", "ignore"] });
  const b = JSON.parse(json).benchmarks[0];
  const scale = { ns: 1e-6, us: 1e-3, ms: 1 }[b.time_unit];
  return { realMs: b.real_time * scale, cpuMs: b.cpu_time * scale };
}

// Each file of the site (not the benchmark's own) gzip-compressed, largest first.
function compressedSizes(site) {
  const sizes = [];
  const walk = (dir) => {
    for (const e of fs.readdirSync(dir, { withFileTypes: true })) {
      const full = path.join(dir, e.name);
      if (e.isDirectory()) { if (path.relative(site, full) !== "bench") walk(full); continue; }
      const bytes = fs.readFileSync(full);
      sizes.push({ file: path.relative(site, full), raw: bytes.length,
                   gzip: zlib.gzipSync(bytes, { level: 9 }).length });
    }
  };
  walk(site);
  return sizes.sort((a, b) => b.gzip - a.gzip);
}

// Time from the start of navigation until the page's first canvas shows something (any pixel
// not blank), polled at each animation frame.
async function timeToRoom(context, url, soundAllowed = false) {
  const page = await context.newPage();
  // A desktop browser allows a page's sound only after a click or key, so that on opening the
  // splash is silent and does not wait for its sound; headless Chromium allows sound at once. The
  // page is shown the desktop's case unless soundAllowed.
  if (!soundAllowed) {
    await page.addInitScript(() => {
      Object.defineProperty(AudioContext.prototype, "state", { get: () => "suspended" });
    });
  }
  await page.goto(url, { waitUntil: "commit" });
  const shown = page.waitForFunction(() => {
    const canvas = document.querySelector("canvas");
    if (!canvas || canvas.width === 0) return false;
    const probe = document.createElement("canvas");
    probe.width = 32;
    probe.height = 32;
    const g = probe.getContext("2d");
    g.drawImage(canvas, 0, 0, 32, 32);
    const pixels = g.getImageData(0, 0, 32, 32).data;
    // The time itself: a later question could wait on a page that is busy by then.
    for (let i = 3; i < pixels.length; i += 4) if (pixels[i] !== 0) return performance.now();
    return false;
  }, null, { polling: "raf", timeout: 30000 });
  const ms = await (await shown).jsonValue();
  // The page's module ready (it loads while the splash shows, which lasts as long as its sound).
  const ready = await page.evaluate(() => performance.getEntriesByName("kubisto-room-ready")[0]?.startTime ?? NaN);
  await page.close();
  return { ms, ready };
}

async function main() {
  const [site, bin] = process.argv.slice(2).map((p) => path.resolve(p));
  const native = nativeFrame(bin);
  const server = await serve(site);
  const browser = await launchChromium(path.join(__dirname, ".."));
  let web, firstVisit, pageReady;
  try {
    // The first visit (a fresh profile), then a returning one.
    firstVisit = await timeToRoom(browser.context, server.url + "index.html", false);
    pageReady = await timeToRoom(browser.context, server.url + "index.html", false);
    const page = await browser.context.newPage();
    await page.goto(server.url + "bench/index.html");
    await page.waitForFunction(() => window.benchResult !== undefined, null, { timeout: 120000 });
    web = await page.evaluate(() => window.benchResult);
    if (web.error) throw new Error(web.error);
  } finally {
    await browser.close();
    await server.stop();
  }
  const again = nativeFrame(bin);  // native once more: the machine's load may have changed
  const nativeMs = Math.min(native.realMs, again.realMs);
  const sizes = compressedSizes(site);
  const total = sizes.reduce((a, s) => a + s.gzip, 0);
  const f = (x) => x.toFixed(3);
  console.log(`frame, full room 416x338, one thread:`);
  console.log(`  native  ${f(native.realMs)} ms, ${f(again.realMs)} ms after the web run ` +
              `(CPU ${f(native.cpuMs)} / ${f(again.cpuMs)} ms)`);
  console.log(`  web     ${f(web.medianMs)} ms median, ${f(web.minMs)} ms best, over ${web.frames} frames`);
  // Wall clock against wall clock; on a busy machine the best frames against the native CPU time
  // show the code's own speed.
  console.log(`  ratio   ${(web.medianMs / nativeMs).toFixed(2)} x median to native wall clock, ` +
              `${(web.minMs / Math.min(native.cpuMs, again.cpuMs)).toFixed(2)} x best to native CPU (goal: at most 2)`);
  console.log(`room shown after opening from localhost: page ${firstVisit.ms.toFixed(0)} ms on the first visit, ` +
              `${pageReady.ms.toFixed(0)} ms on the next (sound not yet allowed: the splash is silent); benchmark page ` +
              `${web.firstFrameMs.toFixed(0)} ms (goal: under 1000)`);
  console.log(`the page's room ready behind the splash: ${firstVisit.ready.toFixed(0)} ms on the first visit, ` +
              `${pageReady.ready.toFixed(0)} ms on the next`);
  console.log(`site compressed (gzip -9): ${(total / 1024).toFixed(0)} KiB in all (goal: under 1536)`);
  for (const s of sizes)
    console.log(`  ${s.file.padEnd(28)} ${(s.raw / 1024).toFixed(0).padStart(6)} KiB -> ${(s.gzip / 1024).toFixed(0).padStart(5)} KiB`);
}

main().catch((e) => {
  console.error(e.stack || e);
  process.exit(1);
});
