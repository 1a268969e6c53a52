#!/usr/bin/env bash
# Checks that every C and C++ source of the tree is formatted as .clang-format says; lists the
# files that are not and fails. Fix them with: clang-format -i <file>...
# Only files git tracks are read (no build output); generated files would be listed in `generated`.
set -euo pipefail
cd "$(dirname "$0")/.."

generated=()  # none yet: paths of generated sources, relative to the repository root

mapfile -t files < <(git ls-files -- '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' '*.inc')
checked=()
for f in "${files[@]}"; do
  skip=0
  for g in "${generated[@]}"; do [ "$f" = "$g" ] && skip=1; done
  [ -f "$f" ] && [ $skip -eq 0 ] && checked+=("$f")
done

# One run over all files; each place that differs is reported as "<file>:<line>:<column>: error:".
command -v clang-format >/dev/null || { echo "clang-format is not installed (scripts/setup.sh)"; exit 1; }
status=0
report=$(clang-format --dry-run -Werror "${checked[@]}" 2>&1) || status=$?
mapfile -t bad < <(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ $status -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
  printf 'clang-format failed:\n%s\n' "$report"
  exit 1
fi

if [ ${#bad[@]} -ne 0 ]; then
  echo "${#bad[@]} of ${#checked[@]} files differ from .clang-format:"
  printf '  %s\n' "${bad[@]}"
  echo "fix them with: clang-format -i <file>..."
  exit 1
fi
echo "${#checked[@]} files formatted as .clang-format says"
