#!/usr/bin/env bash
# Installs what is needed, builds everything under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The sanitized build is clang's, which compiles the tests in two thirds of GCC's time; the
# package (scripts/package.sh) is GCC's and the Windows build MinGW's GCC, so the warnings of
# both compilers are kept at zero.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DQOLMEX_SANITIZE=ON -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2 --timeout 300
scripts/test-as-nobody.sh build-test
scripts/test-threads.sh
scripts/test-x11.sh build-test
scripts/test-package.sh build-test
scripts/test-windows.sh build-test
scripts/test-fuzz.sh
scripts/test-valgrind.sh build-package
