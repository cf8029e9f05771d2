#!/usr/bin/env bash
# Installs what is needed, builds the programmer and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOLMEX_TESTS=OFF >/dev/null
cmake --build build -j2
exec build/app/qolmex70 "$@"
