#!/bin/sh
# The page test: installs the pinned puppeteer-core (web/package-lock.json)
# into the build folder when it is missing or the lock changed, then drives
# build/web/index.html in Debian's chromium.
# Arguments: source folder, build folder, node.
set -e
src=$1 build=$2 node=$3
npmdir="$build/web-npm"
mkdir -p "$npmdir"
if ! cmp -s "$src/web/package-lock.json" "$npmdir/package-lock.json" || [ ! -d "$npmdir/node_modules/puppeteer-core" ]; then
  cp "$src/web/package.json" "$src/web/package-lock.json" "$npmdir/"
  # puppeteer-core downloads no browser; the variable keeps it that way
  # should anything in its tree ever try.
  (cd "$npmdir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund)
fi
NODE_PATH="$npmdir/node_modules" exec "$node" "$src/tests/web/page_test.js" "$build/web/index.html"
