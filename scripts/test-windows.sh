#!/usr/bin/env bash
# Builds the Windows programs and runs their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
ctest --test-dir build-windows --output-on-failure -j2 --timeout 600
