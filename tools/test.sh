#!/usr/bin/env bash
# Installs what is missing, builds Quillon with warnings as errors and runs the whole test
# suite; then runs it again under AddressSanitizer and UndefinedBehaviorSanitizer.
# After the suites: the static checks, valgrind memcheck of the unit tests, a bounded fuzz run
# and the .deb installed on a clean Debian 12 made by debootstrap.
# QUILLON_QUICK=1 skips the sanitizer pass and the hardening stages (for a fast local loop).
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build="${QUILLON_BUILD_DIR:-$src/build-test}"
"$src/tools/deps.sh" test

# A private runtime folder and session bus, so nothing of the run outlives it.
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

stage() { # name, command...
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "== $name took $((SECONDS - start)) s"
}

run_suite() { # build folder, extra cmake arguments...
    local dir=$1
    shift
    cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON "$@" >/dev/null
    cmake --build "$dir"
    dbus-run-session -- ctest --test-dir "$dir" --output-on-failure -j2
}

if [ "${QUILLON_QUICK:-0}" != 1 ]; then
    echo "== the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$src/tools/lsan.supp"
    stage "sanitizer suite" run_suite "$build-asan" -DQUILLON_SANITIZE=ON -DQUILLON_BUILD_BENCH=OFF
    unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
fi

echo "== the suite"
stage "suite" run_suite "$build"

if [ "${QUILLON_QUICK:-0}" != 1 ]; then
    echo "== static checks"
    stage "lint" "$src/tools/lint.sh" "$build"
    echo "== valgrind memcheck of the unit tests"
    stage "memcheck" "$src/tools/memcheck.sh" "$build"
    echo "== fuzzing the book and vCard readers (60 s each)"
    stage "fuzz" "$src/tools/fuzz.sh" 60
    echo "== the .deb on a clean Debian 12"
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    stage "clean install" "${sudo[@]}" "$src/tools/deb_check.sh" "$build"
fi
