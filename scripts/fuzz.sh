#!/usr/bin/env bash
# Builds the libFuzzer targets in build/fuzz (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs them.
#   scripts/fuzz.sh SECONDS   runs each target for SECONDS, growing its corpus
#                             in build/fuzz/corpus/<target> (outside git)
#   scripts/fuzz.sh --replay  runs each target once over fuzz/corpus/<target>
# Target names after the first argument pick some of the targets.
# Prints "<target>: <runs> runs, <crashes> crashes" per target and exits
# non-zero when any target crashed. Crash inputs are kept in
# build/fuzz/artifacts/<target>/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:?usage: fuzz.sh SECONDS | --replay}"

"$here/scripts/ensure-packages.sh"
dir="$here/build/fuzz"
flags="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DQUILLON_TESTS=OFF -DQUILLON_FUZZ=ON >/dev/null
mapfile -t targets < <(sed -n 's/^quillon_fuzz_target(\(fuzz_[a-z_]*\).*/\1/p' "$here/fuzz/CMakeLists.txt")
shift
[ $# -gt 0 ] && targets=("$@")
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}" >"$dir/build.log" 2>&1 ||
    { tail -40 "$dir/build.log" >&2; exit 1; }

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
# The settings and snippet targets write files on every run; in memory they
# run several times as often as on a disk that syncs each write.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
# libFuzzer's inputs that failed; slow-unit-* files only report slow inputs.
faults() {
    find "$1" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l
}
failed=0
for target in "${targets[@]}"; do
    seeds="$here/fuzz/corpus/$target"
    artifacts="$dir/artifacts/$target"
    log="$dir/$target.log"
    mkdir -p "$seeds" "$artifacts"
    before=$(faults "$artifacts")
    if [ "$mode" = "--replay" ]; then
        args=(-runs=0 "$seeds")
    else
        grown="$dir/corpus/$target"
        mkdir -p "$grown"
        # A generous time-out: on a busy machine a slow input is not a hang.
        args=(-max_total_time="$mode" -timeout=60 -rss_limit_mb=4096 "$grown" "$seeds")
    fi
    status=0
    "$dir/bin/$target" -print_final_stats=1 -artifact_prefix="$artifacts/" "${args[@]}" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    crashes=$(( $(faults "$artifacts") - before ))
    if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then crashes=1; fi
    echo "$target: ${runs:-0} runs, $crashes crashes"
    if [ "$crashes" -ne 0 ]; then
        failed=1
        grep -m1 -A12 -E "ERROR|runtime error|deadly signal" "$log" >&2 || tail -20 "$log" >&2
    fi
done
exit "$failed"
