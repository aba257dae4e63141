#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Qt's own QLineEdit test, tst_qlineedit from Debian's source package of
# the installed Qt, twice: as Qt ships it, and with FieldGuard on every line
# edit it constructs. Fails on any row whose verdict differs, except the rows
# that allowed-differences.txt lists with their reasons. With "qt5" it does
# the same against Qt 5.15. The source package comes through deb-src entries
# of its own in the build tree, made from the machine's Debian archive entries:
# nothing under /etc/apt, /var/lib/apt or /var/cache/apt changes.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = qt5 ]; then
    qt=qt5 dev=qtbase5-dev
    setup/deps.sh qtbase5-private-dev dpkg-dev xz-utils
    qt_dir=(-DQT_DIR="/usr/lib/$(gcc -print-multiarch)/cmake/Qt5")
else
    qt=qt6 dev=qt6-base-dev
    setup/deps.sh qt6-base-private-dev dpkg-dev xz-utils
    qt_dir=()
fi
read -r package version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' "$dev")
work=build/qlineedit-suite/$qt
test=$work/tree/tests/auto/widgets/widgets/qlineedit/tst_qlineedit.cpp
mkdir -p "$work"

apt=$PWD/$work/apt runtime=
trap 'rm -rf "$apt" ${runtime:+"$runtime"}' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if [ ! -f "$test" ]; then
    rm -rf "$apt"
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial"
    # Each stanza and line of Debian's own archive again, for its sources.
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -e "$file" ] || continue
        awk -v RS= '/URIs:[^\n]*debian\.org\/debian/ && /Types:[^\n]*deb/ {
            sub(/Types:[^\n]*/, "Types: deb-src"); print; print "" }' "$file"
    done >"$apt/sources.list.d/debian-src.sources"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$file" ] || continue
        sed -n 's/^deb \(.*debian\.org\/debian.*\)/deb-src \1/p' "$file"
    done >"$apt/sources.list"
    [ -s "$apt/sources.list.d/debian-src.sources" ] || rm "$apt/sources.list.d/debian-src.sources"
    [ -s "$apt/sources.list" ] || [ -e "$apt/sources.list.d/debian-src.sources" ] || {
        echo "apt's sources name no Debian archive to fetch $package $version from." >&2
        exit 1
    }
    private=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/sources.list.d"
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
    apt-get "${private[@]}" update -qq
    (cd "$work" && apt-get "${private[@]}" source --download-only -qq "$package=$version")
    rm -rf "$work/tree" "$work/tree.new"
    mkdir -p "$work/tree.new"
    tar -xf "$work"/"${package}"_*.orig.tar.* -C "$work/tree.new" --strip-components=1 --wildcards \
        '*/tests/auto/widgets/widgets/qlineedit/*' '*/tests/auto/shared/*'
    # The test is taken as upstream wrote it: stop should Debian ever patch it.
    if tar -xOf "$work"/"${package}"_*.debian.tar.* --wildcards 'debian/patches/*' 2>/dev/null \
        | grep -q '^+++ .*tests/auto/widgets/widgets/qlineedit/'; then
        echo "Debian patches tst_qlineedit in $package $version; apply its patches first." >&2
        exit 1
    fi
    # Moved in whole, so that a run stopped half-way extracts it again.
    mv "$work/tree.new" "$work/tree"
fi

cmake -S qlineedit-suite -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DQT_TEST_SOURCE="$(realpath "$test")" "${qt_dir[@]}" >/dev/null
cmake --build "$work/build" --parallel "$(nproc)"

# Each row once, "ok" or "not ok", from Qt's TAP output: a skip counts as ok,
# an expected failure as not ok.
verdicts() {
    sed -n 's/^\(ok\|not ok\) [0-9]* - \(.*\)$/\2\t\1/p' "$1" \
        | sed 's/ # \(SKIP\|TODO\) .*\t/\t/' | sort
}
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    runtime=$(mktemp -d)
    export XDG_RUNTIME_DIR=$runtime
fi
export QT_QPA_PLATFORM=offscreen
"$work/build/tst_qlineedit_plain" -o "$work/plain.tap,tap" >/dev/null || true
"$work/build/tst_qlineedit_guarded" -o "$work/guarded.tap,tap" | tee "$work/guard.log" || true
# Qt writes the plan line last: without it a run stopped half-way.
for run in plain guarded; do
    grep -q '^1\.\.[1-9]' "$work/$run.tap" || {
        echo "tst_qlineedit_$run did not run to its end." >&2
        exit 1
    }
done
grep -q '^guard: [1-9][0-9]* line edits guarded, 0 seen without a guard$' "$work/guard.log" || {
    echo "The guard was not on every line edit; see above." >&2
    exit 1
}

allowed=$(sed -n 's/^\([^#][^|]*[^ |]\) *|.*/\1/p' qlineedit-suite/allowed-differences.txt)
differing=$( (diff <(verdicts "$work/plain.tap") <(verdicts "$work/guarded.tap") || true) \
    | sed -n 's/^[<>] \(.*\)\t.*$/\1/p' | sort -u)
rows=$(verdicts "$work/plain.tap" | wc -l)
unexpected=$(comm -23 <(echo "$differing" | sed '/^$/d') <(echo "$allowed" | sort))
echo "$package $version: $rows rows; differing with the guard: $(echo "$differing" | sed '/^$/d' | wc -l)"
echo "$differing" | sed '/^$/d; s/^/    /'
if [ -n "$unexpected" ]; then
    echo "Rows that differ with the guard and are not in allowed-differences.txt:" >&2
    echo "$unexpected" | sed 's/^/    /' >&2
    exit 1
fi
echo "qlineedit-suite: only the listed rows differ"
