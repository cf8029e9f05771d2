#!/usr/bin/env bash
# One whole Send (with its backup and read-back check) and one Read of the command-line
# companion against its built-in virtual unit, under valgrind's memcheck: any memory error or
# leak fails the run. Valgrind cannot watch a sanitized build: this takes the command-line
# program of a build without sanitizers (the test command gives the package's), or builds one
# of its own in build-memcheck.
#   scripts/test-valgrind.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
    cli=$(realpath "$1/cli/qolmex70-cli")
    if ! grep -q '^QOLMEX_SANITIZE:BOOL=OFF' "$1/CMakeCache.txt" ||
        grep -q '^QOLMEX_SANITIZE_THREAD:BOOL=ON' "$1/CMakeCache.txt"; then
        echo "test-valgrind: $1 is a sanitized build" >&2
        exit 2
    fi
else
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
    cmake -S . -B build-memcheck -DCMAKE_BUILD_TYPE=Debug -DQOLMEX_GUI=OFF -DQOLMEX_TESTS=OFF \
        -DQOLMEX_BENCH=OFF >/dev/null
    cmake --build build-memcheck -j2 --target qolmex70-cli
    cli=$PWD/build-memcheck/cli/qolmex70-cli
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
memcheck() {
    valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect --track-origins=yes "$cli" \
        --virtual="$work/unit.bin" --quiet "$@"
}

echo "== memcheck: send"
memcheck send fuzz/corpus/open/demo.kvx --backup-dir "$work/backup"
echo "== memcheck: read"
memcheck read -o "$work/read.kvx"
cmp fuzz/corpus/open/demo.kvx "$work/read.kvx"
echo "memcheck: no errors in a whole Send and Read"
