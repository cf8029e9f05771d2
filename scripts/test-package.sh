#!/usr/bin/env bash
# Checks what the programmer installs and the Debian package built from it:
#   scripts/test-package.sh [BUILD-FOLDER]   (default build-test, already built)
# The install into a temporary DESTDIR, its menu entries and AppStream data, then the package
# from scripts/package.sh: its files, its dependencies, lintian, and that its programs start.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
id=sk.korvalex.qolmex70
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

programs=(qolmex70 qolmex70-demo)
[ -n "$(find "$build" -name qolmex70-cli -type f -perm -u+x -print -quit)" ] && programs+=(qolmex70-cli)

# What a user's desktop needs; with --prefix given only now, so nothing may be fixed earlier.
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
expected=(
    usr/share/applications/$id.desktop usr/share/applications/$id-demo.desktop
    usr/share/metainfo/$id.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/icons/hicolor/48x48/apps/$id.png usr/share/icons/hicolor/256x256/apps/$id.png
    usr/lib/udev/rules.d/60-qolmex70.rules
    usr/share/doc/qolmex70/copyright usr/share/doc/qolmex70/changelog.gz
)
for program in "${programs[@]}"; do
    expected+=(usr/bin/$program usr/share/man/man1/$program.1.gz)
done
for path in "${expected[@]}"; do
    [ -f "$root/$path" ] || fail "not installed: /$path"
done
for size in 48 256; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q ", $size x $size," ||
        fail "the ${size}x$size icon has another size"
done

# Each menu entry starts an installed program and shows an installed icon.
for entry in "$root"/usr/share/applications/*.desktop; do
    desktop-file-validate "$entry" || fail "desktop-file-validate $(basename "$entry")"
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -x "$root/usr/bin/$exec" ] || fail "$(basename "$entry") starts $exec, which is not installed"
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
        fail "$(basename "$entry") shows icon $icon, which is not installed"
done

metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate $id.metainfo.xml"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
grep -m1 '<release ' "$metainfo" | grep -q "version=\"$version\"" ||
    fail "the newest release in the AppStream data is not $version"

# udev reads the seat rules at 71: the uaccess tag has to be set before them.
for rule in "$root"/usr/lib/udev/rules.d/*.rules; do
    number=$(basename "$rule" | sed 's/^\([0-9]*\).*/\1/')
    [ -n "$number" ] && [ "$number" -lt 71 ] || fail "$(basename "$rule") runs after the seat rules"
done

# The package holds the same tree, depends on what the programs need, and lintian is content.
deb=$(scripts/package.sh | tail -n 1)
(cd "$root" && find . -type f | sort) >"$work/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/packaged"
diff -u "$work/installed" "$work/packaged" || fail "the package's files differ from the install"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-translations-l10n libqt6widgets6 libserialport0; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
[[ $depends != *libasan* && $depends != *libubsan* ]] || fail "the package holds a sanitizer build"
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian $(basename "$deb")"
apt-get -s install "$deb" >"$work/apt" 2>&1 || { cat "$work/apt" >&2; fail "apt would not install the package"; }

# The packaged programs start and stay up (they end only when their window is closed).
# Both at once, each for 3 s.
dpkg-deb -x "$deb" "$work/deb"
declare -a started=()
for program in qolmex70 qolmex70-demo; do
    QT_QPA_PLATFORM=offscreen timeout 3 "$work/deb/usr/bin/$program" >/dev/null 2>&1 &
    started[$!]=$program
done
for pid in "${!started[@]}"; do
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 124 ] || fail "the packaged ${started[$pid]} ended at once (status $status)"
done

[ "$failures" -eq 0 ] && echo "package tests: all passed" || { echo "package tests: $failures failed" >&2; exit 1; }
