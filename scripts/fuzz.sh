#!/usr/bin/env bash
# Builds and runs the libFuzzer targets of fuzz/.
#
#   scripts/fuzz.sh build            configure and build them (clang, ASan, UBSan)
#   scripts/fuzz.sh smoke [SECONDS]  every target: its regression inputs, then
#                                    SECONDS of fuzzing (default 30; CI)
#   scripts/fuzz.sh long N [TARGET]  every target (or one) for N executions
#   scripts/fuzz.sh list             the target names
#
# The committed seeds in fuzz/corpus/<target>/ are only read; what a run
# learns goes to <build>/corpus/<target>/, and crashing inputs to
# <build>/artifacts/<target>/ (commit those under fuzz/regressions/<target>/).
# Runs are niced: the machine is shared. FUZZ_BUILD_DIR picks the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
case "$build_dir" in /*) ;; *) build_dir=$root/$build_dir ;; esac
# The profile target writes and reads files on every run; memory is faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

targets() {
    sed -n 's/^gm_add_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt
}

# Longest input worth trying: a profile needs the parameter block and the
# name table, a macro one block; text resources are a few kilobytes.
max_len() {
    case "$1" in
    profile) echo 1400 ;;
    macro) echo 1100 ;;
    report_descriptor) echo 1024 ;;
    *) echo 8192 ;;
    esac
}

build() {
    scripts/install-deps.sh clang libclang-rt-14-dev
    CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DGM_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    nice -n 10 cmake --build "$build_dir" --target fuzz_targets -j"$(nproc)"
}

# run TARGET libFuzzer-options...
run() {
    local target=$1
    shift
    local exe=$build_dir/fuzz/fuzz_$target
    local work=$build_dir/corpus/$target
    local artifacts=$build_dir/artifacts/$target
    mkdir -p "$work" "$artifacts"
    local options=(-max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2560
                   -artifact_prefix="$artifacts/" -print_final_stats=1)
    [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")

    # Every input that once failed must pass now (full sanitizer reports).
    local regressions=(fuzz/regressions/"$target"/*)
    if [ -e "${regressions[0]}" ]; then
        echo "== $target: ${#regressions[@]} regression input(s)"
        nice -n 10 "$exe" "${options[@]}" "${regressions[@]}"
    fi
    # While fuzzing, ASan keeps no allocation stacks: Qt's frames carry no
    # frame pointers, so every such stack is unique and ASan's stack store
    # would grow without bound (gigabytes over a long run). Run a failing
    # input alone to see where its memory came from.
    echo "== $target: fuzzing $*"
    ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=64} \
        nice -n 10 "$exe" "${options[@]}" "$@" "$work" "fuzz/corpus/$target"
}

mode=${1:-smoke}
case "$mode" in
build)
    build
    ;;
smoke)
    seconds=${2:-30}
    build
    for t in $(targets); do
        run "$t" -max_total_time="$seconds" 2>&1 | grep -v '^#[0-9]' || exit 1
    done
    ;;
long)
    runs=${2:?usage: scripts/fuzz.sh long N [TARGET]}
    build
    for t in ${3:-$(targets)}; do
        run "$t" -runs="$runs"
    done
    ;;
list)
    targets
    ;;
*)
    sed -n '2,10p' "$0"
    exit 2
    ;;
esac
