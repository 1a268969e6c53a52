#!/usr/bin/env bash
# Makes the Debian package with CPack and checks it: its files and its Depends always; with CI=true
# it is also installed into this machine's root with dpkg, run, and removed again.
#   deb_test.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "dpkg-deb or dpkg-shlibdeps (dpkg-dev) is missing: no Debian package to check here"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; if ! "$@"; then fail "$what"; fi; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
echo "== $(basename "$deb")"

dpkg-deb -I "$deb" >"$work/info"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
depends=$(sed -n 's/^ Depends: //p' "$work/info")
echo "Depends: $depends"
for dependency in libqt6widgets6 libqt6gui6 libsdl2 zlib1g libc6 qt6-qpa-plugins fonts-noto-cjk; do
  check "Depends lacks $dependency" grep -q "$dependency" <<<"$depends"
done
for f in ./usr/bin/kubisto ./usr/lib/kubisto/libvantrel.so ./usr/lib/kubisto/libkubisto-platform.so \
         ./usr/share/kubisto/walls/kita.bmp ./usr/share/kubisto/help/kubisto.hlp \
         ./usr/share/kubisto/help/kubisto_en.hlp \
         ./usr/share/applications/io.github.kubisto.kubisto.desktop \
         ./usr/share/metainfo/io.github.kubisto.kubisto.metainfo.xml ./usr/share/mime/packages/kubisto.xml \
         ./usr/share/icons/hicolor/256x256/apps/kubisto.png \
         ./usr/share/icons/hicolor/48x48/mimetypes/application-x-kubisto-layout.png \
         ./usr/share/man/man6/kubisto.6.gz ./usr/share/doc/kubisto/copyright ./usr/share/doc/kubisto/changelog.gz; do
  check "the package lacks $f" grep -qx "$f" "$work/files"
done
check "the manual page is not compressed by gzip" grep -q "gzip" <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/kubisto.6.gz | file -)
check "the package holds a data folder" bash -c '! grep -q "/data/$" "$1"' _ "$work/files"

# Debian's own checks: no error, and no warning without a reason in the package's overrides.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
  grep -E "^[EW]:" "$work/lintian.log" || true
else
  echo "(lintian is not installed: its checks skipped)"
fi

if [ "${CI:-}" = true ]; then
  echo "== dpkg -i and dpkg --purge (CI=true)"
  # Only a package that is really installed is left alone (one removed earlier may have left its
  # record behind, which is no reason to fail).
  if dpkg-query -W -f='${Status}' kubisto 2>/dev/null | grep -q "install ok installed"; then
    fail "a kubisto package is installed already; not touching it"
  else
    dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
    check "installed program's --version" grep -q "^kubisto " <(env -u DISPLAY /usr/bin/kubisto --version)
    # Purged, not only removed, so that no record of it stays behind for the next run.
    dpkg --purge kubisto >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
    check "files left behind after dpkg --purge" test ! -e /usr/bin/kubisto -a ! -e /usr/share/kubisto -a ! -e /usr/lib/kubisto
  fi
else
  echo "(CI is not true: the package is inspected, not installed)"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all package checks passed"
