#!/usr/bin/env bash
# Runs both programs against the virtual mouse inside a Linux kernel: boots the
# installed distribution kernel under QEMU (software emulation, no KVM needed)
# with a small busybox initramfs made here, shares this machine's root read-only
# over 9p, and runs tests/kernel/guest-cases.sh in it with a tmpfs for what
# the cases write. Prints one line per case and "N passed, N failed".
#
# Usage: scripts/kernel-test.sh [BUILD_DIR]      (default: build)
#   KERNEL_TEST_CASES=commands,failures,access,window   the groups to run (default: all)
#   KERNEL_TEST_KEEP=1   keep the initramfs and the console log in /tmp/gm-kernel-test.*
# Needs qemu-system-x86, linux-image-amd64 and busybox-static (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
build=$(realpath "${1:-build}")
cases_script="$project/tests/kernel/guest-cases.sh"
for program in src/cli/gaming-mousectl src/gui/gaming-mouse tools/virtual_mouse/gaming-mouse-virtual; do
    [ -x "$build/$program" ] || { echo "kernel-test: $build/$program is not built" >&2; exit 2; }
done
case $build/ in /tmp/* | /run/* | /proc/* | /sys/* | /dev/*)
    echo "kernel-test: $build is hidden in the guest, which mounts its own /tmp, /run, /proc, /sys and /dev" >&2
    exit 2 ;;
esac
for tool in qemu-system-x86_64 busybox; do
    command -v "$tool" >/dev/null || { echo "kernel-test: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done

# The kernel installed here, which need not be the one running: the newest
# /boot/vmlinuz-* whose modules are present.
kernel="" version=""
for image in $(ls -1 /boot/vmlinuz-* 2>/dev/null | sort -V -r); do
    candidate=${image#/boot/vmlinuz-}
    if [ -f "/lib/modules/$candidate/modules.dep" ]; then
        kernel=$image version=$candidate
        break
    fi
done
[ -n "$kernel" ] || { echo "kernel-test: no /boot/vmlinuz-* with modules (install linux-image-amd64)" >&2; exit 2; }
[ -r "$kernel" ] || { echo "kernel-test: $kernel is not readable (run as root)" >&2; exit 2; }
modules_dir=/lib/modules/$version

work=$(mktemp -d /tmp/gm-kernel-test.XXXXXX)
[ -n "${KERNEL_TEST_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
root=$work/initramfs
mkdir -p "$root"/{bin,dev,proc,sys,newroot,modules}
cp "$(command -v busybox)" "$root/bin/busybox"

# Each wanted module after the modules it needs (modules.dep lists them).
declare -A loaded=()
load_order=()
add_module() {
    local name=$1 line path deps dep
    line=$(grep -E "(^|/)${name}\.ko(\.[a-z]+)?:" "$modules_dir/modules.dep" | head -1) || true
    [ -n "$line" ] || { echo "kernel-test: module $name not in $modules_dir" >&2; exit 2; }
    path=${line%%:*}
    [ -n "${loaded[$path]:-}" ] && return 0
    deps=${line#*:}
    for dep in $deps; do
        dep=$(basename "$dep"); dep=${dep%%.ko*}
        add_module "$dep"
    done
    loaded[$path]=1
    load_order+=("$path")
}
for module in virtio virtio_ring virtio_pci 9pnet_virtio 9p uhid hid-generic; do
    add_module "$module"
done
: > "$root/modules/order"
for path in "${load_order[@]}"; do
    file=$(basename "$path")
    case $file in
    *.ko.xz) xz -dc "$modules_dir/$path" > "$root/modules/${file%.xz}"; file=${file%.xz} ;;
    *.ko.zst) zstd -qdc "$modules_dir/$path" > "$root/modules/${file%.zst}"; file=${file%.zst} ;;
    *) cp "$modules_dir/$path" "$root/modules/$file" ;;
    esac
    echo "$file" >> "$root/modules/order"
done

cat > "$root/init" <<'INIT'
#!/bin/busybox sh
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in $(cat /modules/order); do
    insmod /modules/$module || echo "kernel-test: cannot load $module"
done
set -- $(cat /proc/cmdline)
for word; do case $word in gm.*=*) eval "${word#gm.}" ;; esac; done
if ! mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 hostroot /newroot; then
    echo "kernel-test: cannot mount the machine's root"; poweroff -f
fi
mount -t proc proc /newroot/proc
mount -t sysfs sysfs /newroot/sys
mount -t devtmpfs devtmpfs /newroot/dev
mount -t tmpfs -o mode=1777 tmpfs /newroot/tmp
mount -t tmpfs -o mode=755 tmpfs /newroot/run
mkdir -p /newroot/dev/pts /newroot/dev/shm
mount -t devpts devpts /newroot/dev/pts
mount -t tmpfs -o mode=1777 tmpfs /newroot/dev/shm
chroot /newroot /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/tmp \
    /bin/bash "$cases" "$build" "$project" "$only"
echo "kernel-test: guest finished with status $?"
poweroff -f
INIT
chmod +x "$root/init"
(cd "$root" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) > "$work/initramfs.gz"

memory=${KERNEL_TEST_MEMORY:-1536}
# One processor: under software emulation a second one makes every wake-up of
# the virtual mouse an interrupt between processors, ten times slower.
log=$work/console.log
status=0
timeout "${KERNEL_TEST_TIMEOUT:-600}" qemu-system-x86_64 \
    -machine q35,accel=tcg -cpu max -smp ${KERNEL_TEST_CPUS:-1} -m "$memory" \
    -nographic -no-reboot -serial mon:stdio -monitor none \
    -kernel "$kernel" -initrd "$work/initramfs.gz" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1 gm.cases=$cases_script gm.build=$build gm.project=$project gm.only=${KERNEL_TEST_CASES:-}" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap,id=hostroot \
    -nic none < /dev/null | tee "$log" | grep --line-buffered -E '^(ok|FAIL|skip|kernel-test|#) ' || status=$?

summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$log" | tail -1 | tr -d '\r')
if [ -z "$summary" ]; then
    echo "kernel-test: the guest did not finish; its console:" >&2
    tail -40 "$log" >&2
    exit 1
fi
echo "$summary"
failed=$(echo "$summary" | sed -E 's/.* ([0-9]+) failed.*/\1/')
[ "$failed" -eq 0 ]
