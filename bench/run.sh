#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures start-up to first paint and peak memory against a bare QMainWindow
# with one QLabel, and one step through the real event path against the same
# clicks on two plain buttons, on the same Qt under the offscreen platform. RUNS sets the number of fresh processes per
# start-up figure (default 21); medians are reported.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh valgrind
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DYEASTCALC_BENCH=ON >/dev/null
cmake --build build/bench --parallel --target bench_window >/dev/null
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
printf '%-34s %14s %14s %8s %8s\n' "measure" "yeastcalc" "bare window" "ratio" "target"
printf '%-34s %14s %14s %8s %8s\n' "start-up to first paint (ms)" \
    "$(awk -v v="$window_us" 'BEGIN { printf "%.1f", v / 1000 }')" \
    "$(awk -v v="$bare_us" 'BEGIN { printf "%.1f", v / 1000 }')" "$(ratio "$window_us" "$bare_us")" "<= 1.50"
printf '%-34s %14s %14s %8s %8s\n' "peak resident memory (MiB)" \
    "$(awk -v v="$window_kib" 'BEGIN { printf "%.1f", v / 1024 }')" \
    "$(awk -v v="$bare_kib" 'BEGIN { printf "%.1f", v / 1024 }')" "$(ratio "$window_kib" "$bare_kib")" "<= 1.20"
printf '%-34s %14s %14s %8s %8s\n' "one step, click to labels (us)" "$step_us" "$bare_step_us" \
    "$(ratio "$step_us" "$bare_step_us")" "< 100 us"
printf '%-34s %14s %14s %8s %8s\n' "one step (instructions, callgrind)" "$step_ir" "$bare_step_ir" \
    "$(ratio "$step_ir" "$bare_step_ir")" "-"
