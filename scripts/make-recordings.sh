#!/bin/sh
# SPDX-License-Identifier: MIT
# Rebuilds every drive recording in assets/drives/ from the smartctl outputs in
# assets/drives/sources/. Each line below is one recording: its source and its options.
# Running it again must leave `git diff assets/drives` empty. An argument names another
# folder to write the recordings to (the tests compare that with the shipped ones).
set -eu
cd "$(dirname "$0")/.."
src=assets/drives/sources
out=${1:-assets/drives}
mkdir -p "$out"

record() {
    name=$1 source=$2
    shift 2
    python3 scripts/make-recording.py "$src/$source.txt" \
        --source "$(sed -n '1s/^# source: //p' "$src/$source.txt" | sed 's/; trimmed.*//')" \
        "$@" > "$out/$name.rec.tmp"
    mv "$out/$name.rec.tmp" "$out/$name.rec"
}

# Ordinary disks with attribute 194.
record wdc-wd10ezex               wdc-wd10ezex
record st2000dm001                st2000dm001
record hitachi-hcs5c1010cla382    hitachi-hcs5c1010cla382

# An SSD that reports its temperature in attribute 190 only.
record samsung-ssd-850-evo-120gb  samsung-ssd-850-evo-120gb

# A hot disk: 58 C.
record hot-hitachi-hcc543232a7a380 hitachi-hcc543232a7a380 \
    --set '194:raw=58 (Min/Max 14/58)' --set 194:value=103 --set 194:worst=103 \
    --note "Hitachi drives report VALUE close to 6000 / temperature, hence 103 at 58 C."

# A failing disk: a worn drive (192 reallocated and 128 pending sectors) whose
# Reallocated_Sector_Ct is put below its threshold of 10.
record failing-st2000dm001        st2000dm001-worn \
    --set 5:value=1 --set 5:worst=1

# All 30 attribute slots in use.
record full-toshiba-dt01aba200    toshiba-dt01aba200 --pad-to 30

# An ATAPI DVD writer: device map bit 4 (ATAPI drive 0), S.M.A.R.T. ENABLE fails and
# there are no attribute or threshold sectors.
record atapi-hl-dt-st-gh24nsd1    hl-dt-st-dvdram-gh24nsd1 \
    --atapi --version-map 10 --enable fail --no-attributes --no-thresholds \
    --note "Edit: no smartctl output of this drive was found; model and firmware come from the" \
    --note "kernel log lines quoted in the source file, the serial number is unknown (blank)."

# A disk whose attribute read fails: IDENTIFY and thresholds answer, attributes do not.
record no-attributes-wdc-wd10ezex wdc-wd10ezex --no-attributes

# NVMe drives: their driver answers no S.M.A.R.T. request, so they are asked for their
# Identify Controller data and health log instead (scripts/make-nvme-recording.py).
record_nvme() {
    name=$1 source=$2
    shift 2
    python3 scripts/make-nvme-recording.py "$src/$source.txt" \
        --source "$(sed -n '1s/^# source: //p' "$src/$source.txt" | sed 's/; trimmed.*//')" \
        "$@" > "$out/$name.rec.tmp"
    mv "$out/$name.rec.tmp" "$out/$name.rec"
}

# A healthy NVMe drive.
record_nvme nvme-samsung-ssd-970-evo-plus-500gb samsung-ssd-970-evo-plus-500gb

# A failed NVMe drive: Critical Warning 09h, its spare used up and the media read-only.
record_nvme failed-nvme-crucial-ct4000p3pssd8 crucial-ct4000p3pssd8
