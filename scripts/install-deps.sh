#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the programmer.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    fonts-liberation2 fonts-dejavu-core
    libserialport-dev
    libgtest-dev libgmock-dev
    # fuzzing (scripts/fuzz.sh) and the memory check of the command-line companion
    clang-14 libfuzzer-14-dev libclang-rt-14-dev valgrind
    # the command line's tests parse its JSON back
    nlohmann-json3-dev
    # the Debian package: Qt's Slovak texts, building it, and checking what it installs
    qt6-translations-l10n file dpkg-dev desktop-file-utils appstream lintian
    # a virtual X server for the tests of the X selection paste and of the window on a dark
    # GNOME desktop, whose GTK theme reaches Qt through this platform theme
    xvfb xauth qt6-gtk-platformtheme
    # the setup sheet printed by a real browser, and its PDF read back
    chromium poppler-utils
)

# Groups named on the command line come on top.
for group in "$@"; do
    case "$group" in
    # The Windows build, Qt for Windows from Debian's source (dpkg-dev unpacks it), the
    # installer, and the tests under Wine on a virtual X server.
    windows) packages+=(cmake make ninja-build g++-mingw-w64-x86-64-posix googletest dpkg-dev
        qt6-base-dev qt6-translations-l10n wine wine64 nsis xvfb xauth x11-utils) ;;
    *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
