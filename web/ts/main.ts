// The page's start: the texts, the splash while the module loads, then the window.
import { App, showSplash } from "./app";
import { loadTexts } from "./i18n";
import { Kubisto } from "./kubisto";
import { registerServiceWorker } from "./share/offline";
import { shareFragmentPayload } from "./share/share_link";
import { unlockSound } from "./sound";

async function start(): Promise<void> {
  for (const event of ["pointerdown", "keydown"]) window.addEventListener(event, unlockSound, { capture: true });
  await loadTexts();
  document.getElementById("loading")!.hidden = true;
  // The module loads while the splash shows; the mark tells the benchmark when it was ready.
  const opened = Kubisto.open(416, 338).then((room) => (performance.mark("kubisto-room-ready"), room));
  await showSplash(opened);
  const room = await opened;
  const app = new App(room);
  app.build();
  document.getElementById("window")!.hidden = false;
  (window as any).kubisto = { room, app }; // for the browser tests and the console
  document.getElementById("view")!.focus();
  void registerServiceWorker();
  // A share link opens its layout: at the start into the empty room, later (another link in the
  // same tab) after the question about unsaved work, as Open a file does.
  window.addEventListener("hashchange", () => {
    if (shareFragmentPayload(location.hash) !== null) void app.openShared(location.hash);
  });
  if (shareFragmentPayload(location.hash) !== null) await app.openShared(location.hash);
}

start().catch((e) => {
  const loading = document.getElementById("loading")!;
  loading.hidden = false;
  loading.textContent = String(e);
});
