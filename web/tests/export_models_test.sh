#!/usr/bin/env bash
# The web module's model exports against the desktop's (export_models_test.js), on the site that
# web.BuildSite built into <build>/web-test/site; the page's downloads in Chromium where installed. The glTF validator is the one the export tests
# install into <build>/node (installed here when it is not there yet).
# Usage: export_models_test.sh <native build folder>. Status 77: skipped (no site, node or esbuild).
set -euo pipefail
build=$(cd "$1" && pwd)
web=$(cd "$(dirname "$0")/.." && pwd)
site=$build/web-test/site
esbuild=$web/node_modules/.bin/esbuild
if ! command -v node >/dev/null || [ ! -f "$site/kubisto.wasm" ] || [ ! -x "$esbuild" ]; then
  echo "node, the web site (web.BuildSite) or web/node_modules (npm ci in web/) is missing: skipped"
  exit 77
fi
out=$build/web-test/export
mkdir -p "$out"
"$esbuild" "$web/ts/export/model_export.ts" --format=esm --outfile="$out/model_export.mjs" \
  --log-level=warning
modules=$build/node/node_modules
if [ ! -d "$modules/gltf-validator" ]; then
  npm install --silent --no-audit --no-fund --prefix "$build/node" gltf-validator >/dev/null 2>&1 || true
fi
[ -d "$modules/gltf-validator" ] || modules=""
# The loader of emscripten 3.1.6 takes node's fetch for a browser's.
NODE_PATH=/usr/share/nodejs node --no-experimental-fetch "$web/tests/export_models_test.js" \
  "$site" "$build/bin/kubisto" "$out/scratch" "$out/model_export.mjs" "$modules" \
  "$web/../fuzz/corpus/layout/example.kbs"
if [ -x "${KUBISTO_CHROMIUM:-/usr/bin/chromium}" ] && [ -d "$web/node_modules/playwright-core" ]; then
  node "$web/tests/export_models_test.js" --browser "$site" "$out/scratch" "$out/model_export.mjs" \
    "$web/../fuzz/corpus/layout/example.kbs"
fi
