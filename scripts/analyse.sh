#!/usr/bin/env bash
# Static analysis of src/: clang-tidy with the committed .clang-tidy and
# cppcheck, both over the compile commands of a clang build configured in
# build-analyse/ (or $BUILD_DIR; nothing is compiled). Prints every finding
# as file:line and exits non-zero when there is any.
# Arguments, if given, limit clang-tidy and cppcheck to those source files.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh clang clang-tidy cppcheck python3
build_dir=${BUILD_DIR:-build-analyse}
case "$build_dir" in /*) ;; *) build_dir=$root/$build_dir ;; esac

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug >/dev/null

# Only our own sources, not the files Qt's tools generate into the build.
python3 - "$build_dir" "$root/src/" "$@" <<'PY'
import json, os, sys
build, prefix, only = sys.argv[1], sys.argv[2], {os.path.abspath(f) for f in sys.argv[3:]}
entries = [e for e in json.load(open(os.path.join(build, "compile_commands.json")))
           if e["file"].startswith(prefix) and (not only or e["file"] in only)]
os.makedirs(os.path.join(build, "src-only"), exist_ok=True)
json.dump(entries, open(os.path.join(build, "src-only", "compile_commands.json"), "w"), indent=1)
with open(os.path.join(build, "src-only", "files.txt"), "w") as f:
    f.write("\n".join(sorted({e["file"] for e in entries})) + "\n")
PY
db=$build_dir/src-only
jobs=$(nproc)

echo "== clang-tidy ($(wc -l <"$db/files.txt") files)"
tidy_log=$db/clang-tidy.log
# Headers count only from this source tree: the build folder also has a src/
# (moc output, uic's ui_*.h forms), and generated code is not ours to fix.
xargs -a "$db/files.txt" -P"$jobs" -n4 nice -n 10 clang-tidy -p "$db" --quiet \
    --header-filter="^$root/src/" \
    >"$tidy_log" 2>"$db/clang-tidy.err" || true
# A file clang-tidy could not parse is a finding too ("error:").
grep -E '^/.*: (warning|error):' "$tidy_log" | sed "s|^$root/||" | sort -u >"$db/tidy-findings.txt" || true
cat "$db/tidy-findings.txt"

echo "== cppcheck"
mkdir -p "$db/cppcheck"
# Off: shadowFunction (Qt accessors are named like the locals that hold
# their value), useStlAlgorithm (taste), internalAstError (cppcheck 2.10
# cannot parse lambda init-captures; a tool limit, not a fault),
# missingInclude* (cppcheck need not see Qt's headers).
nice -n 10 cppcheck --project="$db/compile_commands.json" --library=qt --std=c++20 \
    --enable=warning,performance,portability,style --inline-suppr -q -j"$jobs" \
    --cppcheck-build-dir="$db/cppcheck" \
    --suppress=shadowFunction --suppress=useStlAlgorithm --suppress=internalAstError \
    --suppress=missingInclude --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
    --suppress="*:$build_dir/*" \
    --template='{file}:{line}: {severity}: {message} [{id}]' 2>&1 |
    sed "s|^$root/||" | sort -u >"$db/cppcheck-findings.txt" || true
cat "$db/cppcheck-findings.txt"

count=$(($(wc -l <"$db/tidy-findings.txt") + $(wc -l <"$db/cppcheck-findings.txt")))
echo "== $count finding(s)"
[ "$count" -eq 0 ]
