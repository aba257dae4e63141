#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts the calculator. Arguments go to the program
# (Qt's own options, such as -style Fusion).
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release --parallel "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo >&2
    echo "yeastcalc is built, but there is no display here to show its window on." >&2
    echo "Run this command again from a desktop session, or over ssh with X forwarding" >&2
    echo "(ssh -X), or start build/release/yeastcalc from a terminal on a desktop." >&2
    exit 1
fi
exec build/release/yeastcalc "$@"
