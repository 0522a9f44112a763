#!/usr/bin/env bash
# Installs what is missing, builds Quillon with warnings as errors and runs the whole test suite.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${QUILLON_BUILD_DIR:-$src/build-test}"
"$src/tools/deps.sh" test

cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON >/dev/null
cmake --build "$build"

# A private runtime folder and session bus, so nothing of the run outlives it.
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
dbus-run-session -- ctest --test-dir "$build" --output-on-failure -j2 "$@"
