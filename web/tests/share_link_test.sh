#!/usr/bin/env bash
# Share links with Python's zlib both ways (share_link_test.js), the TypeScript bundled by the web
# build's esbuild, in node and (where it is installed) in Chromium. Usage: share_link_test.sh <native build folder>. Status 77: skipped (no node,
# Python or the web build's npm packages: npm ci in web/).
set -euo pipefail
build=$(cd "$1" && pwd)
web=$(cd "$(dirname "$0")/.." && pwd)
esbuild=$web/node_modules/.bin/esbuild
if ! command -v node >/dev/null || ! command -v python3 >/dev/null || [ ! -x "$esbuild" ]; then
  echo "node, python3 or web/node_modules (npm ci in web/) is missing: skipped"
  exit 77
fi
out=$build/web-test/share
mkdir -p "$out"
"$esbuild" "$web/ts/share/share_link.ts" --format=esm --outfile="$out/share_link.mjs" --log-level=warning
browser=()
if [ -x "${KUBISTO_CHROMIUM:-/usr/bin/chromium}" ] && [ -d "$web/node_modules/playwright-core" ]; then
  browser=(--browser)
fi
node "$web/tests/share_link_test.js" "${browser[@]}" "$out/share_link.mjs" "$out/scratch" \
  "$web/../fuzz/corpus/layout/example.kbs"
