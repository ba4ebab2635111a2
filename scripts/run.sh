#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program against the
# simulated mouse (no hardware needed). Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then set -- --simulate b58 show; fi
exec "${BUILD_DIR:-build}/src/cli/gaming-mousectl" "$@"
