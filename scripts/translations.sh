#!/usr/bin/env bash
# The program's translation, translations/kubisto_en.ts, against the texts in the sources.
#   scripts/translations.sh update [lupdate]   brings the .ts file in step with the sources (new
#                                              texts come in unfinished, for Qt Linguist)
#   scripts/translations.sh check [lupdate]    fails when a text of the sources has no finished
#                                              translation, or the file keeps one no source has
# lupdate is found through qtpaths6 unless given.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
lupdate=${2:-}
if [[ -z $lupdate ]]; then
  bins=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)
  lupdate=$bins/lupdate
fi
ts=translations/kubisto_en.ts
sources=(app/*.cpp app/{windows,editing,scripting,host}/*.{cpp,h} workroom/room_commands.cpp
  web/src/page_texts.h)

case $mode in
  update)
    "$lupdate" -silent -locations none -I . -target-language en "${sources[@]}" -ts "$ts"
    ;;
  check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$ts" "$work/check.ts"
    "$lupdate" -silent -locations none -I . -target-language en "${sources[@]}" -ts "$work/check.ts"
    # unfinished: a text without its translation; obsolete or vanished: a text no source has now.
    problems=$(grep -c -E 'type="(unfinished|obsolete|vanished)"' "$work/check.ts" || true)
    if [[ $problems != 0 ]]; then
      echo "$ts: $problems entries unfinished, obsolete or vanished:"
      grep -B3 -E 'type="(unfinished|obsolete|vanished)"' "$work/check.ts" | grep '<source>' || true
      echo "Run scripts/translations.sh update and translate them in Qt Linguist."
      exit 1
    fi
    if ! cmp -s "$ts" "$work/check.ts"; then
      echo "$ts is out of step with the sources (run scripts/translations.sh update):"
      diff "$ts" "$work/check.ts" | head -20
      exit 1
    fi
    echo "$ts: every text translated"
    ;;
  *) echo "usage: scripts/translations.sh update|check [lupdate]" >&2; exit 2 ;;
esac
