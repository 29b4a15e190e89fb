#!/bin/busybox sh
# The guest's /init: loads the disk drivers, reads the disks with orvane-report and with
# smartctl, and writes every output as a marked section to the second serial port, which
# the host saves to a file. The kernel console stays on the first port.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

# Waits up to 20 s for the block device of the next disk.
wait_for_disk() {
    for _ in $(seq 1 200); do
        [ -e /sys/block/$1 ] && [ -e /dev/$1 ] && return 0
        sleep 0.1
    done
    echo "guest: $1 did not appear" >&2
    return 1
}

# The PIIX disk is loaded first so that it is always sda, the AHCI disk sdb; nvme0n1 sorts
# before both: drives 0 (NVMe), 1 (PIIX) and 2 (AHCI) of orvane-report.
modprobe sd_mod
modprobe ata_piix && wait_for_disk sda
modprobe ahci && wait_for_disk sdb
modprobe nvme && wait_for_disk nvme0n1

out=/dev/ttyS1
stty -F $out raw -echo 115200

# section NAME COMMAND...: the command's standard output, its standard error and its exit
# status, each between begin and end lines.
section() {
    name=$1
    shift
    echo "@@begin $name"
    "$@" 2>/tmp/stderr
    rc=$?
    echo "@@end $name"
    echo "@@begin $name.stderr"
    cat /tmp/stderr
    echo "@@end $name.stderr"
    echo "@@rc $name $rc"
}

{
    for disk in nvme0n1 sda sdb; do
        # The PCI function the disk hangs off, and the driver bound to it.
        pci=$(readlink -f /sys/block/$disk/device | sed -n 's,^\(/sys/devices/pci[^/]*/[^/]*\)/.*,\1,p')
        echo "@@disk $disk $(basename "$(readlink -f "$pci/driver")")"
    done
    section json orvane-report --json
    section smartctl.0 smartctl -j -a /dev/nvme0
    section smartctl.1 smartctl -i -A /dev/sda
    section smartctl.2 smartctl -i -A /dev/sdb
    section record.0 orvane-report --record 0
    section record.1 orvane-report --record 1
    section record.2 orvane-report --record 2
    echo "@@done"
} >$out 2>&1

sync
poweroff -f
