#!/usr/bin/env bash
# Static checks of the project's own C++ files: clang-format, clang-tidy (.clang-tidy) and
# cppcheck. Usage: tools/lint.sh [build folder]; the folder gives clang-tidy its
# compile_commands.json and is configured (code generators only) when it has none.
# Prints one section per tool and exits non-zero when any of them found something.
set -uo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-${QUILLON_BUILD_DIR:-$src/build-lint}}")
jobs=${QUILLON_LINT_JOBS:-2}
cd "$src"
failed=()

mapfile -t files < <(git ls-files '*.cpp' '*.h')
mapfile -t sources < <(git ls-files '*.cpp')

echo "== clang-format (${#files[@]} files)"
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "clang-format: run clang-format -i on the files above"
    failed+=(clang-format)
fi

# clang-tidy takes about ten minutes on two cores; QUILLON_TIDY=0 leaves it out of a quick loop.
if [ "${QUILLON_TIDY:-1}" = 1 ]; then
echo "== clang-tidy (${#sources[@]} files, $jobs jobs)"
if [ ! -f "$build/compile_commands.json" ]; then
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
# moc and rcc output must exist for the sources that include it.
mapfile -t generated < <(ninja -C "$build" -t targets all | grep -o '^[A-Za-z0-9_]*_autogen' | sort -u)
if [ ${#generated[@]} -gt 0 ]; then
    ninja -C "$build" "${generated[@]}" >/dev/null || exit 1
fi
# Only sources the build compiles (the compile database knows their flags), never generated ones.
mapfile -t tidy < <(python3 - "$build/compile_commands.json" "${sources[@]}" <<'EOF'
import json, os, sys
known = {os.path.realpath(e["file"]) for e in json.load(open(sys.argv[1]))}
for f in sys.argv[2:]:
    if os.path.realpath(f) in known:
        print(f)
EOF
)
tidy_log=$(mktemp)
trap 'rm -f "$tidy_log"' EXIT
# g++-only warning flags in the database are not clang-tidy's business.
if ! printf '%s\n' "${tidy[@]}" | xargs -P "$jobs" -n 4 clang-tidy-14 -p "$build" --quiet \
    --extra-arg=-Wno-unknown-warning-option >"$tidy_log" 2>&1; then
    grep -E 'warning:|error:' -A3 "$tidy_log" | grep -v '^--$'
    echo "clang-tidy: $(grep -cE '(warning|error):.*\[' "$tidy_log") findings in ${#tidy[@]} files"
    failed+=(clang-tidy)
fi

else
    echo "== clang-tidy skipped (QUILLON_TIDY=0)"
fi

echo "== cppcheck (${#sources[@]} files)"
# qt: Q_OBJECT, signals and slots, Qt containers; googletest: TEST()/TEST_F() in the tests.
if ! cppcheck --enable=warning,performance,portability --inline-suppr --error-exitcode=1 --quiet \
    --std=c++20 --language=c++ --library=qt --library=posix --library=googletest \
    -DQT_NO_KEYWORDS -I "$src" -j "$jobs" "${sources[@]}"; then
    failed+=(cppcheck)
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "== lint FAILED: ${failed[*]}"
    exit 1
fi
echo "== lint passed"
