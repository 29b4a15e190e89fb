#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Reads three emulated disks end to end: boots a small Linux guest under QEMU (q35 machine)
# with an NVMe disk, one ATA disk on a PIIX IDE controller and one on the machine's AHCI
# controller, runs orvane-report and smartctl on them inside the guest, and hands the
# outputs to compare.py. The NVMe disk sorts first (nvme0n1 before sda): it is drive 0.
# orvane-report runs as an ordinary user there, reading every disk through
# orvane-drive-reader with its capabilities (setcap in the guest), once more as root,
# reading every disk directly, and as a member of the group disk, whose commands the kernel
# refuses, so that the reader takes over.
#
#   scripts/qemu/run-e2e.sh [--report PATH] [--reader PATH] [--work DIR]
#
# --report  the orvane-report to test (default: build the release preset's)
# --reader  the orvane-drive-reader to test (default: the one beside --report)
# --work    where this run's images, outputs and guest console go (default: build-qemu/run)
#
# The kernel comes from Debian's linux-image-amd64 dependency, unpacked without installing
# it, and is kept under build-qemu/kernel/ between runs. A failed run prints the guest's
# console.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/scripts/qemu
report=""
reader=""
work=$root/build-qemu/run
while [ $# -gt 0 ]; do
    case $1 in
    --report) report=$2; shift 2 ;;
    --reader) reader=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    *) echo "usage: $0 [--report PATH] [--reader PATH] [--work DIR]" >&2; exit 2 ;;
    esac
done

# model and serial of each disk: drive 0 is the NVMe disk (QEMU names its model itself and
# is told to raise Critical Warning bit 2), drive 1 the PIIX disk, drive 2 the AHCI disk
nvme_model="QEMU NVMe Ctrl"
nvme_serial="ORV-NVME-0003"
nvme_warning=4
piix_model="ORVANE PIIX TEST DISK"
piix_serial="ORV-PIIX-0001"
ahci_model="ORVANE AHCI TEST DISK"
ahci_serial="ORV-AHCI-0002"

started=$(date +%s)
"$root"/scripts/setup.sh
smartctl=$(command -v smartctl || echo /usr/sbin/smartctl)
if [ -z "$report" ]; then
    (cd "$root" && cmake --preset release >/dev/null \
        && cmake --build --preset release --target orvane-report orvane-drive-reader >/dev/null)
    report=$root/build-release/orvane-report
fi
report=$(readlink -f "$report")
reader=$(readlink -f "${reader:-$(dirname "$report")/orvane-drive-reader}")
setcap=$(command -v setcap || echo /usr/sbin/setcap)

# --- the kernel and its modules ---------------------------------------------------------
# (with the modules each of them needs, as the kernel's modules.dep says)
modules="ata_piix ahci sd_mod libata libahci scsi_mod scsi_common t10-pi crc-t10dif crct10dif_common
         crc64-rocksoft crc64 nvme nvme-core"
kernel_cache=$root/build-qemu/kernel
kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*\)$/\1/p' | head -n 1
}
download() {
    (cd "$kernel_cache" && apt-get download -o APT::Sandbox::User=root "$1" >/dev/null 2>&1)
}
package=$(kernel_package)
if [ -n "$package" ] && [ -f "$kernel_cache/$package/vmlinuz" ] \
    && [ "$(cat "$kernel_cache/$package/modules.list" 2>/dev/null)" = "$(echo $modules)" ]; then
    kernel_dir=$kernel_cache/$package
