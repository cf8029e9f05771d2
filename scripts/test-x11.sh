#!/usr/bin/env bash
# The paste of the X selection (middle click) exists only on a real X display, not on the
# offscreen platform the other GUI tests use: those tests once more on a virtual X server.
#   scripts/test-x11.sh [BUILD-FOLDER]   (default build-test, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
# The X platform's D-Bus connection keeps a buffer to the end; that is the system's, not ours.
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb
for tests in "$build/tests/widgets/widgets_tests" "$build/tests/app/app_tests"; do
    xvfb-run -a "$tests" --gtest_filter='*MiddleButton*' --gtest_brief=1
done
