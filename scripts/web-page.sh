#!/bin/sh
# Makes the page beside the WebAssembly core in the web output folder: the
# npm packages from web/package-lock.json (installed once per lock into the
# build folder), web/src bundled by esbuild into one classic script, and
# web's other files copied as they are.
# Arguments: source folder, build folder, output folder.
set -e
src=$1 build=$2 out=$3
npmdir="$build/web-npm"
mkdir -p "$npmdir" "$out"
if ! cmp -s "$src/web/package-lock.json" "$npmdir/package-lock.json" || [ ! -d "$npmdir/node_modules/@codemirror/view" ]; then
  cp "$src/web/package.json" "$src/web/package-lock.json" "$npmdir/"
  # puppeteer-core downloads no browser; the variable keeps it that way
  # should anything in its tree ever try.
  (cd "$npmdir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund)
fi
# A classic script, not a module: a page opened from the disk may not load
# module scripts. The desktop's pictures (resources/world/*.svg) go into it
# as data URLs, so that the page fetches no file of its own; the examples'
# files come in as bytes, to be decoded by the core.
NODE_PATH="$npmdir/node_modules" esbuild "$src/web/src/main.js" --bundle --format=iife --minify \
  --loader:.svg=dataurl --loader:.PAS=binary --loader:.ROB=binary \
  --target=es2019 --legal-comments=none --log-level=warning --outfile="$out/page.js"
for f in "$src"/web/*; do
  case "$(basename "$f")" in
    package.json|package-lock.json|src) ;;
    *) cp -R "$f" "$out/" ;;
  esac
done
# The desktop's own icon for the browser's tab.
cp "$src/resources/icons/zelk.svg" "$out/zelk.svg"
# The manual as a classic script, loaded when the help is first asked for.
node -e 'const fs = require("fs");
fs.writeFileSync(process.argv[2], "window.ZelkHandbuch = " + JSON.stringify(fs.readFileSync(process.argv[1], "utf8")) + ";\n");' \
  "$src/resources/Zelk.hlp" "$out/handbuch.js"
# What the service worker keeps for offline use: every file of the site but
# the command-line runner and the worker itself, and a version that changes
# with any of them.
(
  cd "$out"
  files=$(find . -type f ! -name 'zelk-run.*' ! -name 'sw.js' ! -name 'sw-files.js*' | sed 's|^\./||' | sort)
  version=$(cat $files | sha256sum | cut -c1-16)
  printf 'self.ZELK_VERSION = "%s";\nself.ZELK_FILES = [' "$version"
  sep=""
  for f in $files; do printf '%s"%s"' "$sep" "$f"; sep=", "; done
  printf '];\n'
) > "$out/sw-files.js.tmp"
mv "$out/sw-files.js.tmp" "$out/sw-files.js"
