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
# as data URLs, so that the page fetches no file of its own.
NODE_PATH="$npmdir/node_modules" esbuild "$src/web/src/main.js" --bundle --format=iife --minify \
  --loader:.svg=dataurl --target=es2019 --legal-comments=none --log-level=warning --outfile="$out/page.js"
for f in "$src"/web/*; do
  case "$(basename "$f")" in
    package.json|package-lock.json|src) ;;
    *) cp -R "$f" "$out/" ;;
  esac
done
