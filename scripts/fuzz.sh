#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan, no Qt) in build-fuzz and runs each for
# a while on a copy of its seed corpus in fuzz/corpus/. A crash, a leak or an input that takes
# over a second stops the run and leaves the input in build-fuzz/findings/.
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

mkdir -p build-fuzz/findings
for t in "${targets[@]}"; do
    echo "== fuzz_$t, ${seconds} s"
    mkdir -p "build-fuzz/corpus/$t"
    log="build-fuzz/findings/$t.log"
    if ! ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" \
        -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
        >"$log" 2>&1; then
        grep -v -E '^#[0-9]+ ' "$log" | tail -60
        echo "fuzz_$t found a fault; the input is in build-fuzz/findings/, the log in $log"
        exit 1
    fi
    grep -E '^(Done|stat::(number_of_executed_units|new_units_added|slowest_unit_time_sec|peak_rss_mb))' "$log"
done
