// The frame time of the web module under node: the room with every cell filled, redrawn at
// 416 x 338 by setting the front view, as workroom_bench's BM_RenderFullRoom does natively.
// Run through bench/web_frame.sh, which runs the native benchmarks beside it.
"use strict";
const path = require("path");
const { performance } = require("perf_hooks");
const { loadKubisto, layoutBytes, fullRoom } = require(path.join(__dirname, "../web/tests/kubisto_node.js"));

async function main() {
  const siteDir = process.argv[2];
  const k = await loadKubisto(siteDir);
  k.create(416, 338);
  if (!k.load(layoutBytes(5, fullRoom(5), Buffer.from('"Kubisto"\r\n')))) throw new Error(k.error());
  for (let i = 0; i < 20; ++i) k.setView("FRONT");  // warm-up: textures prepared, code compiled
  const times = [];
  const deadline = performance.now() + 3000;
  // On a shared machine the wall clock counts the time that other processes take: the process's
  // CPU time per frame (node's helper threads included) is printed beside it, as Google
  // Benchmark's CPU column is.
  const cpuStart = process.cpuUsage();
  while (performance.now() < deadline || times.length < 50) {
    const start = performance.now();
    k.setView("FRONT");
    times.push(performance.now() - start);
  }
  const cpu = process.cpuUsage(cpuStart);
  const cpuPerFrame = (cpu.user + cpu.system) / 1000 / times.length;
  times.sort((a, b) => a - b);
  const mean = times.reduce((a, b) => a + b, 0) / times.length;
  const median = times[times.length >> 1];
  console.log(`web (node ${process.version}) full room 416x338, one thread: ` +
              `median ${median.toFixed(3)} ms, mean ${mean.toFixed(3)} ms (wall clock), ` +
              `${cpuPerFrame.toFixed(3)} ms CPU per frame, over ${times.length} frames`);
}

main().catch((e) => {
  console.error(e.message || e);
  process.exit(1);
});
