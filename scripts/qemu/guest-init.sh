#!/bin/busybox sh
# SPDX-License-Identifier: MIT
# The guest's /init: loads the disk drivers, reads the disks with orvane-report and with
# smartctl, and writes every output as a marked section to the second serial port, which
# the host saves to a file. The kernel console stays on the first port.
#
# orvane-report runs as the ordinary user "user" (uid 1000), who may not open the disks
# (devtmpfs makes their nodes root's, mode 0600): it reads every disk through the
# orvane-drive-reader beside it, which has cap_dac_read_search, cap_sys_rawio (ATA) and
# cap_sys_admin (NVMe). Then once as root (directly), once as the user with a reader that
# lacks its capabilities, and last as "member" (uid 1001) of the group disk after the nodes
# were given to that group: member opens the disks but the kernel refuses the commands
# (SG_IO and the NVMe admin command need capabilities), so the reader takes over; with the
# reader that lacks its capabilities member reads nothing. The recordings are the user's.
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
setcap cap_dac_read_search,cap_sys_rawio,cap_sys_admin=p /opt/orvane/orvane-drive-reader
echo "root:x:0:0:root:/:/bin/sh" >/etc/passwd
echo "user:x:1000:1000:user:/tmp:/bin/sh" >>/etc/passwd
echo "member:x:1001:1001:member:/tmp:/bin/sh" >>/etc/passwd
printf 'root:x:0:\ndisk:x:6:member\nuser:x:1000:\nmember:x:1001:\n' >/etc/group
chmod 1777 /tmp

# as_user COMMAND...: the command as the ordinary user (its words hold no blanks);
# as_member likewise as the member of the group disk.
as_user() {
    su -s /bin/sh -c "$*" user
}
as_member() {
    su -s /bin/sh -c "$*" member
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
    section record.0 as_user /opt/orvane/orvane-report --record 0
    section record.1 as_user /opt/orvane/orvane-report --record 1
    section record.2 as_user /opt/orvane/orvane-report --record 2
    chgrp disk /dev/nvme0n1 /dev/sda /dev/sdb
    chmod 0640 /dev/nvme0n1 /dev/sda /dev/sdb
    echo "@@begin nodes.group"
    ls -l /dev/nvme0n1 /dev/sda /dev/sdb
    echo "@@end nodes.group"
    section json.group as_member /opt/orvane/orvane-report --json
    section json.group.nocaps as_member /opt/nocaps/orvane-report --json
    echo "@@done"
} >$out 2>&1

sync
poweroff -f
