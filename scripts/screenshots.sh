#!/usr/bin/env bash
# Renders the window into docs/screenshots/ without a display: every page in
# English, the Main page in the other two languages, the no-device state and
# the busy window. The program draws them itself on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then cmake -S . -B "$build"; fi
cmake --build "$build" --target gaming-mouse
out="${1:-docs/screenshots}"
QT_QPA_PLATFORM=offscreen "$build/src/gui/gaming-mouse" --simulate b58 --screenshot-dir "$out" \
  2> >(grep -v 'This plugin does not support' >&2)
ls "$out"/*.png
