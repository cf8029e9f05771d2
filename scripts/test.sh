#!/usr/bin/env bash
# Installs what is needed, builds everything under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQOLMEX_SANITIZE=ON
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2 --timeout 300
scripts/test-as-nobody.sh build-test
scripts/test-threads.sh
scripts/test-x11.sh build-test
scripts/test-package.sh build-test
scripts/test-windows.sh build-test
scripts/test-fuzz.sh
scripts/test-valgrind.sh
