#!/usr/bin/env bash
# Builds the Windows programs and tests them under Wine on a virtual X server: the CTest
# tests (the real window's Send, Read, Storno, Save and Open among them), the snapshot tool
# against the Linux build's window geometry, and the installer's silent install and uninstall.
#   scripts/test-windows.sh [LINUX-BUILD-FOLDER]   (default build-test, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build-test}
if [ -z "${QOLMEX_XVFB:-}" ]; then
    scripts/build-windows.sh
    exec env QOLMEX_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$PWD/scripts/test-windows.sh" "$@"
fi
build=build-windows
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
windows_path() { echo "Z:${1//\//\\}"; }

# The CTest tests one after another, on one Wine server kept up between their programs. Run
# two at a time, a window test now and then died in the middle of a keyboard test, and a
# program that connected while the server was shutting down after the previous one was
# dropped ("wine client error:0: recvmsg: Connection reset by peer"). Wine's own services
# start here, on no terminal: started by a test, they would hold its output open and CTest
# would wait for it for ever. The server is stopped afterwards, since the steps below wait
# for it to exit.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
# Meanwhile the other core packs the installer (half a minute of LZMA).
scripts/package-windows.sh --built >"$build/installer-path" 2>"$build/installer.log" &
packing=$!
ctest --test-dir "$build" --output-on-failure --timeout 600 || fail "CTest under Wine"
wineserver -k || true
wineserver -w

# Each program is one .exe that needs only Windows' own DLLs (none of Qt's or MinGW's); the
# window programs carry their icon and version information (resource types 0xe and 0x10).
for exe in app/qolmex70.exe app/qolmex70-demo.exe cli/qolmex70-cli.exe; do
    dump=$(x86_64-w64-mingw32-objdump -p "$build/$exe")
    foreign=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | grep -i -E '^(qt|lib)' || true)
    [ -z "$foreign" ] || fail "$exe needs $(echo $foreign)"
    if [[ $exe == app/* ]]; then
        for type in e 10; do
            grep -q -E "^[0-9a-f]+   Entry: ID: 0x0*$type," <<<"$dump" ||
                fail "$exe has no resource of type 0x$type"
        done
    fi
done

# The window and both dialogs as Windows draws them, kept as test output; each picture has the
# size the Linux build gives.
shots=$PWD/$build/snapshots
rm -rf "$shots" "$shots-linux"
wine "$build/app/qolmex70-snapshot.exe" -platform windows "$(windows_path "$shots")" >/dev/null ||
    fail "the snapshot tool under Wine"
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$linux/app/qolmex70-snapshot" "$shots-linux" >/dev/null ||
    fail "the Linux build's snapshot tool ($linux)"
for linux_shot in "$shots-linux"/*.png; do
    shot=$shots/$(basename "$linux_shot")
    size() { file "$1" | grep -o '[0-9]* x [0-9]*'; }
    [ -f "$shot" ] || { fail "no $(basename "$shot") from Wine"; continue; }
    [ "$(size "$shot")" = "$(size "$linux_shot")" ] ||
        fail "$(basename "$shot") is $(size "$shot") on Windows, $(size "$linux_shot") on Linux"
done

# The installer, silently, into the build's Wine prefix; then the uninstaller.
wait "$packing" || { cat "$build/installer.log" >&2; fail "packing the installer"; exit 1; }
setup=$(tail -n 1 "$build/installer-path")
folder="$WINEPREFIX/drive_c/Program Files/QOLMEX 70"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QOLMEX70'
shortcuts=("Programátor QOLMEX 70.lnk" "Programátor QOLMEX 70 (ukážka).lnk")
rm -rf "$folder" # what an earlier, failed run may have left
wine reg delete "$key" /f >/dev/null 2>&1 || true
wine "$setup" /S && wineserver -w || fail "the silent install"
for file in qolmex70.exe qolmex70-demo.exe qolmex70-cli.exe uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: Program Files/QOLMEX 70/$file"
done
for shortcut in "${shortcuts[@]}"; do
    [ -f "$menu/$shortcut" ] || fail "no Start-menu shortcut $shortcut"
done
wine reg export "$key" "$build/uninstall-entry.reg" /y >/dev/null 2>"$build/uninstall-entry.err" ||
    fail "no entry in the list of installed programs: $(cat "$build/uninstall-entry.err")"
iconv -f UTF-16 -t UTF-8 "$build/uninstall-entry.reg" 2>/dev/null | grep -q '^"DisplayName"="Programátor QOLMEX 70"' ||
    fail "the list of installed programs does not name the program"

# The installed programs start: their main windows come up on the virtual screen.
for program in qolmex70 qolmex70-demo; do
    wine "C:\\Program Files\\QOLMEX 70\\$program.exe" >/dev/null 2>&1 &
    started=
    for _ in $(seq 600); do # a minute at most
        if xwininfo -root -tree | grep -q 'QOLMEX 70'; then started=1; break; fi
        sleep 0.1
    done
    [ -n "$started" ] || fail "the installed $program.exe showed no window"
    wineserver -k
    wait || true
done

wine "C:\\Program Files\\QOLMEX 70\\uninstall.exe" /S && wineserver -w || fail "the silent uninstall"
[ ! -e "$folder" ] || fail "the uninstall left $(ls "$folder")"
for shortcut in "${shortcuts[@]}"; do
    [ ! -e "$menu/$shortcut" ] || fail "the uninstall left the shortcut $shortcut"
done
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall left the entry in the list of installed programs"

[ "$failures" -eq 0 ] || { echo "$failures Windows check(s) failed" >&2; exit 1; }
echo "Windows: tests, snapshots and installer passed under Wine"
