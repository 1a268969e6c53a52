#!/usr/bin/env bash
# The page's TypeScript checked strictly by tsc (web/tsconfig.json; esbuild, which bundles it,
# only strips the types). Status 77: skipped (no node, or no npm packages: npm ci in web/).
set -euo pipefail
web=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v node >/dev/null || [ ! -x "$web/node_modules/.bin/tsc" ]; then
  echo "node or web/node_modules/.bin/tsc (npm ci in web/) is missing: skipped"
  exit 77
fi
node "$web/node_modules/.bin/tsc" --noEmit --strict -p "$web"
echo "web/ts: no type errors"
