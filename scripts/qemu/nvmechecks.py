# SPDX-License-Identifier: MIT
"""The checks of an emulated NVMe disk: orvane-report's drive list row, Disk Info and SMART
Info rows against `smartctl -j -a` of the same controller, and the recorded identify data
against the Disk Info rows smartctl's JSON does not carry."""

import json

# SMART Info row ID (the field's byte offset in the health log) -> smartctl's JSON key in
# nvme_smart_health_information_log.
HEALTH_KEYS = {
    "00": "critical_warning", "01": "temperature", "03": "available_spare",
    "04": "available_spare_threshold", "05": "percentage_used", "20": "data_units_read",
    "30": "data_units_written", "40": "host_reads", "50": "host_writes", "60": "controller_busy_time",
    "70": "power_cycles", "80": "power_on_hours", "90": "unsafe_shutdowns", "A0": "media_errors",
    "B0": "num_err_log_entries", "C0": "warning_temp_time", "C4": "critical_comp_time",
}
# Critical Warning bits -> the row each one marks "BAD" (besides the Critical Warning row).
WARNING_ROWS = {0x01: "03", 0x02: "01", 0x04: "A0"}


def recorded_bytes(recording, name, size):
    """The bytes of section `name` of a recording, or None."""
    lines = recording.splitlines()
    if name not in lines:
        return None
    data = bytearray()
    for line in lines[lines.index(name) + 1:]:
        if len(data) == size:
            break
        data += bytes.fromhex(line)
    return bytes(data)


def celsius(kelvin):
    return "N/A" if kelvin == 0 else f"{kelvin - 273}\u00b0C"


def check_identity(checks, tag, drive, info, smart, model, serial, identify):
    checks.equal(f"{tag}: smartctl model", smart.get("model_name"), model)
    checks.equal(f"{tag}: smartctl serial", smart.get("serial_number"), serial)
    checks.equal(f"{tag}: header row", info.get(f"NVMe {drive['row'][0]}"), "Health log supported")
    checks.equal(f"{tag}: Model number", info.get("Model number", "").rstrip(" "), smart.get("model_name"))
    checks.equal(f"{tag}: Serial number", info.get("Serial number", "").rstrip(" "), smart.get("serial_number"))
    checks.equal(f"{tag}: Firmware rev", info.get("Firmware rev", "").rstrip(" "), smart.get("firmware_version"))
    checks.equal(f"{tag}: drive list model", drive["row"][1], info.get("Model number"))
    vendor = smart.get("nvme_pci_vendor", {}).get("id")
    checks.equal(f"{tag}: PCI Vendor ID", info.get("PCI Vendor ID"), None if vendor is None else f"0x{vendor:04X}")
    version = smart.get("nvme_version", {}).get("value")
    checks.equal(f"{tag}: NVMe Version", info.get("NVMe Version"),
                 None if version is None else f"{version >> 16}.{(version >> 8) & 0xFF}")
    checks.equal(f"{tag}: Namespaces", info.get("Namespaces"), str(smart.get("nvme_number_of_namespaces")))
    if checks.true(f"{tag}: recording holds the identify data", identify is not None and len(identify) == 4096):
        checks.equal(f"{tag}: model in the recorded identify data", identify[24:64].decode("ascii").strip(),
                     smart.get("model_name"))
        wctemp = identify[266] | identify[267] << 8
        cctemp = identify[268] | identify[269] << 8
        checks.true(f"{tag}: the drive reports its temperature thresholds", wctemp != 0 and cctemp != 0)
        checks.equal(f"{tag}: Warning Comp. Temp. Threshold", info.get("Warning Comp. Temp. Threshold"),
                     celsius(wctemp))
        checks.equal(f"{tag}: Critical Comp. Temp. Threshold", info.get("Critical Comp. Temp. Threshold"),
                     celsius(cctemp))


def check_health(checks, tag, drive, smart, expected_warning):
    log = smart.get("nvme_smart_health_information_log", {})
    rows = {row[0]: row for row in drive["smart_info"]}
    checks.equal(f"{tag}: health rows", [row[0] for row in drive["smart_info"]], list(HEALTH_KEYS))
    checks.equal(f"{tag}: smartctl's critical warning", log.get("critical_warning"), expected_warning)
    warning = log.get("critical_warning", 0)
    for row_id, key in HEALTH_KEYS.items():
        row = rows.get(row_id)
        if not checks.true(f"{tag}: row {row_id} listed", row is not None) or key not in log:
            checks.true(f"{tag}: smartctl reports {key}", key in log)
            continue
        raw = int(row[5])
        checks.equal(f"{tag}: row {row_id} ({key})", raw - 273 if row_id == "01" else raw, log[key])
        bad = (row_id == "00" and warning != 0) or any(
            warning & bit and marked == row_id for bit, marked in WARNING_ROWS.items())
        checks.equal(f"{tag}: row {row_id} status", row[6], "BAD" if bad else "OK")
    checks.equal(f"{tag}: temperature", drive["row"][2], f"{log.get('temperature')}\u00b0C")
    checks.equal(f"{tag}: status", drive["row"][3], "BAD" if warning else "OK")
    checks.equal(f"{tag}: reading", drive["reading"]["Raw"], log.get("temperature"))


def check_nvme_disk(checks, sections, status, tag, number, drive, model, serial, expected_warning):
    # smartctl sets bit 3 of its exit status for a drive that warns; bits 0-2 are its failures
    checks.equal(f"{tag}: smartctl ran", status.get(f"smartctl.{number}", 1) & 0x07, 0)
    try:
        smart = json.loads(sections.get(f"smartctl.{number}", ""))
    except ValueError as e:
        checks.true(f"{tag}: smartctl -j prints JSON", False, str(e))
        return None
    info = dict((row[0], row[1]) for row in drive["disk_info"])
    identify = recorded_bytes(sections.get(f"record.{number}", ""), "nvme-identify", 4096)
    check_identity(checks, tag, drive, info, smart, model, serial, identify)
    check_health(checks, tag, drive, smart, expected_warning)
    checks.true(f"{tag}: the recording has no version line",
                "\nversion " not in sections.get(f"record.{number}", ""))
    return {"serial": smart.get("serial_number"), "firmware": smart.get("firmware_version")}
