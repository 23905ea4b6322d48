#!/bin/sh
# The page test: drives build/web/index.html in Debian's chromium with the
# puppeteer-core that the page's build installed (scripts/web-page.sh).
# Arguments: source folder, build folder, node.
set -e
src=$1 build=$2 node=$3
NODE_PATH="$build/web-npm/node_modules" exec "$node" "$src/tests/web/page_test.js" "$build/web/index.html"
