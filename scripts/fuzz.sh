#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan, no Qt) in build-fuzz and runs each for
# a while on a copy of its seed corpus in fuzz/corpus/. A crash, a leak or an input that takes
# over a second stops that target and leaves the input in build-fuzz/findings/.
#
#     scripts/fuzz.sh [seconds per target, default 600] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(open save frames read send)

export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DQOLMEX_GUI=OFF -DQOLMEX_FUZZ=ON -DQOLMEX_TESTS=OFF -DQOLMEX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

# As many targets at a time as there are cores, each on a core of its own for its seconds.
mkdir -p build-fuzz/findings
fuzz() { # TARGET: leaves its log and exit status in build-fuzz/findings/
    local status=0
    ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/fuzz_$1" -max_total_time="$seconds" \
        -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$1-" "build-fuzz/corpus/$1" "fuzz/corpus/$1" \
        >"build-fuzz/findings/$1.log" 2>&1 || status=$?
    echo "$status" >"build-fuzz/findings/$1.status"
}
cores=$(nproc)
for t in "${targets[@]}"; do
    while [ "$(jobs -r -p | wc -l)" -ge "$cores" ]; do wait -n || true; done
    echo "== fuzz_$t, ${seconds} s"
    mkdir -p "build-fuzz/corpus/$t"
    rm -f "build-fuzz/findings/$t.status"
    fuzz "$t" &
done
wait

faults=0
for t in "${targets[@]}"; do
    log="build-fuzz/findings/$t.log"
    if [ "$(cat "build-fuzz/findings/$t.status" 2>/dev/null)" != 0 ]; then
        { grep -v -E '^#[0-9]+ ' "$log" || true; } | tail -60
        echo "fuzz_$t found a fault; the input is in build-fuzz/findings/, the log in $log"
        faults=$((faults + 1))
        continue
    fi
    echo "fuzz_$t:"
    grep -E '^(Done|stat::(number_of_executed_units|new_units_added|slowest_unit_time_sec|peak_rss_mb))' "$log"
done
[ "$faults" -eq 0 ] || exit 1
