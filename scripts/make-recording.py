#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds an Orvane drive recording from a smartctl text output.

Reads the output of `smartctl -i -A` (or -a / -x; the attribute table may be in the
long format with hex FLAG, TYPE and UPDATED columns or in the brief "-f brief" format
with POSR-K letters) and writes a recording to standard output:

    scripts/make-recording.py --source "where the text came from" smartctl.txt > drive.rec

The IDENTIFY sector carries the model, serial, firmware, capacity and rotation rate
smartctl shows; the words smartctl does not show get values typical of a SATA disk.
The attribute and threshold sectors hold the rows of the attribute table in order,
the raw value put back into the six raw bytes the way smartctl decoded it.

Lines starting with '#' in the input are skipped, so a source file can carry notes.
"""

import argparse
import re
import sys

SECTOR = 512

# smartctl's brief flag letters, in bit order from bit 0.
BRIEF_FLAGS = "POSRCK"

# Vendor attribute IDs used by --pad-to, in the order they are tried.
PAD_IDS = [2, 8, 11, 13, 191, 195, 196, 200, 201, 220, 222, 223, 224, 225, 226, 227,
           228, 230, 231, 232, 233, 240, 241, 242, 250, 254, 16, 17, 18, 22]


class SourceError(Exception):
    pass


# ---------------------------------------------------------------- reading smartctl text

def parse_smartctl(text):
    """Returns (info, attributes): the identity lines as a dict and the attribute rows."""
    info = {}
    attributes = []
    in_table = False
    brief = False
    for line in text.splitlines():
        if line.startswith("#"):
            continue
        if line.startswith("ID# ATTRIBUTE_NAME"):
            in_table = True
            brief = "FLAGS" in line.split() or "FAIL" in line.split()
            continue
        if in_table:
            row = parse_attribute_row(line, brief)
            if row is None:
                in_table = False
            else:
                attributes.append(row)
            continue
        m = re.match(r"^([A-Za-z][A-Za-z /]*?):\s+(.*?)\s*$", line)
        if m:
            # A repeated line ("SMART support is") keeps all its values.
            key = m.group(1)
            info[key] = info[key] + " | " + m.group(2) if key in info else m.group(2)
    return info, attributes


def parse_attribute_row(line, brief):
    fields = line.split()
    if len(fields) < 6 or not fields[0].isdigit():
        return None
    attr_id, name, flags = int(fields[0]), fields[1], fields[2]
    value, worst, thresh = (int(fields[3]), int(fields[4]), int(fields[5].strip("-") or 0))
    if brief:
        # ID NAME FLAGS VALUE WORST THRESH FAIL RAW...
        flag_bits = sum(1 << i for i, c in enumerate(flags) if c != "-" and i < len(BRIEF_FLAGS))
        raw_text = " ".join(fields[7:])
    else:
        # ID NAME FLAG VALUE WORST THRESH TYPE UPDATED WHEN_FAILED RAW...
        flag_bits = int(flags, 16)
        raw_text = " ".join(fields[9:])
    if not 1 <= attr_id <= 255 or not all(0 <= n <= 255 for n in (value, worst, thresh)):
        raise SourceError("attribute row out of range: " + line.strip())
    raw, reserved = encode_raw(raw_text, name)
    return {"id": attr_id, "name": name, "flags": flag_bits, "value": value, "worst": worst,
            "thresh": thresh, "raw": raw, "reserved": reserved, "raw_text": raw_text}


def signed_byte(n):
    if not -128 <= n <= 255:
        raise SourceError("temperature byte out of range: %d" % n)
    return n & 0xFF


def encode_raw(text, name):
    """Puts smartctl's raw value text back into the six raw bytes (and the reserved byte).

    Each pattern is the inverse of one of smartctl's raw formats."""
    t = text.strip()
    n = r"(\d+)"
    m = re.fullmatch(n, t)                                     # raw48
    if m:
        return int(m.group(1)), 0
    m = re.fullmatch(r"0x([0-9a-fA-F]+)", t)                   # hex48
    if m:
        return int(m.group(1), 16), 0
    m = re.fullmatch(r"(-?\d+) \(Min/Max (-?\d+)/(-?\d+)\)", t)  # temperature, min, max
    if m:
        cur, lo, hi = (int(g) for g in m.groups())
        # Bytes 0, 2 and 4 as Hitachi/HGST drives store them; byte 1 stays 0.
        return (signed_byte(cur) | signed_byte(lo) << 16 | signed_byte(hi) << 32), 0
    m = re.fullmatch(r"(-?\d+) \(Min/Max (-?\d+)/(-?\d+) #(\d+)\)", t)  # ... and over-limit count
    if m:
        cur, lo, hi, count = (int(g) for g in m.groups())
        return (signed_byte(cur) | signed_byte(lo) << 16 | signed_byte(hi) << 24 | count << 32), 0
    m = re.fullmatch(r"(-?\d+) \((\d+) (\d+) (\d+) (\d+) (\d+)\)", t)  # temperature, bytes 5..1
    if m:
        b = [int(g) for g in m.groups()]
        raw = signed_byte(b[0])
        for shift, byte in zip((40, 32, 24, 16, 8), b[1:]):
            raw |= byte << shift
        return raw, 0
    m = re.fullmatch(r"(\d+) \((\d+) (\d+) (\d+)\)", t)        # raw24(raw8): bytes 5, 4, 3
    if m:
        low, b5, b4, b3 = (int(g) for g in m.groups())
        return low | b3 << 24 | b4 << 32 | b5 << 40, 0
    m = re.fullmatch(r"(\d+) \(Average (\d+)\)", t)           # raw16(avg16)
    if m:
        return int(m.group(1)) | int(m.group(2)) << 16, 0
    m = re.fullmatch(r"(\d+) \((\d+) (\d+)\)", t)              # raw16(raw16): words 2, 1
    if m:
        w0, w2, w1 = (int(g) for g in m.groups())
        return w0 | w1 << 16 | w2 << 32, 0
    m = re.fullmatch(r"(\d+) (\d+) (\d+)", t)                  # raw16: words 2, 1, 0
    if m:
        w2, w1, w0 = (int(g) for g in m.groups())
        return w0 | w1 << 16 | w2 << 32, 0
    m = re.fullmatch(r"(\d+) (\d+) (\d+) (\d+) (\d+) (\d+)", t)  # raw8: bytes 5..0
    if m:
        return int.from_bytes(bytes(int(g) for g in m.groups()), "big"), 0
    m = re.fullmatch(r"(\d+)h\+(\d+)m\+(\d+)\.(\d+)s", t)      # msec24hour32
    if m:
        hours, minutes, seconds, msec = (int(g) for g in m.groups())
        ms = (minutes * 60 + seconds) * 1000 + msec
        # Hours in bytes 0-3, milliseconds in bytes 4-5 and the reserved byte.
        return hours | (ms & 0xFFFF) << 32, ms >> 16
    m = re.fullmatch(r"(\d+)h\+(\d+)m\+(\d+)s", t)             # sec2hour
    if m:
        hours, minutes, seconds = (int(g) for g in m.groups())
        return hours * 3600 + minutes * 60 + seconds, 0
    m = re.fullmatch(r"(\d+)h\+(\d+)m(?: \((\d+)\))?", t)      # min2hour / halfmin2hour
    if m:
        hours, minutes = int(m.group(1)), int(m.group(2))
        if "Half_Min" in name:
            return hours * 120 + minutes * 2, 0
        return hours * 60 + minutes | int(m.group(3) or 0) << 32, 0
    m = re.fullmatch(r"(\d+)/(\d+)", t)                        # raw24/raw32
    if m:
        high, low = int(m.group(1)), int(m.group(2))
        return low | (high & 0xFFFF) << 32, high >> 16
    m = re.fullmatch(r"(\d+)\.(\d)", t)                        # temp10x
    if m:
        return int(m.group(1)) * 10 + int(m.group(2)), 0
    raise SourceError("raw value not understood: %r (%s)" % (text, name))


