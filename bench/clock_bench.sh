#!/usr/bin/env bash
# Idle cost of the clock beside xclock -update 1 on the same Xvfb, measured in the same run:
# start-up to the window being viewable, RSS after 5 s, CPU time per minute idle and
# wake-ups (context switches of all threads) per second.
# Usage: bench/clock_bench.sh BUILD_DIR [SECONDS]   (needs xvfb, openbox, x11-apps, xdotool)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-30}
source "$(dirname "$0")/../tests/window/xsession.sh"
start_xsession
command -v xclock >/dev/null || { echo "xclock missing: apt-get install x11-apps" >&2; exit 1; }

ticks=$(getconf CLK_TCK)

# Sum of utime+stime (clock ticks) and of context switches over every thread of a process.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() {
    local total=0 n
    for f in /proc/"$1"/task/*/status; do
        n=$(awk '/ctxt_switches/ {s += $2} END {print s}' "$f" 2>/dev/null || echo 0)
        total=$((total + n))
    done
    echo "$total"
}

measure() { # name, window title pattern, command...
    local name=$1 title=$2
    shift 2
    local t0 pid t1 rss c0 s0 c1 s1
    t0=$(date +%s%N)
    (cd "$XS_TMP" && exec "$@") >/dev/null 2>&1 &
    pid=$!
    XS_PIDS+=("$pid")
    # A short poll, so that the start-up figure is off by 20 ms at most.
    XS_POLL=0.02 wait_for_window_matching "$title" 30 >/dev/null || { echo "$name: no window" >&2; exit 1; }
    t1=$(date +%s%N)
    sleep 5
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    c0=$(cpu_ticks "$pid"); s0=$(switches "$pid")
    sleep "$seconds"
    c1=$(cpu_ticks "$pid"); s1=$(switches "$pid")
    kill "$pid"
    awk -v n="$name" -v st="$(( (t1 - t0) / 1000000 ))" -v rss="$rss" -v c="$((c1 - c0))" -v hz="$ticks" \
        -v s="$((s1 - s0))" -v secs="$seconds" \
        'BEGIN { printf "%-8s start-up %5d ms  RSS %7.1f MB  CPU %7.1f ms/min  wake-ups %6.2f /s\n",
                 n, st, rss / 1024, c * 1000 / hz * 60 / secs, s / secs }' | tee -a "$XS_TMP/results"
}

export QT_QPA_PLATFORM=xcb
measure xclock '^xclock$' xclock -update 1
measure quillon '^Quillon - ' "$build/app/quillon"
awk 'NR == 1 {for (i = 1; i <= NF; i++) base[i] = $i} NR == 2 {
        printf "ratio quillon/xclock: CPU %.2f  wake-ups %.2f\n", ($9 / (base[9] ? base[9] : 1)), ($12 / (base[12] ? base[12] : 1)) }' \
    "$XS_TMP/results"
