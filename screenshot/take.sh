#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under Xvfb with a window manager and saves two
# pictures of its window: screenshot/window.png as it opens, and
# screenshot/worked-count.png after a count typed and stepped by keyboard and
# mouse. Then closes it as the window manager would and checks it exits with 0.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

setup/deps.sh xvfb xauth openbox wmctrl xdotool imagemagick
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)" >/dev/null

if [ -z "${SCREENSHOT_INSIDE_XVFB:-}" ]; then
    exec env SCREENSHOT_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 640x480x24" "$self"
fi

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
sleep 1

log=$XDG_RUNTIME_DIR/messages
build/release/yeastcalc 2>"$log" &
app=$!
window=
for _ in $(seq 100); do
    window=$(wmctrl -l | awk '$NF == "yeastcalc" { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "yeastcalc showed no window" >&2; exit 1; }
sleep 1
import -frame -window "$window" screenshot/window.png
echo "Saved screenshot/window.png"

# 1:100, 200 ml at 12 degrees Plato, the four corners and the centre counted
# 25, 30, 28, 31 and 26 (squares 0, 2, 4, 6 and 8, reached by Tab); then square
# 8 pressed and stepped up to 27 with the Up key.
xdotool windowactivate --sync "$window"
xdotool key --delay 50 Down Tab
xdotool type --delay 50 200
xdotool key Tab
xdotool type --delay 50 12
xdotool key Tab
for count in 25 30 28 31 26; do
    xdotool key --delay 50 ctrl+a
    xdotool type --delay 50 "$count"
    xdotool key --delay 50 Tab Tab
done
# square 8 sits in the bottom right corner of the count grid
xdotool mousemove --window "$window" 322 225 click 1
xdotool key --delay 50 Up
sleep 0.5
grep -q '^currentSquare =  8$' "$log" || { echo "the press missed square 8" >&2; exit 1; }
grep -q '^28200000$' "$log" || { echo "the worked count did not show 28,200,000 cells per ml" >&2; exit 1; }
import -frame -window "$window" screenshot/worked-count.png
echo "Saved screenshot/worked-count.png"

wmctrl -c yeastcalc
status=0
wait "$app" || status=$?
echo "yeastcalc exited with $status after its window was closed"
exit "$status"
