#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Compares what orvane-report read from the emulated disks with what smartctl read.

Input is the guest's result file (see guest-init.sh): '@@disk NAME DRIVER' lines, then
sections between '@@begin NAME' and '@@end NAME', each followed by its standard error and
'@@rc NAME STATUS'. For every expected disk it checks:

- the disk sits behind the expected controller, and smartctl sees the model and serial
  QEMU was given;
- orvane-report's model, serial and firmware equal smartctl's (orvane-report keeps the
  identify field's padding, smartctl strips it);
- the attribute table, row for row: id, value, worst, threshold, and the raw value where
  it is small enough to read the same in both;
- temperature "N/A", since the disk has no attribute 194 (smartctl must agree);
- the ATA register rows of Disk Info, and the geometry rows against the identify sector;
- the recording replayed with --drive N=FILE gives exactly the live JSON of drive N. The
  number must be the recorded one: Disk Info names the drive and its Drive/Head register
  (A0h for drives 0 and 2, B0h for 1 and 3) depends on it.

The live JSON and the recordings come from an ordinary user, who may not open the disks
and reads them through the drive reader. Beside that it checks that root, reading the disks
directly, gets the same JSON; that so does a member of the group disk, who opens the disks
but whose commands the kernel refuses, so that the reader takes over (and with a reader
without capabilities reads nothing); and that the user with a reader without its
capabilities gets no drive and is told why for each one.

An NVMe disk (driver "nvme") is checked against `smartctl -j -a` instead: identity, every
health log row and its verdict, temperature and status (nvmechecks.py), and the replay.

Every run's exit status is checked exactly: bit 2 for a drive that exists but could not be
read, bit 4 for a drive with a BAD row (the NVMe disk's Critical Warning).
"""

import argparse
import json
import re
import subprocess
import sys
from pathlib import Path

import nvmechecks


class Checks:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def equal(self, what, got, expected):
        if got == expected:
            self.passed += 1
        else:
            self.failures.append(f"{what}: got {got!r}, expected {expected!r}")
        return got == expected

    def true(self, what, condition, detail=""):
        if condition:
            self.passed += 1
        else:
            self.failures.append(f"{what}{': ' + detail if detail else ''}")
        return condition


def parse_results(text):
    """The sections, exit statuses and disk lines of the guest's result file."""
    sections, status, disks = {}, {}, {}
    current, lines = None, []
    for line in text.replace("\r\n", "\n").split("\n"):
        if current is not None:
            if line == f"@@end {current}":
                sections[current] = "\n".join(lines) + ("\n" if lines else "")
                current, lines = None, []
            else:
                lines.append(line)
        elif line.startswith("@@begin "):
            current = line[len("@@begin "):]
        elif line.startswith("@@rc "):
            name, code = line[len("@@rc "):].rsplit(" ", 1)
            status[name] = int(code)
        elif line.startswith("@@disk "):
            name, driver = line[len("@@disk "):].split(" ", 1)
            disks[name] = driver
    return sections, status, disks


def parse_smartctl(text):
    """Identity fields and the attribute table of `smartctl -i -A`."""
    info = {"attributes": []}
    fields = {"Device Model": "model", "Serial Number": "serial", "Firmware Version": "firmware"}
    in_table = False
    for line in text.splitlines():
        key, _, value = line.partition(":")
        if key in fields:
            info[fields[key]] = value.strip()
        if line.startswith("SMART support is:"):
            info.setdefault("smart", []).append(line.split(":", 1)[1].strip())
        if line.startswith("ID# ATTRIBUTE_NAME"):
            in_table = True
            continue
        if in_table:
            cols = line.split()
            if not cols or not cols[0].isdigit():
                in_table = False
                continue
            # ID# ATTRIBUTE_NAME FLAG VALUE WORST THRESH TYPE UPDATED WHEN_FAILED RAW_VALUE
            info["attributes"].append(
                {"id": int(cols[0]), "value": int(cols[3]), "worst": int(cols[4]), "threshold": int(cols[5]),
                 "raw": " ".join(cols[9:])})
    return info


def recorded_sector(recording, name):
    """The 512 bytes of section `name` of a recording, or None."""
    lines = recording.splitlines()
    if name not in lines:
        return None
    data = bytearray()
    for line in lines[lines.index(name) + 1:]:
        if len(data) == 512:
            break
        data += bytes.fromhex(line)
    return bytes(data)


def identify_text(identify, first_word, words):
    """An identify string field: two characters a word, high byte first."""
    raw = identify[2 * first_word:2 * (first_word + words)]
    return bytes(b for pair in zip(raw[1::2], raw[0::2]) for b in pair).decode("ascii").strip()


def identify_word(identify, word):
    return identify[2 * word] | identify[2 * word + 1] << 8


def check_identity(checks, tag, drive, info, smart, model, serial):
    checks.equal(f"{tag}: smartctl model", smart.get("model"), model)
    checks.equal(f"{tag}: smartctl serial", smart.get("serial"), serial)
    checks.equal(f"{tag}: Model number", info.get("Model number", "").rstrip(" "), smart.get("model"))
    checks.equal(f"{tag}: Serial number", info.get("Serial number", "").rstrip(" "), smart.get("serial"))
    checks.equal(f"{tag}: Firmware rev", info.get("Firmware rev", "").rstrip(" "), smart.get("firmware"))
    checks.equal(f"{tag}: drive list model", drive["row"][1], info.get("Model number"))
    checks.true(f"{tag}: smartctl reports S.M.A.R.T. enabled", "Enabled" in smart.get("smart", []),
                str(smart.get("smart")))


def check_registers(checks, tag, number, info, identify):
    checks.equal(f"{tag}: IDE HDD row", info.get(f"IDE HDD {number}"), "S.M.A.R.T supported")
    expected = {"Sector Count": "1", "Sector Number": "1", "Low order cylinder": "0", "High order cylinder": "0",
                "Drive/Head": "176" if number & 1 else "160", "Actual IDE command": "236"}
    for name, value in expected.items():
        checks.equal(f"{tag}: {name}", info.get(name), value)
    if checks.true(f"{tag}: recording holds the identify sector", identify is not None):
        # words 1, 3 and 6: cylinders, heads, sectors per track
        for name, word in (("Cylinders", 1), ("Heads", 3), ("Sectors per Track", 6)):
            checks.equal(f"{tag}: {name}", info.get(name), str(identify_word(identify, word)))
        # words 27-46: the model; the sector as recorded must be the disk smartctl read
        checks.equal(f"{tag}: model in the recorded identify sector", identify_text(identify, 27, 20),
                     info.get("Model number", "").strip())


def check_attributes(checks, tag, drive, smart):
    rows, reference = drive["smart_info"], smart["attributes"]
    checks.true(f"{tag}: smartctl lists attributes", len(reference) > 0)
    checks.equal(f"{tag}: attribute count", len(rows), len(reference))
    for row, ref in zip(rows, reference):
        name = f"{tag}: attribute {ref['id']}"
        checks.equal(f"{name} id", int(row[0], 16), ref["id"])
        checks.equal(f"{name} threshold", int(row[2]), ref["threshold"])
        checks.equal(f"{name} value", int(row[3]), ref["value"])
        checks.equal(f"{name} worst", int(row[4]), ref["worst"])
        # Below 256 only raw byte 0 is set, and orvane-report's raw reading is that byte.
        leading = re.match(r"\d+", ref["raw"])
        if leading and int(leading.group()) < 256:
            checks.equal(f"{name} raw", int(row[5]), int(leading.group()))
    checks.true(f"{tag}: smartctl lists no attribute 194", all(a["id"] != 194 for a in reference))
    checks.equal(f"{tag}: temperature", drive["row"][2], "N/A")


def check_replay(checks, tag, number, report, recording_file, live):
    run = subprocess.run([report, "--json", "--drive", f"{number}={recording_file}"], capture_output=True,
                         text=True, timeout=60)
    checks.equal(f"{tag}: replay exit status", run.returncode, exit_status([live], 0))
    checks.equal(f"{tag}: replay standard error", run.stderr, "")
    try:
        replayed = json.loads(run.stdout)["drives"]
    except (ValueError, KeyError) as e:
        checks.true(f"{tag}: replay prints JSON", False, str(e))
        return
    checks.equal(f"{tag}: replayed drives", len(replayed), 1)
    if replayed:
        differing = [key for key in sorted(set(live) | set(replayed[0])) if live.get(key) != replayed[0].get(key)]
        checks.true(f"{tag}: replayed JSON equals the live one", not differing,
                    "; ".join(f"{key}: replayed {replayed[0].get(key)!r}, live {live.get(key)!r}" for key in differing))


def exit_status(drives, unreadable):
    """What orvane-report exits with for these drives: bit 2 when some drive could not be
    read, bit 4 when a drive has a BAD row or verdict."""
    bad = any(d["row"][-1] == "BAD" or any(row[-1] == "BAD" for row in d["smart_info"]) for d in drives)
    return (2 if unreadable else 0) | (4 if bad else 0)


def run_json(checks, sections, name):
    """The drives of the guest's `orvane-report --json` run `name`, or None after recording
    why not."""
    try:
        return json.loads(sections.get(name, ""))["drives"]
    except (ValueError, KeyError, TypeError) as e:
        checks.true(f"{name}: orvane-report --json prints the drives", False, f"{e}: {sections.get(name, '')[:200]!r}")
        return None


def refusal(number, device):
    """orvane-report's line for a drive that neither the user nor the reader may open: the
    user's own refusal, the reader's answer, then what would mend it."""
    return (f"orvane-report: drive {number} cannot be opened: /dev/{device}: Permission denied "
            f"(and the drive reader: /dev/{device}: Permission denied); "
            "install orvane-drive-reader with its capabilities, or run as root\n")


def differences(got, expected):
    """The drives and keys in which two runs' drive lists differ, as text."""
    if got is None or expected is None:
        return "no drive list"
    if [d["row"][0] for d in got] != [d["row"][0] for d in expected]:
        return f"drives {[d['row'][0] for d in got]} against {[d['row'][0] for d in expected]}"
    return "; ".join(f"drive {a['row'][0]} {key}" for a, b in zip(got, expected)
                     for key in sorted(set(a) | set(b)) if a.get(key) != b.get(key))


def check_reader_paths(checks, sections, status, runs, disks, warning):
    """The user's reads through the reader against root's direct reads and the group disk
    member's, and a reader without capabilities. `disks` are (number, device, driver) of
    every expected disk, `warning` the Critical Warning the NVMe disk raises."""
    user, root, member = runs
    for line in sections.get("nodes", "").splitlines():
        checks.true("the user may not open the disk nodes", line.startswith("brw------- "), line)
    checks.equal("disk nodes listed", len(sections.get("nodes", "").splitlines()), len(disks))
    for line in sections.get("nodes.group", "").splitlines():
        checks.true("the group disk may read the disk nodes", line.startswith("brw-r----- ") and " disk " in line,
                    line)
    checks.equal("disk nodes of the group listed", len(sections.get("nodes.group", "").splitlines()), len(disks))
    numbers = [str(number) for number, _, _ in disks]
    nvme = [number for number, _, driver in disks if driver == "nvme"]
    checks.equal("drives the user lists", None if user is None else [d["row"][0] for d in user], numbers)
    checks.equal("drives root lists", None if root is None else [d["row"][0] for d in root], numbers)
    checks.equal("drives the member of the group disk lists",
                 None if member is None else [d["row"][0] for d in member], numbers)
    checks.equal("root reading every disk directly gets what the user gets through the reader",
                 differences(root, user), "")
    checks.equal("the member of the group disk, turned to the reader by the kernel, gets what the user gets",
                 differences(member, user), "")
    for run, drives in (("json", user), ("json.root", root), ("json.group", member)):
        checks.equal(f"exit status of {run}", status.get(run), exit_status(drives or [], 0))
        checks.equal(f"standard error of {run}", sections.get(f"{run}.stderr"), "")
        if nvme and warning:
            checks.equal(f"exit status of {run} has the BAD bit (the NVMe disk's Critical Warning)",
                         (status.get(run) or 0) & 4, 4)
    checks.equal("exit status without the reader's capabilities", status.get("json.nocaps"), 2)
    try:
        checks.equal("drives without the reader's capabilities",
                     json.loads(sections.get("json.nocaps", ""))["drives"], [])
    except (ValueError, KeyError, TypeError) as e:
        checks.true("orvane-report --json without the reader's capabilities prints JSON", False, str(e))
    stderr = sections.get("json.nocaps.stderr", "")
    for number, device, _ in disks:
        checks.true(f"without the reader's capabilities, drive {number} says why", refusal(number, device) in stderr,
                    stderr)
    checks.equal("without the reader's capabilities, the lines of standard error", len(stderr.splitlines()),
                 len(disks))
    # The member opens the disks, but without the reader's capabilities every command stays
    # refused: proof that the member's good run above went through the reader.
    checks.equal("exit status of the member without the reader's capabilities", status.get("json.group.nocaps"), 2)
    stderr = sections.get("json.group.nocaps.stderr", "")
    for number, _, _ in disks:
        checks.true(f"the member without the reader's capabilities is told why drive {number} gave nothing",
                    f"orvane-report: drive {number} answered no ATA or NVMe command (reading S.M.A.R.T. data needs "
                    "root or orvane-drive-reader with its capabilities)\n" in stderr, stderr)
    checks.equal("the member without the reader's capabilities, the lines of standard error",
                 len(stderr.splitlines()), len(disks))


def check_disk(checks, results, runs, report, work, number, device, driver, model, serial, warning):
    sections, status, disks = results
    tag = f"drive {number} ({device}, {driver})"
    checks.equal(f"{tag}: controller", disks.get(device), driver)
    live_drives = runs[0] or []
    checks.equal(f"{tag}: exit status of record.{number}", status.get(f"record.{number}"), 0)
    checks.equal(f"{tag}: standard error of record.{number}", sections.get(f"record.{number}.stderr"), "")
    if driver != "nvme":
        checks.equal(f"{tag}: exit status of smartctl.{number}", status.get(f"smartctl.{number}"), 0)
    checks.true(f"{tag}: standard error of json names no problem with it",
                f"drive {number} " not in sections.get("json.stderr", ""), sections.get("json.stderr"))

    live = [d for d in live_drives if d["row"][0] == str(number)]
    if not checks.equal(f"{tag}: orvane-report lists the drive once", len(live), 1):
        return
    drive = live[0]
    recording = sections.get(f"record.{number}", "")
    recording_file = Path(work) / f"record.{number}.txt"
    recording_file.write_text(recording)
    if driver == "nvme":
        smart = nvmechecks.check_nvme_disk(checks, sections, status, tag, number, drive, model, serial, warning)
        check_replay(checks, tag, number, report, recording_file, drive)
        return (drive, smart) if smart else None
    info = dict((row[0], row[1]) for row in drive["disk_info"])
    smart = parse_smartctl(sections.get(f"smartctl.{number}", ""))

    check_identity(checks, tag, drive, info, smart, model, serial)
    check_registers(checks, tag, number, info, recorded_sector(recording, "identify"))
    check_attributes(checks, tag, drive, smart)
    check_replay(checks, tag, number, report, recording_file, drive)
    return drive, smart


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--results", required=True, help="the guest's result file")
    parser.add_argument("--report", required=True, help="the orvane-report that ran in the guest")
    parser.add_argument("--work", required=True, help="where the recordings are written")
    parser.add_argument("--disk", nargs=5, action="append", required=True,
                        metavar=("NUMBER", "DEVICE", "DRIVER", "MODEL", "SERIAL"), help="an expected disk")
    parser.add_argument("--nvme-warning", type=int, default=0,
                        help="the Critical Warning the emulated NVMe disk was told to raise")
    args = parser.parse_args()

    results = parse_results(Path(args.results).read_text(errors="replace"))
    checks = Checks()
    runs = tuple(run_json(checks, results[0], name) for name in ("json", "json.root", "json.group"))
    check_reader_paths(checks, results[0], results[1], runs,
                       [(int(number), device, driver) for number, device, driver, _, _ in args.disk], args.nvme_warning)
    for number, device, driver, model, serial in args.disk:
        found = check_disk(checks, results, runs, args.report, args.work, int(number), device, driver, model,
                           serial, args.nvme_warning)
        if found:
            drive, smart = found
            print(f"drive {number} on {driver}: {drive['row'][1].strip()!r} serial {smart.get('serial')!r} "
                  f"firmware {smart.get('firmware')!r}, {len(drive['smart_info'])} SMART Info rows, "
                  f"temperature {drive['row'][2]}, {drive['row'][3]}")
    for failure in checks.failures:
        print("FAIL", failure)
    print(f"compare: {checks.passed} passed, {len(checks.failures)} failed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
