#!/usr/bin/env bash
# The About box on a real display: Help > About opens it, a click on the banner hands the
# maker's address to xdg-open (a fake one here that writes down what it got) while the box
# stays open, a second click does it again, and Escape closes the box. The program is started
# as under Wayland with an X display beside it, so it picks XWayland for itself: the browser
# it starts must not inherit that choice.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
start_xsession

work="$XS_TMP/book"
mkdir -p "$work" "$XS_TMP/bin"
opened="$XS_TMP/opened.txt"
: >"$opened"
cat >"$XS_TMP/bin/xdg-open" <<SCRIPT
#!/bin/sh
env >"$XS_TMP/browser-env.txt"
printf '%s\n' "\$1" >>"$opened"
SCRIPT
chmod +x "$XS_TMP/bin/xdg-open"

export TZ=UTC HOME="$work" XDG_CONFIG_HOME="$work/.config" PATH="$XS_TMP/bin:$PATH"
export WAYLAND_DISPLAY=quillon-test-no-such-compositor
unset QT_QPA_PLATFORM QT_XCB_NO_MITSHM XDG_CURRENT_DESKTOP KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID DESKTOP_SESSION || true
(cd "$work" && exec "$build/app/quillon") >"$XS_TMP/quillon.log" 2>&1 &
quillon_pid=$!
XS_PIDS+=($quillon_pid)

fail=0
wid=$(wait_for_window "Quillon - Untitled") || { echo "FAIL: no main window"; cat "$XS_TMP/quillon.log"; exit 1; }
wait_for_settled "$wid" || true
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
shown=$(xs_window_count "$quillon_pid")
xdotool key alt+h
wait_until 10 "the Help menu" xs_more_windows "$quillon_pid" "$shown" || { echo "FAIL: no Help menu"; exit 1; }
xdotool key a
about=$(wait_for_window "About Quillon") || { echo "FAIL: no About box"; cat "$XS_TMP/quillon.log"; exit 1; }
echo "ok: Help > About opened the About box"
# The box belongs to the clock's window on the desktop: the window manager keeps it above it.
owner=$(xprop -id "$about" WM_TRANSIENT_FOR | awk '{print $NF}')
if [ -n "$owner" ] && [ "$((owner))" -eq "$wid" ]; then
    echo "ok: the box is transient for the clock's window"
else
    echo "FAIL: WM_TRANSIENT_FOR of the box is '$owner', the clock is $(printf '0x%x' "$wid")"; fail=1
fi

# The banner lies at (5, 51) - (170, 67) of the template's 179 x 74 dialog units; the client
# area is the template's size, so its middle is found by scaling.
client() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
wait_for_settled "$about" || true
read -r ax ay aw ah < <(client "$about")
bx=$((ax + 87 * aw / 179))
by=$((ay + 59 * ah / 74))
import -window root -crop "${aw}x${ah}+${ax}+${ay}" "$build/about-box.png"


lines() { grep -c . "$opened" || true; }
has_lines() { [ "$(lines)" -ge "$1" ]; }
wait_lines() { wait_until 5 "$1 address(es) from xdg-open" has_lines "$1"; }
viewable() { xs_viewable "$1"; }

xdotool mousemove "$bx" "$by" click 1
first_click=${EPOCHREALTIME/./}
if wait_lines 1 && [ "$(sed -n 1p "$opened")" = "https://quillon.example.org/" ]; then
    echo "ok: first click opened https://quillon.example.org/"
else
    echo "FAIL: xdg-open got '$(cat "$opened")'"; fail=1
fi
# xdg-open has run: whatever the click does to the box has been done by now.
wait_for_settled "$about" || true
if viewable "$about"; then echo "ok: the box stays open"; else echo "FAIL: the box closed"; fail=1; fi

env_file="$XS_TMP/browser-env.txt"
if grep -q "^WAYLAND_DISPLAY=quillon-test-no-such-compositor$" "$env_file" &&
    ! grep -q -E "^(QT_QPA_PLATFORM|QT_XCB_NO_MITSHM)=" "$env_file"; then
    echo "ok: the browser gets the user's environment, not the program's own settings"
else
    echo "FAIL: the browser's environment: $(grep -E '^(QT_|WAYLAND_)' "$env_file" | tr '\n' ' ')"; fail=1
fi

# A second click, not a double click: past the double-click interval (400 ms) since the first.
apart() { (( ${EPOCHREALTIME/./} - first_click > 500000 )); }
wait_until 2 "the double-click interval" apart
xdotool mousemove "$bx" "$by" click 1
if wait_lines 2 && [ "$(lines)" -eq 2 ] && [ "$(sed -n 2p "$opened")" = "https://quillon.example.org/" ]; then
    echo "ok: second click opened it again"
else
    echo "FAIL: after two clicks xdg-open has '$(cat "$opened")'"; fail=1
fi
viewable "$about" || { echo "FAIL: the box closed after the second click"; fail=1; }

xdotool windowactivate --sync "$about" 2>/dev/null || true
xdotool key Escape
if wait_for_gone "$about"; then echo "ok: Escape closed the box"; else echo "FAIL: Escape left the box open"; fail=1; fi

# The window manager's close, as the title bar's close box sends it.
xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key alt+F4
if wait_for_exit "$quillon_pid" 5; then echo "ok: quillon ended"; else echo "FAIL: quillon did not end"; fail=1; fi
exit $fail
