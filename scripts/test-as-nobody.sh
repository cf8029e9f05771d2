#!/usr/bin/env bash
# Runs the tests that an ordinary user must see (a port this user may not open, a read-only
# file the command line must not write over), which skip under root, once more as nobody.
# Does nothing when not run as root: ctest has run them for real already.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
tests="$build/tests/usb/usb_tests"
[ "$(id -u)" = 0 ] || exit 0
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if ! "${as_nobody[@]}" test -x "$tests"; then
    echo "test-as-nobody: $tests is out of nobody's reach; not run" >&2
    exit 0
fi
"${as_nobody[@]}" "$tests" --gtest_filter='SerialPortOnPty.*' --gtest_brief=1
"${as_nobody[@]}" "$build/tests/cli/cli_tests" --gtest_filter='CliTest.AReadOnlyOutputIsRefused' \
    --gtest_brief=1
