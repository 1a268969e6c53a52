#!/usr/bin/env bash
# The web module against the desktop program (web/tests/render_test.js) and its room commands
# (web/tests/room_test.js) under node, on the site that web.BuildSite built into <build>/web-test/site.
# Usage: render_test.sh <native build folder>. Status 77: skipped (no emscripten or node).
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v emcmake >/dev/null || ! command -v node >/dev/null; then
  echo "emscripten or node is not installed (bash scripts/setup.sh web): skipped"
  exit 77
fi
if [ ! -f "$build/web-test/site/kubisto.wasm" ]; then
  echo "$build/web-test/site holds no web module: run the test web.BuildSite first" >&2
  exit 1
fi
scratch=$build/web-test/scratch
rm -rf "$scratch"
# The loader of emscripten 3.1.6 takes node's fetch for a browser's; Debian's node modules lie
# outside node's own search path.
NODE_PATH=/usr/share/nodejs node --no-experimental-fetch "$source_dir/web/tests/render_test.js" \
  "$build/web-test/site" "$build/bin/kubisto" "$scratch" \
  "$source_dir/fuzz/corpus/layout/example.kbs"
# The module's dispatcher, undo history and picking, on the same build.
NODE_PATH=/usr/share/nodejs node --no-experimental-fetch "$source_dir/web/tests/room_test.js" \
  "$build/web-test/site"
