#!/usr/bin/env bash
# The program's start-up as a user meets it on a real display: without a display it says so
# and ends with status 1; a FILE that cannot be opened ends the start-up with a message naming
# it, before any window shows, and leaves date.info as it was; a FILE that opens is the book
# that date.info gets at exit; a SIGTERM from the first moment of its window, or under a
# start-up message box, still ends it through the close path; and the frame has no popup of
# its own on the menu bar or the toolbar, while the clock face keeps its menu.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
quillon="$build/app/quillon"
export TZ=UTC QT_QPA_PLATFORM=xcb
# The exit status of a program that should end by itself within 10 s; 124 when it did not.
wait_exit() {
    local status=0
    if ! wait_for_exit "$1" 10 2>/dev/null; then kill "$1"; wait "$1" 2>/dev/null || true; echo 124; return; fi
    wait "$1" || status=$?
    echo "$status"
}

book_ann() { printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x40\x99\xdc\x40\x00\x03Ann\x03Lee\x03123\x00' >"$1"; }
book_bob() { printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x40\x99\xdc\x40\x00\x03Bob\x03Roe\x03456\x00' >"$1"; }

# No display at all.
folder="$XS_TMP/nodisplay"
mkdir -p "$folder"
status=0
(cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quillon") >"$XS_TMP/out" 2>&1 || status=$?
check "without a display the status is 1" '[ "$status" = 1 ]'
check "without a display it says so" 'grep -q "no display could be opened" "$XS_TMP/out"'
check "without a display there is no abort" '! grep -q -i "reinstalling" "$XS_TMP/out"'
check "without a display no book is made" '[ ! -e "$folder/date.info" ]'

start_xsession

# A FILE that cannot be opened: the message, no main window, status 1, date.info untouched.
named_failure() { # label, argument, expected reason[, command to run the program as another user]
    local label=$1 arg=$2 reason=$3 pid box status x y w h
    local as=(${4:-})
    folder="$XS_TMP/$label"
    mkdir -p "$folder"
    chmod 777 "$folder"
    book_ann "$folder/date.info"
    chmod 666 "$folder/date.info"
    cp "$folder/date.info" "$XS_TMP/before"
    [ "$label" = directory ] && mkdir -p "$folder/$arg"
    [ "$label" = unreadable ] && { book_ann "$folder/$arg"; chmod 000 "$folder/$arg"; }
    (cd "$folder" && exec "${as[@]}" "$quillon" "$arg") >"$XS_TMP/$label.log" 2>&1 &
    pid=$!
    XS_PIDS+=("$pid")
    if box=$(wait_for_window "Quillon"); then
        wait_for_settled "$box" || true
        read -r x y w h < <(outer_geometry "$box")
        import -window root -crop "${w}x${h}+${x}+${y}" "$build/startup-$label.png" 2>/dev/null || true
        check "$label: no main window behind the message" '! xdotool search --name "^Quillon - " >/dev/null 2>&1'
        # OK, pressed again while the program is still there (the box may be slow to take keys).
        for _ in 1 2 3 4 5; do
            timeout 3 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
            xdotool key Return
            wait_for_exit "$pid" 2 2>/dev/null && break
        done
    else
        echo "FAIL: $label: no message box"
        fail=1
    fi
    status=$(wait_exit "$pid")
    check "$label: the start-up ends with status 1 ($status)" '[ "$status" = 1 ]'
    check "$label: the message names the file and why" \
        'grep -q "\"$arg\" could not be opened: $reason" "$XS_TMP/$label.log" || grep -q "\"$arg\" is not a file" "$XS_TMP/$label.log"'
    check "$label: date.info is left as it was" 'cmp -s "$folder/date.info" "$XS_TMP/before"'
}
named_failure missing nothere.info "No such file or directory"
check "missing: the named file is not made" '[ ! -e "$XS_TMP/missing/nothere.info" ]'
named_failure directory adir ""
# Root reads any file, so the unreadable one is tried as an ordinary user.
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$XS_TMP"
    named_failure unreadable secret.info "Permission denied" "setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent"
else
    named_failure unreadable secret.info "Permission denied"
fi

# Asked to terminate from the first moment its window exists or is mapped, 20 times over: it
# leaves through the close path each time, with status 0 and the book written.
folder="$XS_TMP/sigterm"
mkdir -p "$folder"
xs_window_exists() { xwininfo -root -tree 2>/dev/null | grep -q '"Quillon - Untitled"'; }
xs_window_mapped() { xwininfo -name "Quillon - Untitled" 2>/dev/null | grep -q IsViewable; }
empty_book() { [ "$(od -An -tx1 "$1" 2>/dev/null | tr -d ' \n')" = 00000000 ]; }
clean=0
for i in $(seq 20); do
    rm -f "$folder/date.info"
    (cd "$folder" && exec "$quillon") >"$XS_TMP/sigterm.log" 2>&1 &
    pid=$!
    XS_PIDS+=("$pid")
    moment=xs_window_exists
    ((i % 2)) || moment=xs_window_mapped
    XS_POLL=0 wait_until 15 "the clock's window" eval "$moment || ! kill -0 $pid 2>/dev/null" || true
    kill -TERM "$pid" 2>/dev/null || true
    wait_for_exit "$pid" 10 || kill -KILL "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    if [ "$status" = 0 ] && empty_book "$folder/date.info"; then
        clean=$((clean + 1))
    else
        echo "run $i ($moment): status $status, book: $(od -An -tx1 "$folder/date.info" 2>&1 | head -c 80)"; cat "$XS_TMP/sigterm.log"
    fi
done
check "SIGTERM as the window appears ends it with status 0 and a saved book ($clean of 20)" '[ $clean = 20 ]'

# Asked to terminate while a start-up message box waits (a damaged book was set aside): the box
# goes and the program leaves through the same path, the new book written.
folder="$XS_TMP/sigterm-box"
mkdir -p "$folder"
printf '\x05\x00\x00\x00' >"$folder/date.info"
(cd "$folder" && exec "$quillon") >"$XS_TMP/sigterm-box.log" 2>&1 &
pid=$!
XS_PIDS+=("$pid")
if box=$(wait_for_window "Quillon"); then
    kill -TERM "$pid"
    wait_for_exit "$pid" 10 || kill -KILL "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    check "SIGTERM under a start-up box ends it with status 0 ($status)" '[ "$status" = 0 ]'
    check "SIGTERM under a start-up box saves the book" 'empty_book "$folder/date.info"'
    check "the damaged book is still set aside" 'ls "$folder"/date.info.damaged-* >/dev/null 2>&1'
else
    echo "FAIL: no start-up box for a damaged book"
    fail=1
fi

# A FILE that opens is read, and its book is what date.info holds after the exit.
folder="$XS_TMP/opens"
mkdir -p "$folder"
book_ann "$folder/date.info"
book_bob "$folder/other.info"
(cd "$folder" && exec "$quillon" other.info) >"$XS_TMP/opens.log" 2>&1 &
pid=$!
XS_PIDS+=("$pid")
if main=$(wait_for_window "Quillon - other.info"); then
    echo "ok: a FILE that opens shows the clock"
    wait_for_settled "$main" || true

    # Right-clicks: the menu bar and the toolbar have no popup; the clock face has its menu.
    popups() {
        xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r w; do
            info=$(xwininfo -id "$w" 2>/dev/null) || continue
            if grep -q "Override Redirect State: yes" <<<"$info" && grep -q IsViewable <<<"$info"; then
                echo "$w"
            fi
        done | wc -l
    }
    right_click() { xdotool mousemove --window "$main" "$1" "$2"; sleep 0.2; xdotool click 3; sleep 0.6; }
    base=$(popups)
    right_click 95 10
    check "no popup on the menu bar" '[ "$(popups)" = "$base" ]'
    right_click 60 24
    check "no popup on the toolbar" '[ "$(popups)" = "$base" ]'
    right_click 50 90
    check "the clock face has its menu" '[ "$(popups)" -gt "$base" ]'
    import -window root -crop 300x300+590+0 "$build/startup-face-menu.png" 2>/dev/null || true
    xdotool mousemove 10 700 click 1 # away from the menu, which closes it
    menu_closed() { [ "$(popups)" = "$base" ]; }
    wait_until 5 "the menu to close" menu_closed || true
    # From the keyboard: Shift+F10 and the Menu key bring up the same menu on the face.
    menu_up() { [ "$(popups)" -gt "$base" ]; }
    for keys in shift+F10 Menu; do
        timeout 3 xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
        xdotool key "$keys"
        wait_until 5 "the face's menu" menu_up || true
        check "$keys opens the face's menu" menu_up
        xdotool key Escape
        wait_until 5 "the menu to close" menu_closed || true
    done

    # The window manager's close, as the title bar's close box sends it.
    for _ in 1 2 3 4 5; do
        timeout 3 xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
        xdotool key alt+F4
        wait_for_exit "$pid" 2 2>/dev/null && break
    done
    status=$(wait_exit "$pid")
    check "the close box ends it with status 0 ($status)" '[ "$status" = 0 ]'
    check "date.info holds the book of the named file" 'cmp -s "$folder/date.info" "$folder/other.info"'
else
    echo "FAIL: no main window for a FILE that opens"
    cat "$XS_TMP/opens.log"
    fail=1
fi
exit $fail
