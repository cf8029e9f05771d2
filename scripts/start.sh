#!/usr/bin/env bash
# Installs what is needed, builds the programmer and starts its demo: the window whose
# only device is a virtual unit on a real-time 9600-baud line, so no hardware is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOLMEX_TESTS=OFF -DQOLMEX_BENCH=OFF >/dev/null
cmake --build build -j2
exec build/app/qolmex70-demo "$@"
