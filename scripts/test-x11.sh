#!/usr/bin/env bash
# Tests that need a real X display, each on a virtual X server:
# - the paste of the X selection (middle click), which the offscreen platform lacks;
# - the window on a dark GNOME desktop (its GTK theme reaching Qt), on a 1366 x 768 laptop and
#   at 150 % on a 1920 x 1080 screen: readable and wholly on the screen. A screenshot of each
#   is kept in BUILD-FOLDER/screenshots.
#   scripts/test-x11.sh [BUILD-FOLDER]   (default build-test, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
# The X platform's D-Bus connection keeps a buffer to the end; that is the system's, not ours.
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb
for tests in "$build/tests/widgets/widgets_tests" "$build/tests/app/app_tests"; do
    xvfb-run -a "$tests" --gtest_filter='*MiddleButton*' --gtest_brief=1
done

shots=$(realpath -m "$build/screenshots")
mkdir -p "$shots"
# desktop NAME SCREEN [VARIABLE=VALUE ...]
desktop() {
    local name=$1 screen=$2
    shift 2
    echo "desktop: $name ($screen)"
    env "$@" QOLMEX_SCREENSHOT="$shots/$name.png" \
        xvfb-run -a -s "-screen 0 ${screen}x24" "$build/tests/app/desktop_tests" --gtest_brief=1
}
desktop dark-1920x1080 1920x1080 \
    GTK_THEME=Adwaita:dark QT_QPA_PLATFORMTHEME=gtk3 QOLMEX_DESKTOP_DARK=1
desktop laptop-1366x768 1366x768
desktop scaled-150-1920x1080 1920x1080 QT_SCALE_FACTOR=1.5
