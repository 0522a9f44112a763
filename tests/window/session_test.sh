#!/usr/bin/env bash
# The program under a real X session manager: a save point of the session (a checkpoint, or a
# logout that is then called off) writes the book and keeps the clock running; only the end of
# the session ends it, with the book written and status 0.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
start_xsession
export TZ=UTC QT_QPA_PLATFORM=xcb

# The manager reads commands from a pipe and writes what happens to a log.
mkfifo "$XS_TMP/commands"
"$build/tests/window/xsmp_manager" <"$XS_TMP/commands" >"$XS_TMP/manager.log" 2>&1 &
XS_PIDS+=($!)
exec 3>"$XS_TMP/commands"
said() { grep -c -x "$1" "$XS_TMP/manager.log" || true; }
said_enough() { [ "$(said "$1")" -ge "$2" ]; }
wait_said() { # line, how many times
    wait_until 10 "the manager to say '$1' ${2}x" said_enough "$1" "$2" && return 0
    cat "$XS_TMP/manager.log"; return 1
}
wait_until 5 "the session manager" grep -q '^listening ' "$XS_TMP/manager.log" || true
address=$(sed -n 's/^listening //p' "$XS_TMP/manager.log")
[ -n "$address" ] || { echo "FAIL: the session manager did not start"; cat "$XS_TMP/manager.log"; exit 1; }

# The book to be written comes from a named file, so the first write of date.info shows.
folder="$XS_TMP/book"
mkdir -p "$folder"
printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x40\x99\xdc\x40\x00\x03Ann\x03Lee\x03123\x00' >"$folder/ann.info"
(cd "$folder" && SESSION_MANAGER="$address" exec "$build/app/quillon" ann.info) >"$XS_TMP/quillon.log" 2>&1 &
pid=$!
XS_PIDS+=("$pid")
main=$(wait_for_window "Quillon - ann.info") || { echo "FAIL: no main window"; cat "$XS_TMP/quillon.log"; exit 1; }
wait_said registered 1 || exit 1
check "no book is written before a save point" '[ ! -e "$folder/date.info" ]'

echo checkpoint >&3
wait_said "saved 1" 1 || fail=1
check "a checkpoint writes the book" 'cmp -s "$folder/date.info" "$folder/ann.info"'
sleep 1
check "a checkpoint keeps the program" 'kill -0 "$pid" 2>/dev/null'
check "a checkpoint keeps the window" 'xwininfo -id "$main" | grep -q IsViewable'

rm "$folder/date.info"
echo cancel >&3
wait_said cancelled 1 || fail=1
check "a logout that is called off writes the book" 'cmp -s "$folder/date.info" "$folder/ann.info"'
sleep 1
check "a logout that is called off keeps the program" 'kill -0 "$pid" 2>/dev/null'
check "and its window" 'xwininfo -id "$main" | grep -q IsViewable'

rm "$folder/date.info"
echo logout >&3
wait_said died 1 || fail=1
check "the end of the session ends the program" 'wait_for_exit "$pid"'
status=0
wait "$pid" || status=$?
check "with status 0 ($status)" '[ "$status" = 0 ]'
check "and the book written" 'cmp -s "$folder/date.info" "$folder/ann.info"'
exec 3>&-
exit $fail
