#!/bin/bash
# Start of the program to its login window, warm: the program is started
# RUNS + 1 times on a virtual display (the first start, which fills the
# file cache, is not counted) and each time the clock runs from the start of
# the process until the X server knows the login window ("Giriş"); the
# program is then ended with SIGTERM. Prints the median in milliseconds.
#
#   bench/startup.sh BIN_DIR [RUNS]
set -euo pipefail

bin="$1"
runs="${2:-10}"

display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    DISPLAY="$display" xwininfo -root >/dev/null 2>&1 && break
    sleep 0.05
done

times=()
for run in $(seq 0 "$runs"); do
    start=$(date +%s%N)
    DISPLAY="$display" QT_QPA_PLATFORM=xcb "$bin/TavloraFree" >/dev/null 2>&1 &
    program=$!
    shown=0
    # Polling costs a few milliseconds a look; the figure is that much late at most.
    for _ in $(seq 2000); do
        if DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -q '"Giriş'; then
            shown=$(date +%s%N)
            break
        fi
        if ! kill -0 "$program" 2>/dev/null; then
            break
        fi
    done
    kill -TERM "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    if (( shown == 0 )); then
        echo "$0: the login window did not come up" >&2
        exit 1
    fi
    if (( run > 0 )); then
        times+=($(( (shown - start) / 1000000 )))
    fi
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
