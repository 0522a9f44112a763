# Sourced by the real-window tests: a private X server with a window manager, torn down on exit.
# Provides: start_xsession (openbox, or the window manager named in $XS_WM), start_wm NAME,
# wm_installed NAME, wait_until, wait_for_window NAME, wait_for_window_matching PATTERN,
# wait_for_gone WID, wait_for_exit PID, wait_for_geometry WID RECT, wait_for_settled WID, wait_for_uptime PID SECONDS,
# xs_window_count PID, outer_geometry WID, check NAME CONDITION, and $DISPLAY.

XS_PIDS=()
XS_TMP=$(mktemp -d)
xs_cleanup() {
    for pid in "${XS_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$XS_TMP"
}
trap xs_cleanup EXIT

# One named check: the condition is evaluated and its outcome printed; a failed one makes the
# test's exit status ($fail) 1, while the test goes on to its other checks.
fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }

start_xsession() {
    # -displayfd picks a free display number, so parallel tests never collide.
    Xvfb -displayfd 3 -screen 0 "${XS_SCREEN:-1024x768x24}" -nolisten tcp 3>"$XS_TMP/display" >/dev/null 2>&1 &
    XS_PIDS+=($!)
    wait_until 10 "Xvfb to start" test -s "$XS_TMP/display" || return 1
    export DISPLAY=":$(cat "$XS_TMP/display")"
    start_wm "${XS_WM:-openbox}"
}

# The window managers the tests know, by name: the command that runs one on this display.
xs_wm_command() {
    case $1 in
    openbox) echo "openbox --replace" ;;
    mutter) echo "mutter --x11 --replace --sm-disable" ;;
    kwin) echo "kwin_x11 --replace" ;;
    icewm) echo "icewm --replace" ;;
    *) return 1 ;;
    esac
}
# wm_installed NAME: whether that window manager is on this machine.
wm_installed() { local cmd; cmd=$(xs_wm_command "$1") && command -v "${cmd%% *}" >/dev/null; }

# start_wm NAME: ends the window manager of the session, if any, and starts NAME in its place.
XS_WM_PID=""
start_wm() {
    local cmd old=$XS_WM_PID
    cmd=$(xs_wm_command "$1") || { echo "no window manager named $1" >&2; return 1; }
    if [ -n "$old" ]; then
        kill "$old" 2>/dev/null || true
        wait_until 10 "the window manager to end" eval "! kill -0 $old 2>/dev/null" || return 1
    fi
    # kwin has the session bus start its helpers, which need the display too.
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && dbus-update-activation-environment DISPLAY QT_QPA_PLATFORM=xcb 2>/dev/null
    QT_QPA_PLATFORM=xcb $cmd >/dev/null 2>&1 &
    XS_WM_PID=$!
    XS_PIDS+=($!)
    xs_wm_up() {
        local check
        check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
        [ -n "$check" ] && xprop -id "$check" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1
    }
    wait_until 20 "$1 to start" xs_wm_up
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every $XS_POLL seconds (0.1 unless set) until
# it succeeds; after SECONDS says "timed out after SECONDS s waiting for WHAT" and fails.
wait_until() {
    local seconds=$1 what=$2 deadline
    shift 2
    deadline=$(( ${EPOCHREALTIME/./} + seconds * 1000000 ))
    until "$@"; do
        if (( ${EPOCHREALTIME/./} >= deadline )); then
            echo "timed out after $seconds s waiting for $what" >&2
            return 1
        fi
        sleep "${XS_POLL:-0.1}"
    done
}

# Prints the id of the first mapped window whose title matches the regular expression PATTERN,
# waiting up to SECONDS (default 15).
xs_find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }
wait_for_window_matching() {
    wait_until "${2:-15}" "a window titled like '$1'" xs_find_window "$1"
}

# Prints the id of the first mapped window whose title is exactly NAME, waiting up to 15 s.
wait_for_window() { wait_for_window_matching "^$1\$"; }

# wait_for_gone WID [SECONDS]: waits until the window is no longer viewable (closed or hidden).
xs_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
wait_for_gone() { wait_until "${2:-5}" "window $1 to close" eval "! xs_viewable $1"; }

# wait_for_exit PID [SECONDS]: waits until the process has ended.
wait_for_exit() { wait_until "${2:-10}" "process $1 to end" eval "! kill -0 $1 2>/dev/null"; }

# wait_for_geometry WID "X Y W H" [SECONDS]: waits until the window's outer rectangle is that
# (the window manager places and frames a new window a moment after it shows).
xs_geometry_is() { [ "$(outer_geometry "$1")" = "$2" ]; }
wait_for_geometry() { wait_until "${3:-5}" "window $1 at '$2'" xs_geometry_is "$1" "$2"; }

# wait_for_settled WID [SECONDS]: waits until two looks at the window 0.1 s apart show the same
# pixels, so that a screenshot shows it drawn.
xs_same_twice() {
    local first
    first=$(xwd -silent -id "$1" 2>/dev/null | md5sum) || return 1
    sleep 0.1
    [ "$first" = "$(xwd -silent -id "$1" 2>/dev/null | md5sum)" ]
}
wait_for_settled() { wait_until "${2:-5}" "window $1 to be drawn" xs_same_twice "$1"; }

# How many windows (menus and dialogs included) the process shows; with wait_until, e.g.
# `wait_until 5 "a menu" xs_more_windows PID 1`, waits for one more to appear.
xs_window_count() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }
xs_more_windows() { [ "$(xs_window_count "$1")" -gt "$2" ]; }

# wait_for_uptime PID SECONDS: waits until the process has run for SECONDS (whole seconds), by
# its start time in /proc rather than by a fixed pause from here.
xs_up_for() {
    local start now hz
    hz=$(getconf CLK_TCK)
    start=$(awk '{print $22}' "/proc/$1/stat") || return 1
    now=$(awk '{print int($1 * '"$hz"')}' /proc/uptime)
    [ $(( (now - start) / hz )) -ge "$2" ]
}
wait_for_uptime() { wait_until $(($2 + 10)) "process $1 to run for $2 s" xs_up_for "$1" "$2"; }

# Prints "x y width height" of a client window's outer rectangle (frame included).
outer_geometry() {
    local info ext x y w h l r t b
    info=$(xwininfo -id "$1")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r l r t b <<<"${ext:-0,0,0,0}"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
