#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: build/package/yeastcalc_<version>_<arch>.deb, with
# its dependencies worked out from the binary by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh dpkg-dev file
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package --parallel
(cd build/package && cpack -G DEB)
ls build/package/*.deb
