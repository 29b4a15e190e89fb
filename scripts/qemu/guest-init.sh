#!/bin/busybox sh
# SPDX-License-Identifier: MIT
# The guest's /init: loads the disk drivers, reads the disks with orvane-report and with
# smartctl, and writes every output as a marked section to the second serial port, which
# the host saves to a file. The kernel console stays on the first port.
#
# orvane-report runs as the ordinary user "user" (uid 1000), who may not open the disks
# (devtmpfs makes their nodes root's, mode 0600): it reads the ATA disks through the
# orvane-drive-reader beside it, which has cap_dac_read_search and cap_sys_rawio. The reader
# carries ATA commands only, so the user's run lists no NVMe disk and says why. Then once as
# root (directly, every disk), and once as the user with a reader that lacks its
# capabilities. The NVMe disk is recorded by root, the ATA disks by the user.
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

# The programs on a tmpfs, which keeps the capabilities in its extended attributes.
mkdir -p /opt /etc
mount -t tmpfs -o mode=0755 tmpfs /opt
mkdir -p /opt/orvane /opt/nocaps
for dir in /opt/orvane /opt/nocaps; do
    cp /bin/orvane-report /bin/orvane-drive-reader $dir/
done
setcap cap_dac_read_search,cap_sys_rawio=p /opt/orvane/orvane-drive-reader
echo "root:x:0:0:root:/:/bin/sh" >/etc/passwd
echo "user:x:1000:1000:user:/tmp:/bin/sh" >>/etc/passwd
printf 'root:x:0:\nuser:x:1000:\n' >/etc/group
chmod 1777 /tmp

# as_user COMMAND...: the command as the ordinary user (its words hold no blanks).
as_user() {
    su -s /bin/sh -c "$*" user
}

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
    echo "@@begin nodes"
    ls -l /dev/nvme0n1 /dev/sda /dev/sdb
    echo "@@end nodes"
    section json as_user /opt/orvane/orvane-report --json
    section json.root orvane-report --json
    section json.nocaps as_user /opt/nocaps/orvane-report --json
    section smartctl.0 smartctl -j -a /dev/nvme0
    section smartctl.1 smartctl -i -A /dev/sda
    section smartctl.2 smartctl -i -A /dev/sdb
    section record.0 orvane-report --record 0
    section record.1 as_user /opt/orvane/orvane-report --record 1
    section record.2 as_user /opt/orvane/orvane-report --record 2
    echo "@@done"
} >$out 2>&1

sync
poweroff -f
