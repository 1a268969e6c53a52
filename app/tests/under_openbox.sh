#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb) under the openbox window manager, for the tests
# of what a window manager makes of the program's windows. Exits with 77 (ctest: skipped) and a
# message when Xvfb or openbox is not installed.
#   app/tests/under_openbox.sh <command> [arguments...]
set -euo pipefail
for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/setup.sh test installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb=
wm=
finish() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# Xvfb chooses a free display and writes its number once it takes connections; openbox runs its
# start-up command once it manages the screen. Both report through a pipe, read with a time limit
# (opened for reading and writing, so that opening it never waits).
mkfifo "$work/ready"
exec 4<>"$work/ready"
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
if ! read -r -t 30 -u 4 number; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=:$number
# openbox's own default settings, none of the user's.
XDG_CONFIG_HOME=$work/config openbox --sm-disable --startup "sh -c 'echo up >$work/ready'" \
  >"$work/openbox.log" 2>&1 &
wm=$!
if ! read -r -t 30 -u 4 _; then
  echo "openbox did not start:" >&2
  cat "$work/openbox.log" >&2
  exit 1
fi
exec 4>&-

export KUBISTO_TEST_WM=openbox QT_QPA_PLATFORM=xcb
"$@"
