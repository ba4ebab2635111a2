#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if any is missing.
# Usage: scripts/install-deps.sh [extra package ...]
set -euo pipefail
# dpkg-dev and file: CPack's computed package dependencies; desktop-file-utils,
# appstream and groff-base: the checks of the desktop entry, metainfo and man pages.
packages=(
    cmake make g++ pkg-config
    qt6-base-dev
    libhidapi-dev
    libx11-dev libxi-dev
    libglib2.0-dev libglib2.0-bin
    # xvfb and xdotool: the window tests that drive the real program.
    xvfb xdotool
    fonts-dejavu-core
    bash-completion
    dpkg-dev file desktop-file-utils appstream groff-base
    # libudev-dev: the window's hot-plug events. The kernel test boots the
    # distribution kernel under QEMU with a busybox initramfs.
    libudev-dev
    qemu-system-x86 linux-image-amd64 busybox-static
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
