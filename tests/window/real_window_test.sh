#!/usr/bin/env bash
# The real window under Xvfb and openbox: outer geometry, stay-on-top, no maximize or
# resize, and the clock face on screen equal to the offscreen paint.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
start_xsession

work="$XS_TMP/book"
mkdir -p "$work"
export TZ=UTC QT_QPA_PLATFORM=xcb
(cd "$work" && exec "$build/app/quillon") >"$XS_TMP/quillon.log" 2>&1 &
pid=$!
XS_PIDS+=("$pid")

wid=$(wait_for_window "Quillon - Untitled") || { echo "FAIL: no window"; cat "$XS_TMP/quillon.log"; exit 1; }
fail=0
wait_for_geometry "$wid" "600 20 100 180" || true
geometry=$(outer_geometry "$wid")
if [ "$geometry" = "600 20 100 180" ]; then echo "ok: outer geometry $geometry"; else echo "FAIL: outer geometry '$geometry'"; fail=1; fi

state=$(xprop -id "$wid" _NET_WM_STATE)
if grep -q _NET_WM_STATE_ABOVE <<<"$state"; then echo "ok: stays on top"; else echo "FAIL: $state"; fail=1; fi

actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
for forbidden in _NET_WM_ACTION_MAXIMIZE_HORZ _NET_WM_ACTION_MAXIMIZE_VERT _NET_WM_ACTION_RESIZE; do
    if grep -q "$forbidden" <<<"$actions"; then echo "FAIL: $forbidden allowed"; fail=1; fi
done
grep -q _NET_WM_ACTION_MINIMIZE <<<"$actions" && echo "ok: minimize only" || { echo "FAIL: no minimize"; fail=1; }

# Let the first tick paint, then compare the face with the offscreen paint of the same time.
wait_for_uptime "$pid" 2 && wait_for_settled "$wid" || true
read -r cx cy cw ch < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
before=$(date -u +%s)
import -window root -crop "${cw}x${ch}+${cx}+${cy}" "$XS_TMP/client.png"
after=$(date -u +%s)
cp "$XS_TMP/client.png" "$build/window-test-client.png"
if QT_QPA_PLATFORM=offscreen "$build/tests/window/face_compare" "$XS_TMP/client.png" $((before - 1)) "$after"; then
    echo "ok: screen face equals offscreen paint"
else
    echo "FAIL: screen face differs from offscreen paint"; fail=1
fi

xdotool windowclose "$wid" 2>/dev/null || xdotool key --window "$wid" alt+F4
exit $fail
