#!/usr/bin/env bash
# The real window under the window managers people run (openbox, GNOME's mutter, KDE's kwin
# with Breeze, icewm), each in turn on one Xvfb: the outer and client rectangles, the whole
# clock inside the client and equal to the offscreen paint, stay-on-top, a refused resize,
# maximise and full screen, a dialog whose frame stays on screen, the program's icon; then a
# new window manager taking over a running clock, which follows its frame.
set -euo pipefail
build=$1
XS_SCREEN=1280x1024x24
source "$(dirname "$0")/xsession.sh"
start_xsession
export TZ=UTC QT_QPA_PLATFORM=xcb

# Each row: the window manager and the outer rectangle it must give the clock. Where the frame
# leaves a client of 98 x 159 the outer rectangle is the program's 600, 20, 100 x 180; a
# thicker frame makes the window larger, its corner still at 600, 20.
rows=(
    "openbox 600 20 100 180"
    "mutter 600 20 100 196"
    "kwin 600 20 100 200"
    "icewm 600 20 102 182"
)
client_rect() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
screen_rect() { xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'; }
# The clock face on screen equals the offscreen paint of the same second, digital time included.
face_on_screen() { # wid, label
    local cx cy cw ch before after
    wait_for_settled "$1" || true
    read -r cx cy cw ch < <(client_rect "$1")
    before=$(date -u +%s)
    import -window root -crop "${cw}x${ch}+${cx}+${cy}" "$XS_TMP/client.png"
    after=$(date -u +%s)
    cp "$XS_TMP/client.png" "$build/window-test-$2-client.png"
    QT_QPA_PLATFORM=offscreen "$build/tests/window/face_compare" "$XS_TMP/client.png" $((before - 1)) "$after"
}

work="$XS_TMP/book"
mkdir -p "$work"
last=""
for row in "${rows[@]}"; do
    read -r wm want <<<"$row"
    if ! wm_installed "$wm"; then
        echo "FAIL: $wm is not installed (tools/deps.sh test installs it)"
        fail=1
        continue
    fi
    [ "$wm" = openbox ] || start_wm "$wm" || { echo "FAIL: $wm does not start"; fail=1; continue; }
    (cd "$work" && exec "$build/app/quillon") >"$XS_TMP/quillon.log" 2>&1 &
    pid=$!
    XS_PIDS+=("$pid")
    wid=$(wait_for_window "Quillon - Untitled") || { echo "FAIL: $wm: no window"; cat "$XS_TMP/quillon.log"; fail=1; continue; }
    wait_for_geometry "$wid" "$want" 10 || true
    geometry=$(outer_geometry "$wid")
    read -r _ _ cw ch < <(client_rect "$wid")
    echo "$wm: frame $(xprop -id "$wid" _NET_FRAME_EXTENTS | sed -n 's/.*= //p'), client ${cw}x${ch}, outer $geometry"
    check "$wm: the outer rectangle is $want" '[ "$geometry" = "$want" ]'
    check "$wm: the client is at least 98 x 159" '[ "$cw" -ge 98 ] && [ "$ch" -ge 159 ]'
    check "$wm: stays on top" 'xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE'
    actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
    check "$wm: neither resize nor maximise is offered" '! grep -q -E "_NET_WM_ACTION_(RESIZE|MAXIMIZE)" <<<"$actions"'
    check "$wm: minimise is offered" 'grep -q _NET_WM_ACTION_MINIMIZE <<<"$actions"'
    check "$wm: the program's icon, all its sizes to 128" \
        '[ "$(xprop -id "$wid" _NET_WM_ICON | grep -c -E "Icon \((16|32|48|64|128) x ")" = 5 ]'
    wait_for_uptime "$pid" 2 || true
    check "$wm: the whole clock shows, equal to the offscreen paint" 'face_on_screen "$wid" "$wm"'
    read -r x y w h <<<"$geometry"
    import -window root -crop "$((w + 40))x$((h + 40))+$((x - 20))+$((y > 20 ? y - 20 : 0))" "$build/window-test-$wm.png" 2>/dev/null || true

    # A size imposed on it, a maximise and full screen: each is refused or put back.
    xdotool windowsize "$wid" 300 300 2>/dev/null || true
    sleep 0.5
    wait_for_geometry "$wid" "$want" || true
    check "$wm: a resize is put back" '[ "$(outer_geometry "$wid")" = "$want" ]'
    for state in maximized_vert,maximized_horz fullscreen; do
        wmctrl -i -r "$wid" -b add,$state
        sleep 0.5
        wait_for_geometry "$wid" "$want" || true
        check "$wm: $state is refused ($(outer_geometry "$wid"), $(xprop -id "$wid" _NET_WM_STATE | sed 's/.*= //'))" \
            '[ "$(outer_geometry "$wid")" = "$want" ] && ! xprop -id "$wid" _NET_WM_STATE | grep -q -E "MAXIMIZED|FULLSCREEN"'
    done

    # Clock > Notebook: centred on the clock at the top of the screen, its frame stays on it.
    timeout 3 xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --window "$wid" alt+c
    sleep 0.3
    xdotool key n
    if dialog=$(wait_for_window "Notebook"); then
        on_screen() {
            local dx dy dw dh sw sh
            read -r dx dy dw dh < <(outer_geometry "$dialog")
            read -r sw sh < <(screen_rect)
            [ "$dx" -ge 0 ] && [ "$dy" -ge 0 ] && [ $((dx + dw)) -le "$sw" ] && [ $((dy + dh)) -le "$sh" ]
        }
        wait_until 5 "the Notebook's frame on the screen" on_screen || true
        echo "$wm: Notebook at $(outer_geometry "$dialog")"
        check "$wm: the Notebook's frame is on the screen" on_screen
        check "$wm: the Notebook has the program's icon" \
            'xprop -id "$dialog" _NET_WM_ICON | grep -q "Icon (128 x 128)"'
        read -r x y w h < <(outer_geometry "$dialog")
        import -window root -crop "${w}x${h}+${x}+${y}" "$build/window-test-$wm-notebook.png" 2>/dev/null || true
        timeout 3 xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
        xdotool key Escape
        wait_for_gone "$dialog" || true
    else
        echo "FAIL: $wm: Clock > Notebook opened no dialog"
        fail=1
    fi
    last=$wm
    [ "${rows[-1]%% *}" = "$wm" ] && break # the last clock stays for the next window manager
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done

# A new window manager takes over the running clock: it follows the new frame.
if [ -n "$last" ] && [ "$last" != openbox ] && kill -0 "$pid" 2>/dev/null; then
    start_wm openbox
    wait_for_geometry "$wid" "600 20 100 180" 10 || true
    check "after $last, openbox's frame is followed ($(outer_geometry "$wid"))" \
        '[ "$(outer_geometry "$wid")" = "600 20 100 180" ]'
    xdotool windowclose "$wid" 2>/dev/null || xdotool key --window "$wid" alt+F4
fi
exit $fail
