#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds an Orvane recording of an NVMe drive from a smartctl text output.

Reads the output of `smartctl -a` of an NVMe drive and writes a recording to standard
output, with an nvme-identify section (the Identify Controller data, 4096 bytes) and an
nvme-health section (the SMART / Health Information log, 512 bytes):

    scripts/make-nvme-recording.py --source "where the text came from" smartctl.txt > drive.rec

The identify data carries what smartctl shows of it: PCI vendor (also as the subsystem
vendor), serial, model, firmware, IEEE OUI, controller id, version, the two composite
temperature thresholds and the number of namespaces; every other byte is zero. The health
log carries smartctl's fields from Critical Warning to Critical Comp. Temperature Time,
temperatures back in Kelvin (Celsius + 273); the temperature sensors and the log's other
bytes are zero. There is no version line: the drive's driver answers no
S.M.A.R.T. request, as the NVMe driver's does.

Lines starting with '#' in the input are skipped, so a source file can carry notes.
"""

import argparse
import re
import sys

IDENTIFY_SIZE = 4096
HEALTH_SIZE = 512

# smartctl's health log lines: (label, byte offset, size, kind)
HEALTH_FIELDS = [
    ("Critical Warning", 0, 1, "hex"),
    ("Temperature", 1, 2, "kelvin"),
    ("Available Spare", 3, 1, "percent"),
    ("Available Spare Threshold", 4, 1, "percent"),
    ("Percentage Used", 5, 1, "percent"),
    ("Data Units Read", 32, 16, "count"),
    ("Data Units Written", 48, 16, "count"),
    ("Host Read Commands", 64, 16, "count"),
    ("Host Write Commands", 80, 16, "count"),
    ("Controller Busy Time", 96, 16, "count"),
    ("Power Cycles", 112, 16, "count"),
    ("Power On Hours", 128, 16, "count"),
    ("Unsafe Shutdowns", 144, 16, "count"),
    ("Media and Data Integrity Errors", 160, 16, "count"),
    ("Error Information Log Entries", 176, 16, "count"),
    ("Warning  Comp. Temperature Time", 192, 4, "count"),
    ("Critical Comp. Temperature Time", 196, 4, "count"),
]


class SourceError(Exception):
    pass


def parse_smartctl(text):
    """The "Label:   value" lines as a dict (the first of a repeated label wins)."""
    info = {}
    for line in text.splitlines():
        if line.startswith("#"):
            continue
        m = re.match(r"^([A-Za-z][A-Za-z0-9 /.()]*?):\s+(.*?)\s*$", line)
        if m and m.group(1) not in info:
            info[m.group(1)] = m.group(2)
    return info


def number(text, kind):
    """A health field's value as smartctl prints it, as the number the log holds."""
    if kind == "hex":
        return int(text, 16)
    if kind == "kelvin":
        if text == "-":
            return 0
        m = re.fullmatch(r"(-?\d+) Celsius", text)
        if not m:
            raise SourceError("temperature %r" % text)
        return int(m.group(1)) + 273
    if kind == "percent":
        return int(text.rstrip("%"))
    return int(text.split("[")[0].strip().replace(",", ""))


def celsius_to_kelvin(text):
    m = re.fullmatch(r"(\d+) Celsius", text or "")
    return int(m.group(1)) + 273 if m else 0


def version_number(text):
    """VER: "1.4" -> 0x00010400, "1.2.1" -> 0x00010201; "<1.2" (not reported) -> 0."""
    m = re.fullmatch(r"(\d+)\.(\d+)(?:\.(\d+))?", text or "")
    if not m:
        return 0
    return int(m.group(1)) << 16 | int(m.group(2)) << 8 | int(m.group(3) or 0)


def put(data, offset, size, value):
    data[offset:offset + size] = value.to_bytes(size, "little")


def put_text(data, offset, size, text):
    raw = text.encode("ascii")
    if len(raw) > size:
        raise SourceError("%r is longer than %d characters" % (text, size))
    data[offset:offset + size] = raw.ljust(size, b" ")


def build_identify(info):
    d = bytearray(IDENTIFY_SIZE)
    vendor = info.get("PCI Vendor/Subsystem ID", "0")
    vid, _, ssvid = vendor.partition(":")
    put(d, 0, 2, int(vid, 16))
    put(d, 2, 2, int(ssvid or vid, 16))
    put_text(d, 4, 20, info.get("Serial Number", ""))
    put_text(d, 24, 40, info["Model Number"])
    put_text(d, 64, 8, info.get("Firmware Version", ""))
    put(d, 73, 3, int(info.get("IEEE OUI Identifier", "0"), 16))
    put(d, 78, 2, int(info.get("Controller ID", "0")))
    put(d, 80, 4, version_number(info.get("NVMe Version")))
    put(d, 266, 2, celsius_to_kelvin(info.get("Warning  Comp. Temp. Threshold")))
    put(d, 268, 2, celsius_to_kelvin(info.get("Critical Comp. Temp. Threshold")))
    put(d, 516, 4, int(info.get("Number of Namespaces", "0")))
    return d


def build_health(info, edits):
    h = bytearray(HEALTH_SIZE)
    for label, offset, size, kind in HEALTH_FIELDS:
        text = edits.get(label, info.get(label))
        if text is None:
            raise SourceError("no %r line" % label)
        put(h, offset, size, number(text, kind))
    return h


def hex_lines(data):
    return "\n".join(" ".join("%02x" % b for b in data[i:i + 16]) for i in range(0, len(data), 16))


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("input", help="the smartctl text output")
    p.add_argument("--source", required=True, help="where the text came from, for the header")
    p.add_argument("--note", action="append", default=[], help="a further header line")
    p.add_argument("--set", action="append", default=[], metavar="LABEL=VALUE",
                   help="replace a health line's value as smartctl would print it (stated in the header)")
    args = p.parse_args()

    try:
        with open(args.input, encoding="utf-8") as f:
            info = parse_smartctl(f.read())
        if "Model Number" not in info:
            raise SourceError("no \"Model Number\" line: not an NVMe drive's output")
        edits = {}
        for change in args.set:
            label, sep, value = change.partition("=")
            if not sep or label not in [field[0] for field in HEALTH_FIELDS]:
                raise SourceError("--set takes LABEL=VALUE with a health line's label")
            edits[label] = value
        identify, health = build_identify(info), build_health(info, edits)
    except (OSError, SourceError, ValueError) as e:
        sys.exit("make-nvme-recording: %s: %s" % (args.input, e))

    out = ["orvane-drive-recording 1",
           "# %s, firmware %s, serial %s" % (info["Model Number"], info.get("Firmware Version", "?"),
                                             info.get("Serial Number") or "(blank)"),
           "# Built by scripts/make-nvme-recording.py from smartctl output: %s" % args.source,
           "# The identify data holds what smartctl shows of it (every other byte is zero); the",
           "# health log holds smartctl's fields from Critical Warning to Critical Comp. Temperature",
           "# Time, temperatures in Kelvin (the temperature sensors and the rest are zero)."]
    out += ["# Edit: %s %s changed to %s" % (label, info.get(label), value) for label, value in edits.items()]
    out += ["# " + n for n in args.note]
    out += ["enable fail", "nvme-identify", hex_lines(identify), "nvme-health", hex_lines(health)]
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
