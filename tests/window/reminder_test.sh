#!/usr/bin/env bash
# The birthday reminder on a real display, as the commonest case meets the user: one birthday
# today (its entry highlighted as the dialog opens) and one tomorrow. A click on the
# highlighted entry shows the contact; a click on the other list's entry takes the highlight
# off the first list on screen, so only one list ever looks picked.
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
start_xsession
export TZ=UTC QT_QPA_PLATFORM=xcb

folder="$XS_TMP/book"
mkdir -p "$folder"
/usr/bin/python3 - "$folder/date.info" <<'PY'
import datetime, struct, sys
def text(b): return bytes([len(b)]) + b
today = datetime.datetime.now(datetime.timezone.utc).date()
book = struct.pack('<i', 2)
for first, day in ((b'Ann', today), (b'Bo', today + datetime.timedelta(days=1))):
    born = (datetime.date(1980, day.month, day.day if (day.month, day.day) != (2, 29) else 28)
            - datetime.date(1899, 12, 30)).days
    book += struct.pack('<id', 0, float(born)) + text(b'') + text(first) + text(b'Lee') + text(b'123') + text(b'')
open(sys.argv[1], 'wb').write(book)
PY
(cd "$folder" && exec "$build/app/quillon") >"$XS_TMP/quillon.log" 2>&1 &
pid=$!
XS_PIDS+=("$pid")
reminder=$(wait_for_window "Holidays") || { echo "FAIL: no reminder"; cat "$XS_TMP/quillon.log"; exit 1; }
wait_for_settled "$reminder" || true

# Screen pixels of a control at dialog units (x, y, w, h) of the reminder's client area.
point() { "$build/tests/window/dialog_point" "$1" "$2" 2>/dev/null; }
shoot() { import -window "$reminder" "$XS_TMP/shot.png" 2>/dev/null; cp "$XS_TMP/shot.png" "$build/reminder-$1.png"; }
region() { # x y w h in dialog units: prints "W x H + X + Y" in pixels, a little inside
    local x0 y0 x1 y1
    read -r x0 y0 < <(point "$1" "$2")
    read -r x1 y1 < <(point $(($1 + $3)) $(($2 + $4)))
    echo "$((x1 - x0 - 4))x$((y1 - y0 - 4))+$((x0 + 2))+$((y0 + 2))"
}
count() { # colour, region: pixels of exactly that colour
    convert "$XS_TMP/shot.png" -crop "$2" +repage txt:- | grep -c -i "$1" || true
}
dark() { # region: pixels dark enough to be text
    convert "$XS_TMP/shot.png" -crop "$1" +repage -colorspace gray -threshold 50% txt:- | grep -c -i "#000000" || true
}
click() { # x y in dialog units
    local px py
    read -r px py < <(point "$1" "$2")
    xdotool mousemove --window "$reminder" "$px" "$py"
    sleep 0.2
    xdotool click 1
    sleep 0.6
}
today=$(region 14 15 53 35)
tomorrow=$(region 14 66 53 35)
first_name=$(region 124 17 71 12)

shoot open
read -r hx hy < <(point 30 19)
highlight=$(convert "$XS_TMP/shot.png" -format "%[hex:p{$hx,$hy}]" info: | cut -c1-6)
check "the today entry is highlighted as the dialog opens" '[ "$(count "#$highlight" "$today")" -gt 20 ]'
check "no details before a pick" '[ "$(dark "$first_name")" -eq 0 ]'

click 30 19 # the highlighted entry
shoot today
check "a click on the highlighted entry shows the contact" '[ "$(dark "$first_name")" -gt 0 ]'

# The focus moves on first, so that the next click changes no focus: what it repaints is
# then only what the selection change itself repaints.
xdotool key Tab
sleep 0.3
click 30 70 # the tomorrow entry
shoot tomorrow
check "the tomorrow entry is highlighted" '[ "$(count "#$highlight" "$tomorrow")" -gt 20 ]'
check "and the today list shows no highlight" '[ "$(count "#$highlight" "$today")" -eq 0 ]'

timeout 3 xdotool windowactivate --sync "$reminder" >/dev/null 2>&1 || true
xdotool key Escape
kill "$pid" 2>/dev/null || true
exit $fail
