#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry and AppStream metadata, checks what
# `cmake --install` lays out, builds the .deb and holds it to lintian (any
# error or warning fails), then installs it system-wide with apt-get, starts
# the installed program headless and removes the package again, also when the
# check is stopped half-way. A yeastcalc that was installed before is left as
# it is, and the install is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh desktop-file-utils appstream lintian
desktop-file-validate src/org.yeastcalc.yeastcalc.desktop
appstreamcli validate --no-net --pedantic src/org.yeastcalc.yeastcalc.metainfo.xml

deb=$(package/build.sh | tail -n 1)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
stage=$(mktemp -d)
installed=
remove_installed() {
    [ -n "$installed" ] || return 0
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq yeastcalc >/dev/null
    installed=
}
trap 'remove_installed; rm -rf "$stage"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

DESTDIR="$stage" cmake --install build/package >/dev/null
doc=$stage/usr/share/doc/yeastcalc
for file in usr/bin/yeastcalc usr/share/applications/org.yeastcalc.yeastcalc.desktop \
        usr/share/metainfo/org.yeastcalc.yeastcalc.metainfo.xml usr/share/man/man1/yeastcalc.1.gz \
        usr/share/doc/yeastcalc/copyright usr/share/doc/yeastcalc/changelog.gz; do
    [ -f "$stage/$file" ] || { echo "cmake --install left out /$file" >&2; exit 1; }
done
# Every relative link of the installed README, pictures included, must resolve beside it.
for link in $(grep -o '](\([^):]*\))' "$doc/README.md" | sed 's/^](\(.*\))$/\1/'); do
    [ -f "$doc/$link" ] || { echo "the installed README links to $link, which is not installed" >&2; exit 1; }
done
echo "cmake --install: program, desktop entry, metainfo, manual page, docs; the README's links resolve"

# lintian warns that it runs as root, which is how CI runs; the package is only read.
lintian --fail-on error,warning --info "$deb" 2>&1 | { grep -v '^running with root privileges' || true; }
echo "lintian: no error, no warning in $(basename "$deb")"
dpkg-deb --field "$deb" Depends

if dpkg-query -W -f='${Status}' yeastcalc 2>/dev/null | grep -q 'ok installed'; then
    echo "A yeastcalc is already installed here; it is left alone and the install check skipped."
    exit 0
fi
# Set before the install starts, so that a check stopped during it still removes it.
installed=yes
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

# A program that is still running after five seconds has started; timeout's 124 says so.
status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$stage" timeout 5 /usr/bin/yeastcalc 2>/dev/null || status=$?
remove_installed
if [ "$status" -ne 124 ]; then
    echo "the installed yeastcalc ended with $status instead of running" >&2
    exit 1
fi
echo "package: installed, started and removed"
