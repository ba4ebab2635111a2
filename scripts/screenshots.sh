#!/usr/bin/env bash
# Renders the window into docs/screenshots/ without a display: every page in
# each of the three languages, the menus and dialogs, the no-device state and
# the busy window; then the English pages again on a display of twice the
# density (QT_SCALE_FACTOR=2) into docs/screenshots/2x/. The program draws
# them itself on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then cmake -S . -B "$build"; fi
cmake --build "$build" --target gaming-mouse
out="${1:-docs/screenshots}"
run() {
  QT_QPA_PLATFORM=offscreen "$build/src/gui/gaming-mouse" --simulate b58 --screenshot-dir "$1" \
    2> >(grep -v 'This plugin does not support' >&2)
}
run "$out"
double="$(mktemp -d)"
trap 'rm -rf "$double"' EXIT
QT_SCALE_FACTOR=2 run "$double"
mkdir -p "$out/2x"
rm -f "$out"/2x/*.png
cp "$double"/page-*.png "$out/2x/"
ls "$out"/*.png "$out"/2x/*.png
