// Offline use and installation: registers the site's service worker (sw.js beside the page),
// which caches the site's files on the first visit. The page also names its manifest in its head:
//   <link rel="manifest" href="manifest.webmanifest">
//
//   registerServiceWorker();   // once, after the page has started; never throws
//
// Nothing happens where the browser has no service workers or the page is not served over http(s)
// from a secure origin (localhost counts as one); the page works the same, only not offline.

export async function registerServiceWorker(
  script = "sw.js",
): Promise<ServiceWorkerRegistration | null> {
  try {
    if (typeof navigator === "undefined" || !("serviceWorker" in navigator)) return null;
    if (!/^https?:$/.test(location.protocol)) return null;
    return await navigator.serviceWorker.register(script, { scope: "./" });
  } catch {
    return null;  // offline use is a comfort: the page goes on without it
  }
}
