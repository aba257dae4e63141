#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures start-up to first paint and peak memory against a bare QMainWindow
# with one QLabel, and one step through the real event path against the same
# clicks on two plain buttons, on the same Qt under the offscreen platform.
# RUNS sets the number of fresh processes per start-up figure (default 21);
# medians are reported. Targets are ratios to the bare window, since absolute
# times move threefold between machines; any target missed fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh valgrind
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DYEASTCALC_BENCH=ON >/dev/null
cmake --build build/bench --parallel "$(nproc)" --target bench_window >/dev/null
bench=build/bench/bench/bench_window
runs=${RUNS:-21}
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Alternating the two keeps drift in the machine's load from favouring either.
: > "$XDG_RUNTIME_DIR/window"; : > "$XDG_RUNTIME_DIR/bare"
for _ in $(seq "$runs"); do
    for kind in window bare; do
        "$bench" startup "$kind" 2>/dev/null >> "$XDG_RUNTIME_DIR/$kind"
    done
done
window_us=$(cut -d' ' -f1 "$XDG_RUNTIME_DIR/window" | median)
bare_us=$(cut -d' ' -f1 "$XDG_RUNTIME_DIR/bare" | median)
window_kib=$(cut -d' ' -f2 "$XDG_RUNTIME_DIR/window" | median)
bare_kib=$(cut -d' ' -f2 "$XDG_RUNTIME_DIR/bare" | median)

# The debug messages go where a desktop session's stderr would not be watched.
step_us=$(for _ in 1 2 3 4 5; do "$bench" step 20001 2>/dev/null; done | median)
bare_step_us=$(for _ in 1 2 3 4 5; do "$bench" step 20001 bare 2>/dev/null; done | median)

steps=1001
instructions() {
    local out="$XDG_RUNTIME_DIR/callgrind.out"
    valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
        --toggle-collect='*runSteps*' "$bench" step "$steps" "$@" >/dev/null 2>&1
    awk -v n="$steps" '/^(summary|totals):/ { printf "%d", $2 / n; exit }' "$out"
}
step_ir=$(instructions)
bare_step_ir=$(instructions bare)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
missed=()
# row MEASURE YEASTCALC BARE RATIO [TARGET]: a target is the highest ratio that holds.
row() {
    local verdict=-
    if [ -n "${5:-}" ]; then
        if awk -v r="$4" -v t="$5" 'BEGIN { exit !(r <= t) }'; then
            verdict=holds
        else
            verdict=MISSED
            missed+=("$1")
        fi
    fi
    printf '%-34s %12s %12s %7s %8s %7s\n' "$1" "$2" "$3" "$4" "${5:+<= $5}" "$verdict"
}
ms() { awk -v v="$1" 'BEGIN { printf "%.1f", v / 1000 }'; }
mib() { awk -v v="$1" 'BEGIN { printf "%.1f", v / 1024 }'; }

printf '%-34s %12s %12s %7s %8s %7s\n' "measure" "yeastcalc" "bare" "ratio" "target" ""
row "start-up to first paint (ms)" "$(ms "$window_us")" "$(ms "$bare_us")" \
    "$(ratio "$window_us" "$bare_us")" 1.50
row "peak resident memory (MiB)" "$(mib "$window_kib")" "$(mib "$bare_kib")" \
    "$(ratio "$window_kib" "$bare_kib")" 1.20
row "one step, click to labels (us)" "$step_us" "$bare_step_us" "$(ratio "$step_us" "$bare_step_us")"
row "one step (instructions, callgrind)" "$step_ir" "$bare_step_ir" \
    "$(ratio "$step_ir" "$bare_step_ir")" 3.00

if [ ${#missed[@]} -gt 0 ]; then
    printf 'Targets missed: %s\n' "${missed[*]}" >&2
    exit 1
fi
echo "All targets hold."
