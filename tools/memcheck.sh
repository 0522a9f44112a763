#!/usr/bin/env bash
# Runs every GoogleTest unit-test executable (ctest label "unit") under valgrind memcheck:
# no invalid access, no use of uninitialised memory, no definite or indirect leak.
# Usage: tools/memcheck.sh [build folder]; the folder is configured and built when needed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-${QUILLON_BUILD_DIR:-$src/build-memcheck}}")
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build"

# The executables behind the unit tests; script tests (bash ...) are not memcheck's business.
mapfile -t programs < <(ctest --test-dir "$build" -L unit --show-only=json-v1 | python3 -c '
import json, os, sys
seen = []
for test in json.load(sys.stdin)["tests"]:
    command = test.get("command") or []
    if command and os.path.basename(command[0]) != "bash" and command[0] not in seen:
        seen.append(command[0])
print("\n".join(seen))
')
if [ ${#programs[@]} -eq 0 ]; then
    echo "memcheck: no unit-test executables in $build" >&2
    exit 1
fi

status=0
for program in "${programs[@]}"; do
    echo "== memcheck $(basename "$program")"
    start=$SECONDS
    if TZ=UTC valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite,indirect \
        --show-leak-kinds=definite,indirect --error-exitcode=1 --num-callers=30 \
        --suppressions="$src/tools/valgrind.supp" --quiet "$program" --gtest_brief=1; then
        echo "   clean ($((SECONDS - start)) s)"
    else
        echo "   FAILED: $program"
        status=1
    fi
done
exit $status
