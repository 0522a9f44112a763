#!/usr/bin/env bash
# The vCard commands on a book of COUNT contacts (10 000 by default), in one run: time and peak
# memory of --export-vcard, a one-file --import-vcard, a first --export-vdir, a second one of the
# unchanged book (which writes nothing) and --import-vcard DIR. Figures are printed, not judged.
# Usage: bench/vcard_bench.sh BUILD_DIR [COUNT]
set -euo pipefail
quillon="$(cd "$1" && pwd)/app/quillon"
count=${2:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for ((i = 0; i < count; i++)); do
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Last%d;First%d;;;\r\nTEL;TYPE=cell:+1 555 %07d\r\n' "$i" "$i" "$i"
    printf 'EMAIL:p%d@example.org\r\nNOTE:a note of some length for contact %d\r\n' "$i" "$i"
    printf 'BDAY:%04d-%02d-%02d\r\nEND:VCARD\r\n' $((1940 + i % 70)) $((1 + i % 12)) $((1 + i % 28))
done >seed.vcf
"$quillon" --import-vcard seed.vcf book.info >/dev/null

run() {
    local name=$1
    shift
    /usr/bin/time -f "%e %M" -o time.txt "$@" >out.txt 2>err.txt || { cat err.txt >&2; exit 1; }
    read -r seconds kib <time.txt
    printf '%-34s %8.2f s %8d KiB  %s\n' "$name" "$seconds" "$kib" "$(head -c 70 out.txt | tr '\n' ' ')"
}
echo "$count contacts"
run "--export-vcard" "$quillon" --export-vcard book.info
"$quillon" --export-vcard book.info >all.vcf
run "--import-vcard FILE (new book)" "$quillon" --import-vcard all.vcf fromfile.info
run "--export-vdir (first)" "$quillon" --export-vdir vdir book.info
run "--export-vdir (unchanged book)" "$quillon" --export-vdir vdir book.info
run "--import-vcard DIR (new book)" "$quillon" --import-vcard vdir fromdir.info
run "--import-vcard DIR (same book)" "$quillon" --import-vcard vdir book.info
run "--export-ics" "$quillon" --export-ics book.info
