#!/usr/bin/env bash
# Cross-builds the toolkit-free core, the command-line program and their tests for 64-bit
# Windows with MinGW-w64, into build-windows/. The programs are linked statically and run
# alone; scripts/test-windows.sh runs the tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-windows "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DQOLMEX_GUI=OFF -DQOLMEX_BENCH=OFF -DQOLMEX_GTEST_SOURCE=ON >/dev/null
cmake --build build-windows -j2
# A Wine prefix of the build's own, made once (that takes a minute or two).
if [ ! -f build-windows/wine/system.reg ]; then
    WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wineboot --init >/dev/null 2>&1
fi
