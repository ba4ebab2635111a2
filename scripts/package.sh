#!/usr/bin/env bash
# Builds the Debian package into build-package/ (or $PACKAGE_BUILD_DIR): a
# Release build for /usr without the tests, then CPack. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${PACKAGE_BUILD_DIR:-build-package}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DGM_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" >&2
rm -f "$build_dir"/gaming-mouse_*.deb
(cd "$build_dir" && cpack -G DEB >&2)
realpath "$build_dir"/gaming-mouse_*.deb
