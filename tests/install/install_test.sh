#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a user would meet it: every file in
# its place, the desktop files valid, the command line without a display, and the installed program
# started from / finding its files, drawing the room as the build folder's program does, making its
# per-user folder and loading the layout named on its command line.
#   install_test.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; if ! "$@"; then fail "$what"; fi; }

cmake --install "$build" --prefix "$prefix" >/dev/null
touch "$work/installed"
id=io.github.kubisto.kubisto

echo "== installed files"
expected=(
  bin/kubisto lib/kubisto/libvantrel.so lib/kubisto/libkubisto-platform.so
  share/kubisto/walls/kita.bmp share/kubisto/walls/ti.bmp share/kubisto/sound/splash.wav
  share/kubisto/images/title.png share/kubisto/icons/squr_g.ico share/kubisto/help/kubisto.hlp
  share/kubisto/help/kubisto_en.hlp
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/kubisto.xml
  share/man/man6/kubisto.6.gz share/doc/kubisto/copyright share/doc/kubisto/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=(share/icons/hicolor/${size}x${size}/apps/kubisto.png
             share/icons/hicolor/${size}x${size}/mimetypes/application-x-kubisto-layout.png)
done
for f in "${expected[@]}"; do check "missing $f" test -f "$prefix/$f"; done
for size in 16 256; do
  check "icon of ${size} px has the wrong size" \
    grep -q "${size} x ${size}" <(file "$prefix/share/icons/hicolor/${size}x${size}/apps/kubisto.png")
done
check "development symlinks installed" test -z "$(find "$prefix" -type l)"
check "a data folder or placeholder installed" test -z "$(find "$prefix" -name data -o -name .keep)"
check "program's RUNPATH" grep -q 'RUNPATH.*\$ORIGIN/../lib/kubisto' <(readelf -d "$prefix/bin/kubisto")

echo "== desktop file, metainfo, MIME type"
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
mkdir -p "$work/xdg/mime/packages"
cp "$prefix/share/mime/packages/kubisto.xml" "$work/xdg/mime/packages/"
check "update-mime-database" env XDG_DATA_HOME="$work/xdg" update-mime-database "$work/xdg/mime"
printf '3\r\n0,0,0,255\r\n' >"$work/x.KBS"
type=$(XDG_DATA_HOME=$work/xdg XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$work/x.KBS" |
       sed -n 's/.*content-type: //p')
check "x.KBS is $type" test "$type" = application/x-kubisto-layout

echo "== command line without a display, from another folder"
home=$work/home
mkdir -p "$home" "$work/elsewhere"
run() { (cd "$work/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" "$prefix/bin/kubisto" "$@"); }
check "--version" grep -qx "kubisto [0-9.]*" <(run --version)
check "--help" grep -q -- "--version" <(run --help)
status=0; run --no-such-option 2>"$work/err" || status=$?
check "an unknown option ends with status 2 (got $status)" test $status -eq 2
check "an unknown option gives one line" test "$(wc -l <"$work/err")" -eq 1
check "nothing written under HOME by --version and --help" test -z "$(ls -A "$home")"

echo "== the installed program, started from /"
shots=$work/shots
mkdir -p "$shots"
# The program is driven through its script server: once its socket is up, the requests given
# (JSON, one a line) are sent and each must succeed; then SIGTERM ends it, which must end it with
# status 0. Only the program's own error boxes stop it: under the offscreen platform a modal box
# waits for ever and the run ends by the timeout.
ask() {  # ask <socket> <request...>
  /usr/bin/python3 - "$@" <<'PY'
import json, socket, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(60)
s.connect(sys.argv[1])
replies = s.makefile("rb")
for n, request in enumerate(sys.argv[2:]):
    s.sendall(json.dumps(dict(json.loads(request), id=n)).encode() + b"\n")
    reply = json.loads(replies.readline())
    if not reply.get("ok"):
        sys.exit("refused: %s" % reply)
PY
}
gui() {  # gui <home> <request...> -- <program and arguments...>
  local home=$1; shift
  local requests=()
  while [ "$1" != -- ]; do requests+=("$1"); shift; done
  shift
  local runtime=$work/runtime
  mkdir -p -m 700 "$runtime"
  env -u XDG_DATA_HOME -u KUBISTO_SOCKET HOME="$home" XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout -s KILL 120 "$@" &
  local pid=$! ok=0
  for _ in $(seq 600); do [ -S "$runtime/kubisto.sock" ] && break; sleep 0.1; done
  sleep 2.5  # the window's timers have run (its status bar shows the selection)
  ask "$runtime/kubisto.sock" '{"cmd": "hello"}' "${requests[@]}" || ok=1
  kill -TERM $pid 2>/dev/null || true
  wait $pid || ok=1
  return $ok
}
picture() { echo '{"cmd": "picture", "args": {"path": "'"$1"'"}}'; }
# The room as the build folder's program draws it, started beside its files.
(cd "$build/bin" && gui "$work/home-build" "$(picture "$shots/build.png")" -- ./kubisto) >/dev/null 2>&1 ||
  fail "the build folder's program did not end cleanly"
(cd / && gui "$work/home-a" "$(picture "$shots/installed.png")" -- "$prefix/bin/kubisto") >/dev/null 2>&1 ||
  fail "the installed program did not end cleanly (an error box?)"
check "the installed program draws the room (textured walls) as the build does" \
  cmp -s "$shots/build.png" "$shots/installed.png"
check "per-user data folder made on the first start" test -d "$work/home-a/.local/share/kubisto/data"

# A layout named on the command line (relative to the starting folder) is loaded; saved again,
# it holds the same blocks.
home=$work/home-b
mkdir -p "$home/layouts"
# Records in the order the program saves them (z, then y, then x); the last line is the title.
printf '5\r\n0,0,0,255\r\n2,1,3,65280\r\n4,4,4,16711680\r\n-1,-1,-1,0\r\n"a layout"\r\n' >"$home/layouts/three.kbs"
(cd "$home/layouts" && gui "$home" "$(picture "$shots/loaded.png")" \
   '{"cmd": "save", "args": {"path": "'"$home/copy.kbs"'"}}' -- "$prefix/bin/kubisto" three.kbs) \
   >/dev/null 2>&1 || fail "the installed program with a layout did not end cleanly"
check "the saved layout holds the blocks of the command line's layout" \
  cmp -s <(head -n -1 "$home/layouts/three.kbs") <(head -n -1 "$home/copy.kbs")
check "the loaded blocks are drawn" test -f "$shots/loaded.png"
check "the loaded blocks are drawn" bash -c '! cmp -s "$1" "$2"' _ "$shots/installed.png" "$shots/loaded.png"
check "nothing written under the prefix" test -z "$(find "$prefix" -newer "$work/installed")"

# The Python package from the installed program (the system's interpreter cannot load a module of
# the sanitizer build).
pkg="$prefix/lib/python3/dist-packages"
if [ -d "$pkg/kubisto" ] && ! grep -q "KUBISTO_SANITIZE:BOOL=ON" "$build/CMakeCache.txt"; then
  check "the installed Python package saves a layout" bash -c 'cd "$1" && rm -f a.kbs &&
    env -u DISPLAY PYTHONDONTWRITEBYTECODE=1 PYTHONPATH="$2" /usr/bin/python3 -c "import kubisto
r = kubisto.Room(); r.add(0, 0, 0, \"red\"); r.save(\"a.kbs\")" && grep -q "^0,0,0,255" a.kbs' _ "$work/elsewhere" "$pkg"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all install checks passed"
