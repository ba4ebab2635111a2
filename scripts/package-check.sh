#!/usr/bin/env bash
# Builds the Debian package, installs it with apt as a user would, runs both
# programs from their installed paths, validates the installed desktop files,
# then removes the package and checks that none of its files is left.
# Needs root (or sudo) and a machine where the package is not installed yet.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

if dpkg-query -W -f='${Status}' gaming-mouse 2>/dev/null | grep -q 'install ok installed'; then
    echo "gaming-mouse is installed already; remove it first (apt-get purge gaming-mouse)" >&2
    exit 1
fi

deb=$(scripts/package.sh)
echo "-- package $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends

remove() { DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq gaming-mouse >/dev/null; }
trap 'echo "-- failed; removing the package" >&2; remove || true' ERR

echo "-- install"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
for file in /usr/bin/gaming-mousectl /usr/bin/gaming-mouse /usr/lib/udev/rules.d/70-gaming-mouse.rules \
    /usr/share/applications/gaming-mouse.desktop /usr/share/gaming-mouse/user-guide.html; do
    [ -f "$file" ] || { echo "missing after install: $file" >&2; false; }
done
desktop-file-validate /usr/share/applications/gaming-mouse.desktop
appstreamcli validate --no-net /usr/share/metainfo/*.metainfo.xml
if [ -d data/icons/hicolor ]; then
    ls /usr/share/icons/hicolor/*/apps/gaming-mouse.png >/dev/null
fi

echo "-- gaming-mousectl from /usr/bin"
status=$(/usr/bin/gaming-mousectl --simulate b58 status)
echo "$status"
[[ "$status" == "connected family B layout 58 "* ]]

echo "-- gaming-mouse from /usr/bin, offscreen for 5 s"
rc=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/gaming-mouse --simulate b58 || rc=$?
# 124: still running when the time was up, as it should be.
[ "$rc" -eq 124 ] || { echo "gaming-mouse ended early with status $rc" >&2; false; }

echo "-- remove"
trap - ERR
remove
if dpkg-query -W -f='${Status}' gaming-mouse 2>/dev/null | grep -q 'installed'; then
    echo "gaming-mouse is still installed" >&2
    exit 1
fi
left=0
while read -r path; do
    path="/${path#./}"
    [[ "$path" == */ ]] && continue
    if [ -e "$path" ] || [ -L "$path" ]; then
        echo "left after removal: $path" >&2
        left=1
    fi
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
[ "$left" -eq 0 ]
echo "-- package installs, runs and removes cleanly"
