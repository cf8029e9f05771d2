#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once per machine: Debian's own source of the host's Qt,
# cross-built with Debian's MinGW-w64 into a static Qt with only Core, Gui, Widgets and
# Test, in a cache folder outside the checkout. The host's Qt provides the build tools
# (moc, uic, rcc), so both must be the same version. Does nothing when the cache is complete.
# Prints the folder of the installed Qt on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."
# Callers take the folder from standard output; everything else, the build's own output and
# its errors among it, goes to standard error, where a CI log keeps it.
exec 3>&1 1>&2
scripts/install-deps.sh windows

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev) # e.g. 6.4.2+dfsg-10
upstream=${host_version%%[+-]*}
cache="${XDG_CACHE_HOME:-$HOME/.cache}/qolmex70"
prefix="$cache/qt-$upstream-mingw64"
marker="$prefix/.complete"
mkdir -p "$cache"

# Two builds started at once (start and test commands) wait for one another.
exec 9>"$cache/.qt-windows.lock"
flock 9

if [ -f "$marker" ]; then
    echo "$prefix" >&3
    exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

has_qt_source() { apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base$'; }

# Where apt's Debian archives are configured, as "file:entry" (the entry is the stanza of a
# .sources file, the line of a .list file).
debian_entries() {
    apt-get indextargets --format '$(SOURCESENTRY)' \
        'Target-Of: deb' 'Identifier: Packages' 'Origin: Debian' | sort -u
}

# The source twin of one entry, keeping its options (apt wants the same Signed-By on both).
source_twin() {
    local file=${1%:*} entry=${1##*:}
    case "$file" in
    *.sources) awk -v n="$entry" 'BEGIN { RS = ""; ORS = "\n\n" }
        NR == n { sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file" ;;
    *) sed -n "${entry}s/^[[:space:]]*deb[[:space:]]/deb-src /p" "$file" ;;
    esac
}

if ! has_qt_source; then
    if [ -z "$(apt-get indextargets 'Target-Of: deb-src' 'Identifier: Sources')" ]; then
        entries=$(debian_entries)
        if [ -z "$entries" ]; then
            "${sudo_cmd[@]}" apt-get update -qq
            entries=$(debian_entries)
        fi
        if [ -z "$entries" ]; then
            echo "build-qt-windows.sh: apt knows no Debian archive to take Qt's source from" >&2
            exit 1
        fi
        sources=/etc/apt/sources.list.d/qolmex70-debian-src
        lists=() stanzas=()
        for e in $entries; do
            case "${e%:*}" in *.sources) stanzas+=("$(source_twin "$e")") ;; *) lists+=("$(source_twin "$e")") ;; esac
        done
        echo "Adding the source twins of apt's Debian archives ($sources.*)"
        [ ${#stanzas[@]} -eq 0 ] || printf '%s\n\n' "${stanzas[@]}" | "${sudo_cmd[@]}" tee "$sources.sources" >/dev/null
        [ ${#lists[@]} -eq 0 ] || printf '%s\n' "${lists[@]}" | "${sudo_cmd[@]}" tee "$sources.list" >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    if ! has_qt_source; then
        echo "build-qt-windows.sh: apt finds no source of qt6-base" >&2
        exit 1
    fi
fi

src_root="$cache/qt-source"
rm -rf "$src_root"
mkdir -p "$src_root"
(cd "$src_root" && apt-get source -qq qt6-base 2>&1 | grep -v '^W: Download is performed unsandboxed' || true)
src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
if [ -z "$src" ] || [ ! -f "$src/CMakeLists.txt" ]; then
    echo "build-qt-windows.sh: Qt's source did not unpack in $src_root" >&2
    exit 1
fi
source_version=$(sed -n 's/^set(QT_REPO_MODULE_VERSION "\(.*\)")$/\1/p' "$src/.cmake.conf")
if [ "$source_version" != "$upstream" ]; then
    echo "build-qt-windows.sh: Debian's Qt source is $source_version, the host's Qt $upstream;" \
        "they must be the same version" >&2
    exit 1
fi

rm -rf "$prefix" "$cache/qt-build"
cmake -S "$src" -B "$cache/qt-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF
cmake --build "$cache/qt-build" --parallel 2
cmake --install "$cache/qt-build" >/dev/null
touch "$marker"
rm -rf "$cache/qt-build" "$src_root"
echo "$prefix" >&3
