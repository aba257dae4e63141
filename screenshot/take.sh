#!/usr/bin/env bash
# Starts the real program under Xvfb with a window manager, saves a picture of
# its window to screenshot/window.png, then closes it as the window manager
# would and checks that it exits with 0.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh xvfb xauth openbox wmctrl imagemagick
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release --parallel >/dev/null

if [ -z "${SCREENSHOT_INSIDE_XVFB:-}" ]; then
    exec env SCREENSHOT_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 640x480x24" "$0"
fi

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
sleep 1

build/release/yeastcalc &
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

wmctrl -c yeastcalc
status=0
wait "$app" || status=$?
echo "yeastcalc exited with $status after its window was closed"
exit "$status"
