#!/usr/bin/env bash
# Start-up time and memory of the till on the demo shop, against the smallest Qt window program,
# in the same run under a virtual X display:
#   - from process start to the login dialog on screen (cold: page cache dropped when allowed;
#     warm: the median of five starts),
#   - resident memory of the idle main window after logging in, and of the minimal window.
#   bench/startup.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
home=$(mktemp -d)
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
export DISPLAY=$display XDG_RUNTIME_DIR=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$home" "$XDG_RUNTIME_DIR"' EXIT
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done
"$build/src/shopdb" --home "$home" init --demo >/dev/null

# Starts the command $1 and waits until a window named $2 is on screen: the milliseconds go to
# $ms and the process id to $started (no subshell, so the program never holds a pipe open).
time_to_window() {
    local t0 t1
    t0=$(date +%s%N)
    $1 >/dev/null 2>&1 &
    started=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        kill -0 "$started" 2>/dev/null || { echo "$1 ended before its window appeared" >&2; exit 1; }
        sleep 0.005
    done
    t1=$(date +%s%N)
    ms=$(((t1 - t0) / 1000000))
}
stop() { kill "$started"; wait "$started" 2>/dev/null || true; }
drop_caches() { sync; if echo 3 >/proc/sys/vm/drop_caches 2>/dev/null; then cold=yes; else cold=no; fi; }
median() { tr ' ' '\n' | sort -n | awk 'NF {a[++n]=$1} END {print a[int((n+1)/2)]}'; }

till="$build/src/tillbrook --home $home"
mini="$build/bench/minimal_window"

drop_caches
time_to_window "$till" "会员管理前台登录"; till_cold=$ms; stop
drop_caches
time_to_window "$mini" "minimal"; mini_cold=$ms; stop

runs_till=""; runs_mini=""
for i in 1 2 3 4 5; do
    time_to_window "$till" "会员管理前台登录"; runs_till="$runs_till $ms"; stop
    time_to_window "$mini" "minimal"; runs_mini="$runs_mini $ms"; stop
done
till_warm=$(echo "$runs_till" | median)
mini_warm=$(echo "$runs_mini" | median)

# Memory of the idle windows.
time_to_window "$till" "会员管理前台登录"
pid=$started
xdotool type --delay 30 "888"; xdotool key Return
until xdotool search --onlyvisible --name "悦然生活馆" >/dev/null 2>&1; do sleep 0.05; done
sleep 2
till_rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
stop
time_to_window "$mini" "minimal"
sleep 2
mini_rss=$(awk '/VmRSS/ {print $2}' /proc/$started/status)
stop

echo "page cache dropped for cold starts: $cold"
echo "start to login dialog: cold ${till_cold} ms, warm ${till_warm} ms (minimal window: cold ${mini_cold} ms, warm ${mini_warm} ms)"
echo "ratio warm: $(echo "scale=2; $till_warm / $mini_warm" | bc)  cold: $(echo "scale=2; $till_cold / $mini_cold" | bc)"
echo "idle main window RSS: ${till_rss} kB (minimal window ${mini_rss} kB), ratio $(echo "scale=2; $till_rss / $mini_rss" | bc)"
