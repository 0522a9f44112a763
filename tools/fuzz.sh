#!/usr/bin/env bash
# Builds the contact book fuzzer with clang and libFuzzer in its own folder and runs it for a
# bounded time (seconds, default 60) over the seed corpus.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-60}"
build="${QUILLON_FUZZ_BUILD_DIR:-$src/build-fuzz}"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLON_FUZZ=ON -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillon_contactbook_fuzzer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/tests/fuzz/corpus/* "$work"/
"$build/tests/fuzz/quillon_contactbook_fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 "$work"