# ---------------------------------------------------------------- building the sectors

def put_word(sector, word, value):
    sector[2 * word] = value & 0xFF
    sector[2 * word + 1] = (value >> 8) & 0xFF


def put_text(sector, first_word, words, text):
    """An identity text field: blank-padded, first character of each pair in the high byte."""
    data = text.encode("ascii")
    if len(data) > 2 * words:
        raise SourceError("%r is longer than %d characters" % (text, 2 * words))
    data = data.ljust(2 * words, b" ")
    for i in range(words):
        put_word(sector, first_word + i, data[2 * i] << 8 | data[2 * i + 1])


def finish_checksum(sector):
    """Byte 511 such that all 512 bytes sum to 0 modulo 256."""
    sector[511] = (-sum(sector[:511])) & 0xFF


def capacity_sectors(info):
    text = info.get("User Capacity") or info.get("Total NVM Capacity") or ""
    digits = re.sub(r"[^0-9]", "", text.split("bytes")[0])
    if not digits:
        raise SourceError("no \"User Capacity\" line")
    return int(digits) // logical_sector_size(info)


def logical_sector_size(info):
    sizes = info.get("Sector Sizes") or info.get("Sector Size") or "512 bytes logical"
    m = re.search(r"(\d+) bytes logical", sizes)
    return int(m.group(1)) if m else 512


