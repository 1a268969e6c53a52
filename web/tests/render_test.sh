#!/usr/bin/env bash
# The web module against the desktop program (web/tests/render_test.js): builds the web module
# into <build>/web-test with scripts/web.sh, then runs the comparison under node.
# Usage: render_test.sh <native build folder>. Status 77: skipped (no emscripten or node).
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v emcmake >/dev/null || ! command -v node >/dev/null; then
  echo "emscripten or node is not installed (bash scripts/setup.sh web): skipped"
  exit 77
fi
KUBISTO_JOBS=${KUBISTO_JOBS:-2} bash "$source_dir/scripts/web.sh" build "$build/web-test/site"
scratch=$build/web-test/scratch
rm -rf "$scratch"
# The loader of emscripten 3.1.6 takes node's fetch for a browser's; Debian's node modules lie
# outside node's own search path.
NODE_PATH=/usr/share/nodejs node --no-experimental-fetch "$source_dir/web/tests/render_test.js" \
  "$build/web-test/site" "$build/bin/kubisto" "$scratch" \
  "$source_dir/fuzz/corpus/layout/example.kbs"
