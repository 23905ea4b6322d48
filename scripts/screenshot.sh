#!/bin/sh
# Takes docs/screenshot.png, the picture the README shows,
# docs/screenshot-2x.png, the same at a scale factor of 2 as on a
# high-resolution screen, and docs/fehler-finden.png, a run paused at a
# breakpoint: builds the screenshot helper if needed and runs it
# under a virtual X server.
set -e
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD="${ZELK_BUILD:-$ROOT/build}"
[ -f "$BUILD/build.ninja" ] || cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" --target zelk-screenshot
mkdir -p "$ROOT/docs"
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/zelk-screenshot" "$ROOT/docs/screenshot.png"
# Twice the pixels on a screen of the same logical size.
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x1600x24" "$BUILD/zelk-screenshot" "$ROOT/docs/screenshot-2x.png"
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/zelk-screenshot" "$ROOT/docs/fehler-finden.png" --haltepunkt
