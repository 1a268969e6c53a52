#!/usr/bin/env bash
# The page in headless chromium (web/tests/page_test.js), on the site that web.BuildSite built
# into <build>/web-test/site in the same test run (ctest runs that test first: one web build).
# Usage: page_test.sh <native build folder>. Status 77: skipped (no emscripten, node or chromium).
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v emcmake >/dev/null || ! command -v node >/dev/null || [ ! -x /usr/bin/chromium ]; then
  echo "emscripten, node or chromium is not installed (bash scripts/setup.sh web): skipped"
  exit 77
fi
site=$build/web-test/site
if [ ! -f "$site/page.js" ] || [ ! -f "$site/kubisto.wasm" ]; then
  echo "$site holds no built page: run the test web.BuildSite first" >&2
  exit 1
fi
# The Python package, where it is built, writes the desktop's layout files for the same blocks.
python=""
if [ -d "$build/bin/python/kubisto" ]; then python=$build/bin/python; fi
node "$source_dir/web/tests/page_test.js" "$site" "$build/bin/kubisto" "$python" \
  "$build/web-test/page-scratch" "$source_dir/fuzz/corpus/layout/example.kbs"