def physical_sector_size(info):
    sizes = info.get("Sector Sizes") or info.get("Sector Size") or ""
    m = re.search(r"(\d+) bytes physical", sizes)
    return int(m.group(1)) if m else logical_sector_size(info)


def major_version_bits(info):
    """Word 80: every major version from ATA/ATAPI-4 up to the newest one smartctl names."""
    text = info.get("ATA Version is", "")
    newest = 8  # ATA8-ACS
    for pattern, bit in ((r"ACS-5", 13), (r"ACS-4", 11), (r"ACS-3", 10), (r"ACS-2", 9),
                         (r"ATA8", 8), (r"ATA/ATAPI-7", 7), (r"ATA/ATAPI-6", 6),
                         (r"ATA/ATAPI-5", 5), (r"ATA/ATAPI-4", 4), (r"^(\d+)$", None)):
        m = re.search(pattern, text)
        if m:
            newest = bit if bit is not None else min(int(m.group(1)), 13)
            break
    return sum(1 << b for b in range(4, newest + 1))


def build_identify(info, atapi):
    s = bytearray(SECTOR)
    model = info.get("Device Model") or info.get("Model Number")
    if not model:
        raise SourceError("no \"Device Model\" line")
    put_text(s, 10, 10, info.get("Serial Number", ""))
    put_text(s, 23, 4, info.get("Firmware Version", ""))
    put_text(s, 27, 20, model)
    put_word(s, 80, major_version_bits(info))
    put_word(s, 83, 0x4000)
    put_word(s, 84, 0x4000)
    put_word(s, 87, 0x4000)
    if atapi:
        put_word(s, 0, 0x85C0)          # ATAPI, CD/DVD, removable, DRQ within 50 us
        put_word(s, 49, 0x0F00)         # DMA, LBA, IORDY
        put_word(s, 82, 0x0210)         # PACKET and DEVICE RESET; no S.M.A.R.T.
        put_word(s, 85, 0x0210)
    else:
        sectors = capacity_sectors(info)
        heads, per_track = 16, 63
        cylinders = min(16383, sectors // (heads * per_track))
        put_word(s, 0, 0x0040)          # fixed ATA disk
        put_word(s, 1, cylinders)
        put_word(s, 3, heads)
        put_word(s, 6, per_track)
        put_word(s, 47, 0x8010)
        put_word(s, 49, 0x2F00)         # LBA, DMA, IORDY, standby timer
        put_word(s, 53, 0x0007)
        put_word(s, 54, cylinders)
        put_word(s, 55, heads)
        put_word(s, 56, per_track)
        chs = cylinders * heads * per_track
        put_word(s, 57, chs & 0xFFFF)
        put_word(s, 58, chs >> 16)
        lba28 = min(sectors, 0x0FFFFFFF)
        put_word(s, 60, lba28 & 0xFFFF)
        put_word(s, 61, lba28 >> 16)
        smart_enabled = "Disabled" not in info.get("SMART support is", "")
        put_word(s, 82, 0x3069 | 0x0001)   # S.M.A.R.T., write cache, look-ahead, ...
        put_word(s, 83, 0x7400 | 0x4000)   # LBA48, FLUSH CACHE EXT
        put_word(s, 84, 0x4163 | 0x4000)
        put_word(s, 85, 0x3068 | (1 if smart_enabled else 0))
        put_word(s, 86, 0xB400)
        put_word(s, 87, 0x4163 | 0x4000)
        put_word(s, 88, 0x007F)
        for i in range(4):
            put_word(s, 100 + i, (sectors >> (16 * i)) & 0xFFFF)
        ratio = physical_sector_size(info) // logical_sector_size(info)
        word106 = 0x4000
        if ratio > 1:
            word106 |= 0x2000 | (ratio.bit_length() - 1)
        put_word(s, 106, word106)
        rotation = info.get("Rotation Rate", "")
        m = re.match(r"(\d+) rpm", rotation)
        if "Solid State" in rotation:
            put_word(s, 217, 1)
        elif m:
            put_word(s, 217, int(m.group(1)))
    s[510] = 0xA5
    finish_checksum(s)
    return s


def build_attribute_sectors(rows):
    if len(rows) > 30:
        raise SourceError("%d attributes; a sector holds 30" % len(rows))
    values, thresholds = bytearray(SECTOR), bytearray(SECTOR)
    put_word(values, 0, 0x0010)
    put_word(thresholds, 0, 0x0010)
    for slot, row in enumerate(rows):
        at = 2 + 12 * slot
        values[at] = row["id"]
        values[at + 1] = row["flags"] & 0xFF
        values[at + 2] = row["flags"] >> 8
        values[at + 3] = row["value"]
        values[at + 4] = row["worst"]
        values[at + 5:at + 11] = row["raw"].to_bytes(6, "little")
        values[at + 11] = row["reserved"]
        thresholds[at] = row["id"]
        thresholds[at + 1] = row["thresh"]
    values[362] = 0x82       # offline data collection completed without error
    values[367] = 0x7B       # offline, self-test and selective self-test capabilities
    values[368] = 0x03       # saves data before power-saving; auto save timer
    values[370] = 0x01       # error logging supported
    finish_checksum(values)
    finish_checksum(thresholds)
    return values, thresholds


# ---------------------------------------------------------------- edits and output

def apply_edits(rows, args):
    """The edits the options ask for; returns the sentences that describe them."""
    edits = []
    for attr_id in args.remove:
        if not any(r["id"] == attr_id for r in rows):
            raise SourceError("--remove %d: no such attribute" % attr_id)
        rows[:] = [r for r in rows if r["id"] != attr_id]
        edits.append("attribute %d removed" % attr_id)
    for change in args.set:
        m = re.fullmatch(r"(\d+):(value|worst|thresh|raw)=(.+)", change)
        if not m:
            raise SourceError("--set takes ID:FIELD=NUMBER, e.g. 194:raw=58")
        attr_id, field, new = int(m.group(1)), m.group(2), m.group(3)
        row = next((r for r in rows if r["id"] == attr_id), None)
        if row is None:
            raise SourceError("--set %s: no such attribute" % change)
        old = row["raw_text"] if field == "raw" else row[field]
        if field == "raw":
            row["raw"], row["reserved"] = encode_raw(new, row["name"])
            row["raw_text"] = new
        else:
            row[field] = int(new)
        edits.append("attribute %d %s %s changed to %s" % (attr_id, field, old, new))
    if args.pad_to:
        added = []
        for attr_id in PAD_IDS:
            if len(rows) >= args.pad_to:
                break
            if not any(r["id"] == attr_id for r in rows):
                rows.append({"id": attr_id, "name": "padding", "flags": 0x0032, "value": 100,
                             "worst": 100, "thresh": 0, "raw": 0, "reserved": 0, "raw_text": "0"})
                added.append(attr_id)
        rows.sort(key=lambda r: r["id"])
        edits.append("%d vendor attributes added to fill %d slots (value 100, worst 100, "
                     "threshold 0, raw 0): %s" % (len(added), len(rows),
                                                  ", ".join(str(i) for i in added)))
    return edits


def hex_lines(sector):
    return "\n".join(" ".join("%02x" % b for b in sector[i:i + 16]) for i in range(0, SECTOR, 16))


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("input", help="the smartctl text output")
    p.add_argument("--source", required=True, help="where the text came from, for the header")
    p.add_argument("--note", action="append", default=[], help="a further header line")
    p.add_argument("--version-map", default="01", help="SMART_GET_VERSION device map, hex (default 01)")
    p.add_argument("--no-version", action="store_true", help="leave out the version line")
    p.add_argument("--enable", choices=("ok", "fail"), default="ok")
    p.add_argument("--atapi", action="store_true", help="an ATAPI (CD/DVD) IDENTIFY sector")
    p.add_argument("--no-identify", action="store_true")
    p.add_argument("--no-attributes", action="store_true")
    p.add_argument("--no-thresholds", action="store_true")
    p.add_argument("--remove", type=int, action="append", default=[], metavar="ID",
                   help="drop an attribute row (an edit, stated in the header)")
    p.add_argument("--set", action="append", default=[], metavar="ID:FIELD=N",
                   help="change value, worst, thresh or raw of a row (stated in the header)")
    p.add_argument("--pad-to", type=int, metavar="N",
                   help="add vendor attributes until N slots are used (stated in the header)")
    args = p.parse_args()

    try:
        with open(args.input, encoding="utf-8") as f:
            info, rows = parse_smartctl(f.read())
        if not re.fullmatch(r"[0-9a-fA-F]{2}", args.version_map):
            raise SourceError("--version-map takes two hex digits")
        edits = apply_edits(rows, args)
        identify = build_identify(info, args.atapi)
        if not rows and not (args.no_attributes and args.no_thresholds):
            raise SourceError("no attribute table in the input")
        values, thresholds = build_attribute_sectors(rows)
    except (OSError, SourceError) as e:
        sys.exit("make-recording: %s: %s" % (args.input, e))

    model = info.get("Device Model") or info.get("Model Number")
    out = ["orvane-drive-recording 1",
           "# %s, firmware %s, serial %s" % (model, info.get("Firmware Version", "?"),
                                             info.get("Serial Number") or "(blank)"),
           "# Built by scripts/make-recording.py from smartctl output: %s" % args.source,
           "# Identity words smartctl does not show hold typical values; the attribute and"
           " threshold",
           "# sectors hold smartctl's rows in order, VALUE/WORST/THRESH and the raw bytes"
           " as shown."]
    out += ["# Edit: " + e for e in edits]
    left_out = [what for flag, what in ((args.no_version, "the version line (SMART_GET_VERSION fails)"),
                                        (args.no_identify, "the identify section (IDENTIFY fails)"),
                                        (args.no_attributes, "the attributes section (that read fails)"),
                                        (args.no_thresholds, "the thresholds section (that read fails)"))
                if flag]
    out += ["# Left out on purpose: " + what for what in left_out]
    if args.enable == "fail":
        out.append("# S.M.A.R.T. ENABLE OPERATIONS fails on purpose.")
    out += ["# " + n for n in args.note]
    if not args.no_version:
        out.append("version %s" % args.version_map.lower())
    out.append("enable %s" % args.enable)
    if not args.no_identify:
        out += ["identify", hex_lines(identify)]
    if not args.no_attributes:
        out += ["attributes", hex_lines(values)]
    if not args.no_thresholds:
        out += ["thresholds", hex_lines(thresholds)]
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
