#!/usr/bin/env bash
# Ctrl+C during a transfer acts as Storno: the program stops, says so and ends with 130.
# Under Wine a SIGINT to the program's process reaches it as a console CTRL_C_EVENT. Run
# directly, the program takes SIGHUP (its terminal closed) and SIGTERM the same way, so it
# still closes its port as it found it.
#   interrupt.sh WORK [EMULATOR...] PROGRAM     (an emulator that keeps the process, like wine)
set -u
work=$1
shift
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# Once first, so that a starting emulator (Wine's server) does not eat into the wait below.
"$@" --version >/dev/null 2>&1

status=0
signals=(INT)
[ "$#" -eq 1 ] && signals+=(HUP TERM) # no emulator between the signal and the program
for signal in "${signals[@]}"; do
    # A read from the virtual unit paced at 9600 baud lasts about five seconds.
    "$@" --virtual read -o interrupted.kvx >out.txt 2>&1 &
    pid=$!
    sleep 3 # well after the start of the program (and of Wine), well before the end
    kill "-$signal" "$pid"
    wait "$pid"
    code=$?

    if [ "$code" -ne 130 ]; then
        echo "SIG$signal: exit $code, wanted 130"
        status=1
    fi
    if ! grep -q "Prerušené (Ctrl+C)." out.txt; then
        echo "SIG$signal: the interruption was not told"
        status=1
    fi
    if [ -e interrupted.kvx ]; then
        echo "SIG$signal: an interrupted read wrote its file"
        status=1
    fi
    [ "$status" -eq 0 ] || cat out.txt
done
exit "$status"
