#!/usr/bin/env bash
# End to end, as a user would: the installed program in a fresh folder under Xvfb and openbox.
# A contact is added through the Notebook, the program is closed with Exit, the book is
# checked byte by byte, and a restart shows the birthday reminder. Screenshots of the main
# window and of every dialog land in the build folder (e2e-*.png) for review.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"

prefix="$XS_TMP/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
start_xsession
book="$XS_TMP/fresh folder"
mkdir -p "$book"
export TZ=UTC QT_QPA_PLATFORM=xcb

start_quillon() {
    (cd "$book" && exec "$prefix/bin/quillon") >>"$XS_TMP/quillon.log" 2>&1 &
    QUILLON_PID=$!
    XS_PIDS+=("$QUILLON_PID")
    MAIN=$(wait_for_window "Quillon - Untitled") || { echo "FAIL: no main window"; cat "$XS_TMP/quillon.log"; exit 1; }
}

shoot() { # window id, file name
    local x y w h
    read -r x y w h < <(outer_geometry "$1")
    import -window root -crop "${w}x${h}+${x}+${y}" "$build/$2" 2>/dev/null || true
}

# Opens a dialog with keys or a context-menu pick, waits for its title, shoots and closes it.
open_dialog() { # title, file, how...
    local title=$1 file=$2
    shift 2
    "$@"
    local wid
    wid=$(wait_for_window "$title") || { echo "FAIL: no '$title' window"; fail=1; return 1; }
    wait_for_settled "$wid" || true # a shot of a half-drawn window is still worth a look
    shoot "$wid" "$file"
    echo "$wid"
}

# Keys as the user types them (XTEST, at a typing pace), to the window brought to the front first.
keys_to() {
    local wid=$1
    shift
    # --sync waits for good when another window (a modal box) keeps the focus.
    timeout 3 xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus "$wid" >/dev/null 2>&1 || true
    for k in "$@"; do xdotool key "$k"; sleep 0.15; done
}
type_to() {
    timeout 3 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool type --delay 30 "$2"
}

# Opens a menu with the keys given and waits for it to show (a busy machine or a sanitizer build
# is slow to show it).
open_menu() {
    local shown
    shown=$(xs_window_count "$QUILLON_PID")
    xdotool "$@"
    wait_until 10 "the menu" xs_more_windows "$QUILLON_PID" "$shown"
}

# Clock > Exit; tried again while the program is still there, after Escape from whatever took
# the keys instead.
exit_quillon() {
    for _ in 1 2 3; do
        timeout 3 xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
        open_menu key alt+c && xdotool key x && wait_for_exit "$QUILLON_PID" 5 && return 0
        keys_to "$MAIN" Escape Escape
    done
    return 1
}

# Succeeds when the ended program's status is 0; shows its output otherwise (a sanitizer's
# report lands there).
wait_status() {
    local status=0
    kill -0 "$1" 2>/dev/null && kill "$1"
    wait "$1" || status=$?
    [ "$status" = 0 ] && return 0
    echo "quillon ended with status $status and said:"
    cat "$XS_TMP/quillon.log"
    return 1
}

context_pick() { # how many Down presses in the clock face's context menu
    open_menu mousemove --window "$MAIN" 50 60 click 3 || return 1
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}

start_quillon
check "the window is at its place" 'wait_for_geometry "$MAIN" "600 20 100 180"'
check "an empty book exists as soon as the window is up" '[ -f "$book/date.info" ] && [ ! -s "$book/date.info" ]'
# The clock's first one-second tick has drawn the time by then.
wait_for_uptime "$QUILLON_PID" 2 && wait_for_settled "$MAIN" || true
shoot "$MAIN" e2e-main.png
# The first birthday scan runs 5 s after start-up; let it see the empty book, so that the
# reminder for the contact added below belongs to the restart and never races the Notebook.
wait_for_uptime "$QUILLON_PID" 6

# Clock > Notebook..., then type a contact born today and press Add.
nb=$(open_dialog "Notebook" e2e-notebook-empty.png keys_to "$MAIN" alt+c n) || exit 1
# Click into each field at its dialog-unit place and type, as a user would.
click_at() { # window, x and y in dialog units
    local px py
    read -r px py < <("$build/tests/window/dialog_point" "$2" "$3")
    xdotool mousemove --window "$1" "$px" "$py" click 1
}
click_at "$nb" 186 80 && type_to "$nb" "Ann"   # First name (157, 74, 59, 13)
click_at "$nb" 186 102 && type_to "$nb" "Lee"  # Last name (157, 96, 59, 13)
click_at "$nb" 186 124 && type_to "$nb" "123"  # Tel (157, 118, 59, 13)
click_at "$nb" 106 59 # Add (77, 51, 59, 16)
wait_for_settled "$nb" || true
shoot "$nb" e2e-notebook-added.png
keys_to "$nb" Escape
check "Escape closes the Notebook" 'wait_for_gone "$nb"'

# Clock > Exit writes the book.
exit_quillon
check "Exit ends the program" '! kill -0 "$QUILLON_PID" 2>/dev/null'
check "it ends with status 0" 'wait_status "$QUILLON_PID"'
check "date.info holds Ann Lee, born today" \
    '/usr/bin/python3 "$(dirname "$0")/check_book.py" "$book/date.info" Ann Lee 123'

# A restart shows today's birthday.
start_quillon
holidays=$(wait_for_window "Holidays") && echo "ok: the reminder opens" || { echo "FAIL: no reminder"; fail=1; }
if [ -n "${holidays:-}" ]; then
    wait_for_settled "$holidays" || true
    shoot "$holidays" e2e-holidays.png
    keys_to "$holidays" Escape
    check "Escape closes the reminder" 'wait_for_gone "$holidays"'
fi

# The other dialogs, for review: scheduler, timer, system facts, About.
for pick in "1 Restart and Shut Down e2e-shutdown.png" "2 Timer e2e-timer.png" "3 Dialog e2e-systeminfo.png"; do
    read -r n rest <<<"$pick"
    title=${rest% *}
    file=${rest##* }
    if wid=$(open_dialog "$title" "$file" context_pick "$n"); then
        keys_to "$wid" Escape
        check "Escape closes $title" 'wait_for_gone "$wid"'
    fi
done
if wid=$(open_dialog "About Quillon" e2e-about.png keys_to "$MAIN" alt+h a); then
    keys_to "$wid" Escape
    check "Escape closes About Quillon" 'wait_for_gone "$wid"'
fi

exit_quillon
check "the restarted program ends with status 0" 'wait_status "$QUILLON_PID"'
check "the book still holds the one contact" \
    '/usr/bin/python3 "$(dirname "$0")/check_book.py" "$book/date.info" Ann Lee 123'
exit $fail
