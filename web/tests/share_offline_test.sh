#!/usr/bin/env bash
# The page installable and usable offline, in headless Chromium (share_offline_test.js), on the
# site that web.BuildSite built into <build>/web-test/site.
# Usage: share_offline_test.sh <native build folder>. Status 77: skipped (no site, node, Chromium or
# the web build's npm packages: npm ci in web/).
set -euo pipefail
build=$(cd "$1" && pwd)
web=$(cd "$(dirname "$0")/.." && pwd)
site=$build/web-test/site
esbuild=$web/node_modules/.bin/esbuild
if ! command -v node >/dev/null || [ ! -f "$site/sw.js" ] || [ ! -x "$esbuild" ] ||
  [ ! -d "$web/node_modules/playwright-core" ] || [ ! -x "${KUBISTO_CHROMIUM:-/usr/bin/chromium}" ]; then
  echo "node, Chromium, the web site (web.BuildSite) or web/node_modules (npm ci in web/) is missing: skipped"
  exit 77
fi
out=$build/web-test/offline
mkdir -p "$out"
"$esbuild" "$web/ts/share/offline.ts" --format=esm --outfile="$out/offline.mjs" --log-level=warning
node "$web/tests/share_offline_test.js" "$site" "$out/scratch" "$out/offline.mjs"
