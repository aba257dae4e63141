#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, through apt-get, whichever of the build's packages (and any named
# on the command line) this machine lacks.
set -euo pipefail

packages=(cmake make g++ qt6-base-dev "$@")

if ! command -v apt-get >/dev/null 2>&1; then
    echo "This set-up needs Debian or Ubuntu (apt-get). Elsewhere install CMake, a C++17 compiler" >&2
    echo "and Qt 6 (or 5.15) Widgets, then build with: cmake -S . -B build && cmake --build build" >&2
    echo "The tests need Qt Test too, which most systems ship with Qt's development files." >&2
    exit 1
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "Missing: ${missing[*]}" >&2
        echo "Installing them needs root, and this machine has no sudo. As root, run:" >&2
        echo "    apt-get update && apt-get install ${missing[*]}" >&2
        echo "then run this command again." >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