else
    echo "run-e2e: fetching the kernel package${package:+ $package}"
    rm -rf "$kernel_cache/unpack" "$kernel_cache"/*.deb
    mkdir -p "$kernel_cache/unpack"
    # Old kernels leave the archive: with stale package lists, refresh and ask again.
    if [ -z "$package" ] || ! download "$package"; then
        apt-get update -qq
        package=$(kernel_package)
        [ -n "$package" ] || { echo "run-e2e: apt-cache names no kernel for linux-image-amd64" >&2; exit 1; }
        download "$package" || { echo "run-e2e: apt-get download $package failed" >&2; exit 1; }
    fi
    kernel_dir=$kernel_cache/$package
    rm -rf "$kernel_cache"/linux-image-*/
    dpkg-deb -x "$kernel_cache"/"$package"_*.deb "$kernel_cache/unpack"
    version=$(ls "$kernel_cache/unpack/lib/modules")
    mkdir -p "$kernel_dir/lib/modules/$version"
    tree=$kernel_cache/unpack/lib/modules/$version
    # The package holds no modules.dep (installing it makes one): make it here.
    busybox depmod -b "$kernel_cache/unpack" "$version"
    for module in $modules; do
        line=$(grep -E "(^|/)$module\.ko(\.[a-z]+)?:" "$tree/modules.dep" | head -n 1)
        [ -n "$line" ] || { echo "run-e2e: $package has no module $module" >&2; exit 1; }
        for file in ${line%%:*} ${line#*:}; do
            cp "$tree/$file" "$kernel_dir/lib/modules/$version/"
        done
    done
    echo $modules >"$kernel_dir/modules.list"
    cp "$kernel_cache/unpack/boot/vmlinuz-$version" "$kernel_dir/vmlinuz.tmp"
    mv "$kernel_dir/vmlinuz.tmp" "$kernel_dir/vmlinuz"
    rm -rf "$kernel_cache/unpack" "$kernel_cache"/*.deb
fi

# --- the initramfs: busybox, the readers and setcap with their libraries, the modules -----
# Only this script's own files go: --work may name a folder that holds other things too.
mkdir -p "$work"
rm -rf "$work/initrd" "$work/initrd.gz" "$work"/*.qcow2 "$work/console.log" "$work/results.txt" "$work"/record.*.txt
mkdir -p "$work/initrd"/{bin,dev,proc,sys,tmp,lib/modules}
initrd=$work/initrd
cp "$(command -v busybox)" "$initrd/bin/busybox"
cp "$report" "$initrd/bin/orvane-report"
cp "$reader" "$initrd/bin/orvane-drive-reader"
cp "$smartctl" "$initrd/bin/smartctl"
cp "$setcap" "$initrd/bin/setcap"
for program in "$report" "$reader" "$smartctl" "$setcap"; do
    for lib in $(ldd "$program" | sed -n 's/.*=> \(\/[^ ]*\) .*/\1/p; s/^[[:space:]]*\(\/[^ ]*\) (.*/\1/p'); do
        mkdir -p "$initrd$(dirname "$lib")"
        cp -L "$lib" "$initrd$lib"
    done
done
cp -r "$kernel_dir/lib/modules/." "$initrd/lib/modules/"
busybox depmod -b "$initrd" "$(ls "$initrd/lib/modules")"
cp "$here/guest-init.sh" "$initrd/init"
(cd "$initrd" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1 >"$work/initrd.gz")

# --- the boot ----------------------------------------------------------------------------
qemu-img create -q -f qcow2 "$work/nvme.qcow2" 64M
qemu-img create -q -f qcow2 "$work/piix.qcow2" 64M
qemu-img create -q -f qcow2 "$work/ahci.qcow2" 64M
booted=$(date +%s)
status=0
# Software emulation only: automatic selection would pick a KVM that may not work and hang.
# q35 brings its own AHCI controller (buses ide.0 to ide.5); the PIIX controller is added.
timeout 150 qemu-system-x86_64 -machine q35,accel=tcg -cpu max -m 512 -nodefaults -no-user-config \
    -display none -no-reboot \
    -kernel "$kernel_dir/vmlinuz" -initrd "$work/initrd.gz" -append "console=ttyS0 panic=-1" \
    -serial "file:$work/console.log" -serial "file:$work/results.txt" \
    -drive "if=none,id=nvm,file=$work/nvme.qcow2,format=qcow2" \
    -device "nvme,drive=nvm,serial=$nvme_serial,smart_critical_warning=$nvme_warning" \
    -device piix3-ide,id=piix \
    -drive "if=none,id=pata,file=$work/piix.qcow2,format=qcow2" \
    -device "ide-hd,drive=pata,bus=piix.0,unit=0,model=$piix_model,serial=$piix_serial" \
    -drive "if=none,id=sata,file=$work/ahci.qcow2,format=qcow2" \
    -device "ide-hd,drive=sata,bus=ide.0,model=$ahci_model,serial=$ahci_serial" || status=$?
finished=$(date +%s)

fail() {
    echo "run-e2e: $1" >&2
    echo "---- guest console ($work/console.log) ----" >&2
    cat "$work/console.log" >&2 || true
    echo "---- guest results ($work/results.txt) ----" >&2
    cat "$work/results.txt" >&2 || true
    exit 1
}
[ "$status" -eq 0 ] || fail "QEMU ended with status $status (124: timed out)"
grep -q '^@@done' "$work/results.txt" || fail "the guest did not finish"
echo "run-e2e: guest ran $((finished - booted)) s (setup $((booted - started)) s)"

python3 "$here/compare.py" --results "$work/results.txt" --report "$report" --work "$work" \
    --nvme-warning "$nvme_warning" \
    --disk 0 nvme0n1 nvme "$nvme_model" "$nvme_serial" \
    --disk 1 sda ata_piix "$piix_model" "$piix_serial" \
    --disk 2 sdb ahci "$ahci_model" "$ahci_serial" || fail "the comparison failed"
