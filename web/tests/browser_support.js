// Headless Chromium (Debian's, driven by playwright-core) and a static server for the browser
// tests and the benchmark page: the site's files served by `python3 -m http.server` on a free port.
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const net = require("net");
const os = require("os");
const path = require("path");

const CHROMIUM = process.env.KUBISTO_CHROMIUM || "/usr/bin/chromium";
const CHROMIUM_FLAGS = ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync"];

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Serves folder at http://127.0.0.1:<port>/ until stop(); resolves once it answers.
async function serve(folder, port) {
  port = port || (await freePort());
  const child = spawn("python3", ["-m", "http.server", String(port), "--bind", "127.0.0.1",
                                  "--directory", folder], { stdio: "ignore" });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100; ++i) {
    try {
      await new Promise((resolve, reject) => {
        const socket = net.connect(port, "127.0.0.1", () => { socket.end(); resolve(); });
        socket.on("error", reject);
      });
      break;
    } catch {
      await new Promise((r) => setTimeout(r, 50));
    }
  }
  const stop = () => new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) return resolve();
    child.once("exit", () => resolve());
    child.kill("SIGTERM");
  });
  return { url, port, stop };
}

// A headless Chromium with a fresh profile, and any further flags; close() ends it and removes
// the profile.
async function launchChromium(webDir, extraFlags = []) {
  const { chromium } = require(path.join(webDir, "node_modules", "playwright-core"));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "kubisto-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM, headless: true, args: [...CHROMIUM_FLAGS, ...extraFlags],
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}

// True when Chromium and playwright-core are there to be used.
function haveBrowser(webDir) {
  return fs.existsSync(CHROMIUM) && fs.existsSync(path.join(webDir, "node_modules", "playwright-core"));
}

module.exports = { serve, launchChromium, haveBrowser, freePort };
