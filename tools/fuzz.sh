#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, ASan and UBSan) and
# runs each for SECONDS (default 10), as many at once as there are cores, or
# only the targets named. Prints one line per target: its name, the inputs it
# ran and the crashes it found. A finding
# is kept in build/fuzz/findings/<target>/; the corpus grown from the seeds in
# fuzz/corpus/<target>/ is kept in build/fuzz/corpus/<target>/ for the next run.
# Fails when a target crashed.
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

build=build/fuzz
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    for seeds in fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

# One target a core at a time: each is one process.
fuzz_one() {
    local target=$1
    local program=$build/fuzz/${target}_fuzzer
    local corpus=$build/corpus/$target
    local findings=$build/findings/$target
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    # A hang counts as a crash after 10 s; inputs stay below 4 KiB, which
    # covers the text files' 1024-byte buffer several times.
    "$program" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$build/findings/$target.log" 2>&1 || true
}

for target in "${targets[@]}"; do
    [[ -x $build/fuzz/${target}_fuzzer ]] || { echo "no fuzz target $target" >&2; exit 2; }
done
jobs=$(nproc)
running=0
for target in "${targets[@]}"; do
    fuzz_one "$target" &
    running=$((running + 1))
    if [[ $running -ge $jobs ]]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

printf '%-22s %14s %8s\n' target executions crashes
failed=0
for target in "${targets[@]}"; do
    log=$build/findings/$target.log
    findings=$build/findings/$target
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    crashes=$(find "$findings" -type f | wc -l)
    printf '%-22s %14s %8s\n' "$target" "${executions:-?}" "$crashes"
    if [[ $crashes -gt 0 || -z $executions ]]; then
        failed=1
        echo "  see $log and $findings/" >&2
    fi
done
exit $failed
