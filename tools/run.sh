#!/usr/bin/env bash
# Installs what is missing, builds Quillon and starts it in the current folder.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
"$src/tools/deps.sh"
cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$src/build"
exec "$src/build/app/quillon" "$@"
