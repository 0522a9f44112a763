#!/usr/bin/env bash
# Builds the file-format fuzzers (the contact book reader's and the vCard reader's) with clang
# and libFuzzer in their own folder and runs each for a bounded time over its seed corpus. The
# bound (seconds, default 60) is each target's own, so the whole run takes about twice it.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="${QUILLON_FUZZ_BUILD_DIR:-$src/build-fuzz}"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLON_FUZZ=ON -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillon_contactbook_fuzzer quillon_vcard_fuzzer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fuzz <target> <seed folder>: a fresh copy of the seeds, so the run never writes into the tree;
# an input that crashes is kept in the build folder's fuzz-crashes.
fuzz() {
    echo "== $1 for ${seconds} s"
    mkdir -p "$work/$1" "$build/fuzz-crashes"
    cp "$src/tests/fuzz/$2"/* "$work/$1"/
    "$build/tests/fuzz/$1" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 \
        -artifact_prefix="$build/fuzz-crashes/" "$work/$1"
}
fuzz quillon_contactbook_fuzzer corpus
fuzz quillon_vcard_fuzzer vcard-corpus
