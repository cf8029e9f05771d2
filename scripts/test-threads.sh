#!/usr/bin/env bash
# Production mode is the one place where several transfers run at once: its tests, and the
# tests of the core it stands on, once more under ThreadSanitizer. ThreadSanitizer cannot
# share a build with AddressSanitizer, so this is a build of its own, without Qt and of
# these test programs only, with clang as the sanitized test build (see scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 \
    -DQOLMEX_GUI=OFF -DQOLMEX_BENCH=OFF -DQOLMEX_SANITIZE_THREAD=ON >/dev/null
cmake --build build-tsan -j2 --target batch_tests usb_tests sim_tests sequence_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
for tests in cli/batch_tests usb/usb_tests sim/sim_tests transfer/sequence_tests; do
    build-tsan/tests/$tests --gtest_brief=1
done
echo "test-threads: no data race in production mode or the core under it"
