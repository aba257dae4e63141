#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's test command (also against Qt 5.15), Qt's QLineEdit test
# with the field guard, the lint and the package check in a fresh Debian 13
# root made with mmdebstrap, so that each is proven on Qt 6.8, GCC 14,
# clang 19, cppcheck 2.17 and AppStream 1.0 as well.
# It tests what is committed: the root gets a clone of HEAD. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "The Debian 13 root is made and entered with mmdebstrap and chroot, which need root." >&2
    exit 1
fi
setup/deps.sh mmdebstrap

root=$(mktemp -d /var/tmp/yeastcalc-debian13.XXXXXX)
unmount() {
    for mount in "$root/dev" "$root/proc"; do
        if mountpoint -q "$mount"; then umount -R "$mount" || umount -R -l "$mount"; fi
    done
}
# --one-file-system keeps rm out of anything still mounted inside.
trap 'unmount; rm -rf --one-file-system "$root"' EXIT

start=$SECONDS
mmdebstrap --quiet --variant=apt --include=ca-certificates,git trixie "$root"
echo "== the Debian 13 root took $((SECONDS - start)) s"
git clone --quiet --no-local . "$root/yeastcalc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 bash -c '
    set -e
    cd /yeastcalc
    . /etc/os-release
    for leg in setup/test.sh "setup/test.sh qt5" qlineedit-suite/run.sh lint/run.sh package/check.sh; do
        start=$SECONDS
        $leg
        echo "== $leg took $((SECONDS - start)) s on $PRETTY_NAME"
    done'
