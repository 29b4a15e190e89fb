#!/bin/bash
# SPDX-License-Identifier: MIT
# The part of package_test.sh that runs in its own mount namespace: unpacks the clean
# system, installs the package, checks it and purges it.
#   in_chroot.sh TARBALL DEB WORK SOURCE-DIR REFERENCE-ORVANE-REPORT RECORDING
set -euo pipefail
tarball=$1 deb=$2 work=$3 source_dir=$4 reference=$5 recording=$6
root="$work/root"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
in_root() { chroot "$root" "$@"; }

cleanup() {
    umount "$root/var/cache/apt/archives" 2>/dev/null || true
    umount "$root/proc" 2>/dev/null || true
    umount "$root/dev/pts" 2>/dev/null || true
    rm -rf --one-file-system "$root"
}
cleanup
trap cleanup EXIT
mkdir -p "$root" "$work/apt-archives/partial"
tar -C "$root" --zstd -xf "$tarball"
mount -t proc proc "$root/proc"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
# Downloaded packages stay in the work folder for the next run.
mount --bind "$work/apt-archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/orvane.deb"
cp "$source_dir/assets/drives/$recording" "$root/tmp/$recording"
chmod 644 "$root/tmp/orvane.deb" "$root/tmp/$recording"

export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt_log="$work/apt.log"
in_root apt-get update -qq >"$apt_log" 2>&1 || fail "apt-get update failed: $(cat "$apt_log")"
in_root apt-get install -y -qq --no-install-recommends /tmp/orvane.deb >"$apt_log" 2>&1 ||
    fail "the package does not install: $(cat "$apt_log")"

# The installed orvane-report, as an ordinary user, reads the recording as this build does.
want=$("$reference" --json --drive 0="$source_dir/assets/drives/$recording")
got=$(in_root setpriv --reuid=nobody --regid=nogroup --clear-groups orvane-report --json --drive "0=/tmp/$recording")
[ "$got" = "$want" ] || fail "the installed orvane-report prints
$got
instead of
$want"
metrics=$(in_root orvane-report --prometheus --drive "0=/tmp/$recording")
grep -q '^orvane_drive_temperature_celsius{drive="0",' <<<"$metrics" ||
    fail "no temperature in the installed orvane-report's Prometheus output:
$metrics"
echo "ok: the installed orvane-report reads a recording as an ordinary user"

# The desktop entry, its icon in every size and the AppStream file.
desktop-file-validate "$root/usr/share/applications/orvane.desktop" || fail "the desktop entry is not valid"
grep -qx 'Icon=orvane' "$root/usr/share/applications/orvane.desktop" || fail "the desktop entry names another icon"
for size in 16 22 24 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/orvane.png"
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "no $size-pixel icon: $(file -b "$icon")"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/org.orvane.orvane.metainfo.xml" >/dev/null ||
    fail "the AppStream file is not valid"
[ -s "$root/usr/share/orvane/readme.txt" ] || fail "no readme.txt in the data folder"
for page in orvane orvane-report; do
    [ -s "$root/usr/share/man/man1/$page.1" ] || fail "no man page $page.1"
done
echo "ok: desktop entry, icons, AppStream file, readme.txt and man pages"

# The window finds the mail library in its private folder (the loader does not look there).
library=$(in_root sh -c 'ls /usr/lib/*/orvane/libsendmail_lib.so')
in_root sh -c 'cd /tmp && QT_QPA_PLATFORM=offscreen LD_DEBUG=files timeout -s TERM 10 orvane' >"$work/orvane.log" 2>&1 || true
grep -q "calling init: .*/orvane/libsendmail_lib.so" "$work/orvane.log" ||
    fail "orvane did not load $library:
$(tail -n 20 "$work/orvane.log")"
echo "ok: orvane loads $library"

# Every program that needs capabilities carries them.
while read -r program capabilities; do
    [ -n "$program" ] || continue
    got=$(in_root getcap "$program")
    [ "$got" = "$program $capabilities" ] || fail "$program has \"$got\", not $capabilities"
    echo "ok: $program has $capabilities"
done <"$source_dir/build-package/debian/capabilities.txt"

# Purged, the package leaves none of its files behind.
in_root dpkg -L orvane >"$work/files.txt"
in_root apt-get purge -y -qq orvane >"$apt_log" 2>&1 || fail "the package does not purge: $(cat "$apt_log")"
left=""
while read -r path; do
    if [ -e "$root$path" ] && [ ! -d "$root$path" ]; then
        left="$left $path"
    fi
done <"$work/files.txt"
[ -z "$left" ] || fail "files left after purging:$left"
for folder in usr/share/orvane usr/libexec/orvane usr/lib/x86_64-linux-gnu/orvane; do
    [ ! -e "$root/$folder" ] || fail "/$folder left after purging"
done
! in_root dpkg -s orvane >/dev/null 2>&1 || fail "dpkg still knows the package"
echo "ok: the package installs into a clean Debian 12 and purges without a trace"
