#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on the simulated
# mouse (no hardware needed). Extra arguments go to the program instead, for
# example `scripts/run.sh --simulate a42` or, with a real mouse, no options
# at all: `scripts/run.sh --`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then set -- --simulate b58; fi
if [ "${1:-}" = "--" ]; then shift; fi
exec "${BUILD_DIR:-build}/src/gui/gaming-mouse" "$@"
