#!/usr/bin/env bash
# The web build (scripts/setup.sh web installs what it needs):
#   bash scripts/web.sh build   compiles the core to WebAssembly and lays the site into build/web/
#   bash scripts/web.sh         that, then serves build/web at http://127.0.0.1:8000/
# A second argument chooses another site folder (the tests build their own); CMake's tree lies
# beside it, in <site>-cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-serve}
case $what in
  build | serve) ;;
  *) echo "usage: scripts/web.sh [build]" >&2; exit 2 ;;
esac
if ! command -v emcmake >/dev/null; then
  echo "scripts/web.sh: emscripten is not installed (bash scripts/setup.sh web)" >&2
  exit 1
fi
# emscripten's JavaScript tools need Debian's node modules (node-acorn), which a node of another
# origin than Debian's does not look for.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
site=${2:-$PWD/build/web}
mkdir -p "$site"
site=$(cd "$site" && pwd)
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
else
  launcher=()
fi
# The page's build tools (esbuild, and tsc for the tests): npm ci installs the pinned versions once.
if [ ! -x web/node_modules/.bin/esbuild ] || [ ! -x web/node_modules/.bin/tsc ]; then
  (cd web && npm ci --no-audit --no-fund)
fi
# The module and the page (its script bundled by esbuild, its texts, help, pictures and sounds),
# then the service worker that lists them all.
emcmake cmake -S . -B "$site-cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKUBISTO_WEB_SITE_DIR="$site" "${launcher[@]}" >/dev/null
nice cmake --build "$site-cmake" -j"${KUBISTO_JOBS:-$(nproc)}"
echo "The site is in $site"
if [ "$what" = serve ]; then
  echo "Serving it at http://127.0.0.1:8000/ (Ctrl+C ends)"
  exec python3 -m http.server 8000 --bind 127.0.0.1 --directory "$site"
fi
