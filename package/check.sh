#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry and AppStream metadata, checks what
# `cmake --install` lays out, builds the .deb and holds it to lintian (any
# error or warning fails), then installs it system-wide with apt-get, starts
# the installed program headless and removes the package again. A yeastcalc
# that was installed before is left as it is, and the install is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh desktop-file-utils appstream lintian
desktop-file-validate src/org.yeastcalc.yeastcalc.desktop
appstreamcli validate --no-net --pedantic src/org.yeastcalc.yeastcalc.metainfo.xml

deb=$(package/build.sh | tail -n 1)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install build/package >/dev/null
for file in usr/bin/yeastcalc usr/share/applications/org.yeastcalc.yeastcalc.desktop \
        usr/share/metainfo/org.yeastcalc.yeastcalc.metainfo.xml usr/share/man/man1/yeastcalc.1.gz \
        usr/share/doc/yeastcalc/copyright usr/share/doc/yeastcalc/changelog.gz; do
    [ -f "$stage/$file" ] || { echo "cmake --install left out /$file" >&2; exit 1; }
done
echo "cmake --install: program, desktop entry, metainfo, manual page, copyright and changelog in place"

# lintian warns that it runs as root, which is how CI runs; the package is only read.
lintian --fail-on error,warning --info "$deb" 2>&1 | { grep -v '^running with root privileges' || true; }
echo "lintian: no error, no warning in $(basename "$deb")"
dpkg-deb --field "$deb" Depends

if dpkg-query -W -f='${Status}' yeastcalc 2>/dev/null | grep -q 'ok installed'; then
    echo "A yeastcalc is already installed here; it is left alone and the install check skipped."
    exit 0
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

# A program that is still running after five seconds has started; timeout's 124 says so.
status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$stage" timeout 5 /usr/bin/yeastcalc 2>/dev/null || status=$?
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq yeastcalc >/dev/null
if [ "$status" -ne 124 ]; then
    echo "the installed yeastcalc ended with $status instead of running" >&2
    exit 1
fi
echo "package: installed, started and removed"
