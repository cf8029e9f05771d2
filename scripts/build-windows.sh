#!/usr/bin/env bash
# Cross-builds everything for 64-bit Windows with MinGW-w64 into build-windows/: the window
# program, its demo, the snapshot tool, the command-line program and the tests, against the
# static Qt for Windows that scripts/build-qt-windows.sh builds once per machine. Each .exe is
# linked statically and needs only Windows' own DLLs; scripts/test-windows.sh runs the tests
# under Wine. The benchmarks only on request, as the test run does not use them:
#   scripts/build-windows.sh [TARGET...]   (every target by default)
#   QOLMEX_BENCH=ON scripts/build-windows.sh qolmex70-bench
set -euo pipefail
cd "$(dirname "$0")/.."
qt=$(scripts/build-qt-windows.sh | tail -n 1)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-windows "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DQOLMEX_QT_WINDOWS="$qt" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQOLMEX_BENCH="${QOLMEX_BENCH:-OFF}" -DQOLMEX_GTEST_SOURCE=ON >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build-windows -j2 "${targets[@]}"
# A Wine prefix of the build's own, made once (that takes a minute or two). The tests' X
# server has no window manager, for which Wine would wait up to 2 s at every window shown or
# hidden: Wine draws the frames itself instead.
if [ ! -f build-windows/wine/system.reg ]; then
    export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi
