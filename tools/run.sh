#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests, no benchmarks, in a build
# folder of its own) and starts it in the current folder.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="$src/build-run"
"$src/tools/deps.sh"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_TESTS=OFF \
    -DQUILLON_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillon
exec "$build/app/quillon" "$@"
