#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in build/package, with its dependencies worked out
# from the binary by dpkg-shlibdeps, and prints its path as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh dpkg-dev file
# Debian's own hardening flags, as its packages are built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/package --parallel "$(nproc)"
report=$(cd build/package && cpack -G DEB)
printf '%s\n' "$report" >&2
deb=$(printf '%s\n' "$report" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -n "$deb" ] || { echo "cpack reported no package" >&2; exit 1; }
echo "$deb"
