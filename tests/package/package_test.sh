#!/bin/bash
# SPDX-License-Identifier: MIT
# Builds the Debian package and installs it into a clean Debian 12 system: a chroot made
# with mmdebstrap from the mirror apt already uses, kept as a tarball in WORK so that later
# runs only unpack it. There it reads a shipped recording as an ordinary user, and the
# desktop entry, the icons, the AppStream file and the capabilities are checked; then the
# package is purged and none of its files may remain. Needs root (chroot, mount).
#
#   package_test.sh SOURCE-DIR WORK-DIR REFERENCE-ORVANE-REPORT
set -euo pipefail
source_dir=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
reference=$3
recording=wdc-wd10ezex.rec

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the package test needs root (chroot and mount)"
    exit 77
fi

# The first URI of apt's sources that ends in /debian (or /debian-security).
# The first mirror of the archive named $1 in apt's sources (one-line or deb822 form), or
# nothing. A missing file or no match is no failure here: the caller decides.
mirror_of() {
    { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
        grep -v '^[[:space:]]*#' | grep -oE "(https?|file)://[^ ]*/$1/?( |\$)" | sed -n '1{s/ //g;s:/$::;p}' || true
}

build_package() {
    deb=$("$source_dir/scripts/package.sh" | tail -n1)
    echo "built $deb"
}

make_system() {
    tarball="$work/debian-12.tar.zst"
    [ -f "$tarball" ] && [ -s "$tarball" ] && return
    rm -rf "$tarball"
    local mirror security
    mirror=$(mirror_of debian)
    security=$(mirror_of debian-security)
    [ -n "$mirror" ] || fail "no Debian mirror in /etc/apt/sources.list*"
    local sources=("deb $mirror bookworm main" "deb $mirror bookworm-updates main")
    [ -z "$security" ] || sources+=("deb $security bookworm-security main")
    echo "making a clean Debian 12 system from $mirror (once; kept in $tarball)"
    # mmdebstrap picks the format by the name's ending: the part file must end in .tar.zst.
    local part="$work/debian-12.part.tar.zst"
    rm -rf "$part"
    mmdebstrap --variant=apt --mode=root --quiet bookworm "$part" "${sources[@]}"
    mv "$part" "$tarball"
}

build_package
make_system
# Everything else runs in a mount namespace of its own: the chroot's mounts end with it.
exec unshare --mount --propagation private -- "$source_dir/tests/package/in_chroot.sh" \
    "$tarball" "$deb" "$work" "$source_dir" "$reference" "$recording"
