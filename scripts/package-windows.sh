#!/usr/bin/env bash
# Builds the Windows installer in one command: Qt for Windows once per machine, the window
# program, its demo and the command-line program cross-built into build-windows/, then the
# NSIS installer from installer/qolmex70.nsi. Prints the installer's path.
#   scripts/package-windows.sh [--built]   (--built: the programs in build-windows/ as they are)
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = --built ] || scripts/build-windows.sh qolmex70 qolmex70-demo qolmex70-cli >&2
build=build-windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
programs=$build/installer-programs
rm -rf "$programs"
mkdir -p "$programs"
cp "$build/app/qolmex70.exe" "$build/app/qolmex70-demo.exe" "$build/cli/qolmex70-cli.exe" "$programs/"
# Programs carry no symbols the user needs.
x86_64-w64-mingw32-strip "$programs"/*.exe
setup=$PWD/$build/qolmex70-setup-$version.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPROGRAMS="$PWD/$programs" \
    -DICON="$PWD/packaging/icons/sk.korvalex.qolmex70.ico" \
    -DSIZE_KB="$(du -sk "$programs" | cut -f1)" -DOUTPUT="$setup" installer/qolmex70.nsi >&2
echo "$setup"
