#!/usr/bin/env bash
# Builds the Debian package of the programmer in build-package/ (a Release build without
# sanitizers, hardened with Debian's own build flags) and prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
          -DQOLMEX_SANITIZE=OFF -DQOLMEX_TESTS=OFF -DQOLMEX_BENCH=OFF >/dev/null
cmake --build "$build" -j2
rm -f "$build"/qolmex70_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/qolmex70_*.deb
