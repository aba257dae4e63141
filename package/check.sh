#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry and AppStream metadata, checks what
# `cmake --install` lays out, builds the .deb, installs it with apt-get,
# starts the installed program headless and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh desktop-file-utils appstream
desktop-file-validate src/org.yeastcalc.yeastcalc.desktop
appstreamcli validate --no-net --pedantic src/org.yeastcalc.yeastcalc.metainfo.xml

package/build.sh

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install build/package >/dev/null
for file in usr/bin/yeastcalc usr/share/applications/org.yeastcalc.yeastcalc.desktop \
        usr/share/metainfo/org.yeastcalc.yeastcalc.metainfo.xml; do
    [ -f "$stage/$file" ] || { echo "cmake --install left out /$file" >&2; exit 1; }
done
echo "cmake --install: executable, desktop entry and metainfo in place"

deb=$(ls build/package/yeastcalc_*.deb)
dpkg-deb --field "$deb" Depends
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null

# A program that is still running after five seconds has started; timeout's 124 says so.
status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$stage" timeout 5 /usr/bin/yeastcalc || status=$?
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq yeastcalc >/dev/null
if [ "$status" -ne 124 ]; then
    echo "the installed yeastcalc ended with $status instead of running" >&2
    exit 1
fi
echo "package: installed, started and removed"
