#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry and AppStream metadata, checks what
# `cmake --install` lays out and that a software centre's catalogue takes it
# (appstreamcli compose), builds the .deb and holds it to lintian (any error or
# warning fails), then installs it system-wide with apt-get, starts the
# installed program under Xvfb, checks that its window carries the class its
# desktop entry names, and removes the package again, also when the check is
# stopped half-way. A yeastcalc that was installed before is left as it is, and
# the install is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

# librsvg2-common lets appstreamcli compose read the SVG icon, as catalogue builders can.
setup/deps.sh desktop-file-utils appstream appstream-compose librsvg2-common lintian \
    xvfb xauth x11-utils
desktop-file-validate src/org.yeastcalc.yeastcalc.desktop
# The one exception: the project has no homepage to name. AppStream 1.0 warns of
# that and fails on any warning, and so does lintian's run of it, which is told
# to keep quiet below; every other AppStream warning still fails here first.
# AppStream 0.16 and lintian 2.116 know no such checks and refuse to hear of them.
homepage=(--override=url-homepage-missing=info)
case $(appstreamcli --version) in *' 0.'*) homepage=() ;; esac
lintian_homepage=(--suppress-tags appstream-metadata-validation-failed)
lintian-explain-tags "${lintian_homepage[1]}" >/dev/null 2>&1 || lintian_homepage=()
appstreamcli validate --no-net --pedantic "${homepage[@]}" src/org.yeastcalc.yeastcalc.metainfo.xml

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
        usr/share/metainfo/org.yeastcalc.yeastcalc.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/org.yeastcalc.yeastcalc.svg \
        usr/share/man/man1/yeastcalc.1.gz usr/share/doc/yeastcalc/copyright \
        usr/share/doc/yeastcalc/changelog.gz; do
    [ -f "$stage/$file" ] || { echo "cmake --install left out /$file" >&2; exit 1; }
done
# Every relative link of the installed README, pictures included, must resolve beside it.
for link in $(grep -o '](\([^):]*\))' "$doc/README.md" | sed 's/^](\(.*\))$/\1/'); do
    [ -f "$doc/$link" ] || { echo "the installed README links to $link, which is not installed" >&2; exit 1; }
done
echo "cmake --install: program, desktop entry, metainfo, icon, manual page, docs; the README's links resolve"

# What a distribution's catalogue builder makes of the tree; it drops a desktop
# application with no icon of its own (icon-not-found), and exits non-zero on any error.
appstreamcli compose --no-net --origin=yeastcalc --result-root="$stage/catalogue" "$stage"

# lintian warns that it runs as root, which is how CI runs; the package is only read.
lintian --fail-on error,warning "${lintian_homepage[@]}" --info "$deb" 2>&1 | { grep -v '^running with root privileges' || true; }
echo "lintian: no error, no warning in $(basename "$deb")"
dpkg-deb --field "$deb" Depends

if dpkg-query -W -f='${Status}' yeastcalc 2>/dev/null | grep -q 'ok installed'; then
    echo "A yeastcalc is already installed here; it is left alone and the install check skipped."
    exit 0
fi
# Set before the install starts, so that a check stopped during it still removes it.
installed=yes
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null

# Under X, docks match a window to its menu entry by the window's class. The
# program is given 30 s to show a window named yeastcalc with a class on it.
class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/org.yeastcalc.yeastcalc.desktop)
status=0
XDG_RUNTIME_DIR="$stage" timeout 60 xvfb-run -a sh -c '
    classes() {
        for window in $(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"yeastcalc\".*/\1/p"); do
            xprop -id "$window" WM_CLASS
        done | grep "^WM_CLASS(STRING) = "
    }
    /usr/bin/yeastcalc 2>/dev/null &
    program=$!
    deadline=$(($(date +%s) + 30))
    until classes > "$XDG_RUNTIME_DIR/class"; do
        if ! kill -0 "$program" 2>/dev/null; then
            wait "$program" && ended=0 || ended=$?
            echo "the installed yeastcalc ended with $ended before its window appeared" >&2
            exit 1
        fi
        if [ "$(date +%s)" -ge "$deadline" ]; then
            echo "no window named yeastcalc with a class appeared within 30 s" >&2
            kill "$program"
            exit 1
        fi
        sleep 0.1
    done
    kill "$program" || { echo "the installed yeastcalc ended just after showing its window" >&2; exit 1; }
    wait "$program" || :' || status=$?
remove_installed
[ "$status" -eq 0 ] || { [ "$status" -ne 124 ] || echo "xvfb-run did not end within 60 s" >&2; exit 1; }
grep -qx "WM_CLASS(STRING) = \"yeastcalc\", \"$class\"" "$stage/class" || {
    echo "the window's class is not the desktop entry's StartupWMClass ($class):" >&2
    cat "$stage/class" >&2
    exit 1
}
echo "package: installed, started under X with the class its desktop entry names ($class), and removed"
