#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads recordings with orvane-report --json and --prometheus, parses the second with the
exposition-format parser of python3-prometheus-client, and checks that both say the same:
every drive, its temperature and verdict, and every attribute's numbers and verdict. Also
checks the exit status bits against what the JSON shows.

Usage: prometheus_check.py ORVANE_REPORT ASSETS_DRIVES_FOLDER"""
import json
import re
import os
import subprocess
import sys
import tempfile

from prometheus_client.parser import text_string_to_metric_families

ATTRIBUTE_FAMILIES = {"orvane_attribute_value": 3, "orvane_attribute_worst": 4,
                      "orvane_attribute_threshold": 2, "orvane_attribute_raw": 5}


def run(report, args):
    done = subprocess.run([report] + args, capture_output=True, check=False)
    return done.returncode, done.stdout.decode("utf-8")


def samples_of(text):
    """{family name: {frozenset(labels): value}}, refusing a label set given twice."""
    families = {}
    for family in text_string_to_metric_families(text):
        assert family.type == "gauge", family
        seen = families.setdefault(family.name, {})
        for sample in family.samples:
            key = frozenset(sample.labels.items())
            assert key not in seen, f"{family.name} twice for {sample.labels}"
            seen[key] = sample.value
    return families


def drive_labels(drive):
    serial = [row[1] for row in drive["disk_info"] if row[0] == "Serial number"]
    return {"drive": drive["row"][0], "model": drive["row"][1].strip(" "),
            "serial": serial[0].strip(" ") if serial else ""}


def expected_samples(drives):
    want = {name: {} for name in ["orvane_drive_info", "orvane_drive_temperature_celsius", "orvane_drive_ok",
                                  "orvane_attribute_ok", *ATTRIBUTE_FAMILIES]}
    for drive in drives:
        labels = drive_labels(drive)
        key = frozenset(labels.items())
        want["orvane_drive_info"][key] = 1
        if drive["reading"]["Raw"] != -9999:
            want["orvane_drive_temperature_celsius"][key] = drive["reading"]["Raw"]
        want["orvane_drive_ok"][key] = 1 if drive["row"][3] == "OK" else 0
        for row in drive["smart_info"]:
            attribute = frozenset({**labels, "id": str(int(row[0], 16)), "name": row[1].strip(" ")}.items())
            want["orvane_attribute_ok"][attribute] = 1 if row[6] == "OK" else 0
            for name, column in ATTRIBUTE_FAMILIES.items():
                # A cell with a unit, in hex or empty (an NVMe drive's) has no sample.
                if re.fullmatch(r"-?[0-9]+", row[column]):
                    want[name][attribute] = int(row[column])
    return want


def expected_status(drives, unreadable):
    bad = any(d["row"][3] == "BAD" or any(r[6] == "BAD" for r in d["smart_info"]) for d in drives)
    return (2 if unreadable else 0) | (4 if bad else 0)


def check(report, args, unreadable):
    json_status, json_text = run(report, ["--json"] + args)
    status, text = run(report, ["--prometheus"] + args)
    drives = json.loads(json_text)["drives"]
    assert drives, f"no drives for {args}"
    got = samples_of(text)
    assert got.pop("orvane_drives_unreadable") == {frozenset(): unreadable}, args
    want = expected_samples(drives)
    for name in want:
        assert got.get(name, {}) == want[name], f"{name} for {args}:\n{got.get(name)}\n!=\n{want[name]}"
    assert set(got) == set(want), set(got) ^ set(want)
    assert status == json_status == expected_status(drives, unreadable), (status, json_status, args)
    return len(drives)


def awkward_recording(folder):
    """A drive whose model holds a quote, a backslash and a line feed, and whose serial holds
    a degree sign (0xB0 in the drive's text) between padding blanks."""
    identify = bytearray(512)

    def put(offset, length, text):
        field = text.ljust(length, b" ")
        for i, byte in enumerate(field):
            identify[offset + (i ^ 1)] = byte
    put(54, 40, b'Say "hi" \\ to\nme')
    put(20, 20, b"   SN\xb042")
    attributes = bytearray(512)
    attributes[2:9] = bytes([194, 0, 0, 100, 100, 45, 0])
    thresholds = bytearray(512)

    def hexed(sector):
        return "\n".join(" ".join(f"{b:02x}" for b in sector[i:i + 16]) for i in range(0, 512, 16))
    path = os.path.join(folder, "awkward.rec")
    with open(path, "w", encoding="ascii") as out:
        out.write("orvane-drive-recording 1\nversion 01\nenable ok\n")
        out.write(f"identify\n{hexed(identify)}\nattributes\n{hexed(attributes)}\n")
        out.write(f"thresholds\n{hexed(thresholds)}\n")
    return path


def main():
    report, assets = sys.argv[1], sys.argv[2]
    shipped = sorted(os.path.join(assets, name) for name in os.listdir(assets) if name.endswith(".rec"))
    checked = 0
    for first in range(0, len(shipped), 4):
        group = shipped[first:first + 4]
        checked += check(report, [arg for n, f in enumerate(group) for arg in ("--drive", f"{n}={f}")], 0)
    with tempfile.TemporaryDirectory() as folder:
        awkward = awkward_recording(folder)
        status, text = run(report, ["--prometheus", "--drive", f"1={awkward}"])
        assert 'model="Say \\"hi\\" \\\\ to\\nme"' in text and 'serial="SN\u00b042"' in text, text
        checked += check(report, ["--drive", f"1={awkward}"], 0)
        empty = os.path.join(folder, "empty.rec")
        with open(empty, "w", encoding="ascii") as out:
            out.write("orvane-drive-recording 1\n")
        checked += check(report, ["--drive", f"0={empty}", "--drive", f"3={shipped[0]}"], 1)
    print(f"{checked} drives agree")


if __name__ == "__main__":
    main()
