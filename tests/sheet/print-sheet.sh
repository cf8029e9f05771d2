#!/usr/bin/env bash
# Prints the setup sheet with headless Chromium, as the customer's browser would, and reads
# the PDF back: the sheet of the demo configuration, made by the command line and by the
# window, fills at most two A4 pages, holds every number and none of the DTMF codes, and a
# text holding "<", "&" and a CR LF comes out as that text.
#   print-sheet.sh SAMPLES-PROGRAM CLI-PROGRAM WORK-FOLDER
# Exits 77 (skipped) where chromium or poppler-utils is not installed.
set -euo pipefail
samples=$1 cli=$2 work=$3
browser=$(command -v chromium || true)
if [ -z "$browser" ] || ! command -v pdftotext >/dev/null || ! command -v pdftoppm >/dev/null; then
    echo "chromium or poppler-utils is not installed: skipped"
    exit 77
fi
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
"$samples" "$work"
"$cli" sheet "$work/demo.kvx" -o "$work/cli.html"
"$cli" sheet "$work/odd.bin" -o "$work/odd.html"

# A profile of its own, and nothing that reaches for the network.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chrome() {
    "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" "$@" >>"$work/chromium.log" 2>&1
}
started=$SECONDS
for sheet in cli window odd; do
    chrome --no-pdf-header-footer --print-to-pdf="$work/$sheet.pdf" "file://$work/$sheet.html"
    pdftotext "$work/$sheet.pdf" "$work/$sheet.txt"
done
chrome --window-size=900,1300 --screenshot="$work/cli-screen.png" "file://$work/cli.html"
printed=$((SECONDS - started))
# The first printed page, as the README shows it.
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$work/cli.pdf" "$work/demo-page1"

status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
for sheet in cli window; do
    info=$(pdfinfo "$work/$sheet.pdf")
    pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
    [ "$pages" -ge 1 ] && [ "$pages" -le 2 ] || fail "$sheet: $pages pages"
    grep -q '^Page size:.*(A4)' <<<"$info" || fail "$sheet: not A4: $(grep '^Page size' <<<"$info")"
    while read -r number; do
        grep -qF -- "$number" "$work/$sheet.txt" || fail "$sheet: number $number missing"
    done <"$work/numbers.txt"
    while read -r code; do
        ! grep -qF -- "$code" "$work/$sheet.txt" || fail "$sheet: DTMF code $code printed"
    done <"$work/dtmf.txt"
done
# The text's two lines, each whole on a line of its own, and no entity left as text.
grep -qxF 'Dvere <A&B>' "$work/odd.txt" || fail "odd: 'Dvere <A&B>' not a line of its own"
grep -qxF 'žiadne' "$work/odd.txt" || fail "odd: 'žiadne' not a line of its own"
! grep -qE $'&(lt|gt|amp);|\r' "$work/odd.txt" || fail "odd: an entity or a CR printed"
for png in cli-screen demo-page1; do
    [ "$(head -c 8 "$work/$png.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
        fail "$png.png is no PNG"
done
echo "printed 3 PDFs and a screenshot in ${printed} s; the demo sheet has $pages page(s); first page: $work/demo-page1.png"
exit $status
