#!/usr/bin/env bash
# The window on a scaled desktop (Xft.dpi 144 and 192, as a desktop's scale setting writes it):
# its outer rectangle, frame included, is the exact scaled rectangle, not a pixel off.
set -euo pipefail
build=$1
XS_SCREEN=2560x1600x24
source "$(dirname "$0")/xsession.sh"
start_xsession
export TZ=UTC QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI || true
fail=0
folder="$XS_TMP/book"
mkdir -p "$folder"
for case in "144 900 30 150 270" "192 1200 40 200 360"; do
    read -r dpi want <<<"${case%% *} ${case#* }"
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s\n' "$dpi")"
    (cd "$folder" && exec "$build/app/quillon") >"$XS_TMP/quillon.log" 2>&1 &
    pid=$!
    XS_PIDS+=("$pid")
    wid=$(wait_for_window "Quillon - Untitled") || { echo "FAIL: no window at $dpi dpi"; cat "$XS_TMP/quillon.log"; exit 1; }
    wait_for_geometry "$wid" "$want" || true
    geometry=$(outer_geometry "$wid")
    if [ "$geometry" = "$want" ]; then
        echo "ok: at $dpi dpi the outer rectangle is $geometry"
    else
        echo "FAIL: at $dpi dpi the outer rectangle is '$geometry', not '$want'"
        fail=1
    fi
    read -r x y w h <<<"$geometry"
    import -window root -crop "${w}x${h}+${x}+${y}" "$build/window-test-${dpi}dpi.png" 2>/dev/null || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
exit $fail
