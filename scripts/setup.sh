#!/bin/sh
# Shared set-up of ./run and ./test: install what a fresh Debian machine lacks,
# then configure and build. Sourced, not executed.
set -e
# A script outside the root (scripts/sanitize.sh) sets ZELK_ROOT before sourcing.
ZELK_ROOT=${ZELK_ROOT:-$(cd "$(dirname "$0")" && pwd)}
ZELK_BUILD="$ZELK_ROOT/build"

zelk_packages="cmake ninja-build g++ qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-translations-l10n libgl-dev libxcb1-dev xvfb xauth fonts-liberation poppler-utils fusefat dosfstools emscripten esbuild chromium"

# Arguments name the packages; none installs what building and testing need.
zelk_install() {
  [ $# -gt 0 ] || set -- $zelk_packages
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  # The page test installs puppeteer-core with npm. A node from elsewhere
  # brings its own npm, and Debian's npm would fight with it.
  if [ "$*" = "$zelk_packages" ] && ! command -v npm >/dev/null 2>&1; then missing="$missing npm"; fi
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  # Try without refreshing the package lists first: it is much faster when they are current.
  $SUDO apt-get install -y -q $missing || { $SUDO apt-get update -q && $SUDO apt-get install -y -q $missing; }
}

# Arguments name the targets to build; none builds everything.
zelk_build() {
  cmake -S "$ZELK_ROOT" -B "$ZELK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  if [ $# -gt 0 ]; then
    cmake --build "$ZELK_BUILD" -j "$(nproc)" --target "$@"
  else
    cmake --build "$ZELK_BUILD" -j "$(nproc)"
  fi
}
