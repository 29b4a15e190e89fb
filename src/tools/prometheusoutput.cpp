// SPDX-License-Identifier: MIT
#include "tools/prometheusoutput.h"

#include "text/cp1252.h"

#include <charconv>
#include <functional>
#include <optional>

namespace orvane {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\0'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string diskInfoValue(const DriveReport &report, std::string_view name)
{
    for (const auto &row : report.diskInfo) {
        if (row.size() == 2 && row[0] == name) {
            return row[1];
        }
    }
    return {};
}

std::string label(std::string_view name, std::string_view cp1252Value)
{
    return std::string(name) + "=\"" + PrometheusLabelValue(trimmed(cp1252Value)) + "\"";
}

std::string driveLabels(const DriveReport &report)
{
    return label("drive", std::to_string(report.drive.number)) + "," + label("model", report.drive.model) + ","
        + label("serial", diskInfoValue(report, "Serial number"));
}

void family(std::string &out, std::string_view name, std::string_view help)
{
    out += "# HELP " + std::string(name) + " " + std::string(help) + "\n";
    out += "# TYPE " + std::string(name) + " gauge\n";
}

void sample(std::string &out, std::string_view name, const std::string &labels, std::int64_t value)
{
    out += std::string(name) + "{" + labels + "} " + std::to_string(value) + "\n";
}

// The attribute id of a S.M.A.R.T. Info row ("C2"), in decimal ("194").
std::string decimalId(const std::string &hex)
{
    unsigned value = 0;
    std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    return std::to_string(value);
}

// A cell that holds a plain decimal number, as it stands (an NVMe drive's 128-bit counters
// too: the exposition format reads any length of digits); nothing for a cell with a unit or
// in hex ("85\xB0C", "0x09") or an empty one, which gets no sample.
std::optional<std::string> plainNumber(const std::string &cell)
{
    const std::size_t digits = cell.starts_with('-') ? 1 : 0;
    if (cell.size() == digits || cell.find_first_not_of("0123456789", digits) != std::string::npos) {
        return std::nullopt;
    }
    return cell;
}

// One family of per-attribute samples; `column` gives the number of the row (threshold,
// value, worst, raw), or nothing for a row without one.
void attributeFamily(std::string &out, const std::vector<DriveReport> &reports, std::string_view name,
                     std::string_view help,
                     const std::function<std::optional<std::string>(const std::vector<std::string> &)> &column)
{
    family(out, name, help);
    for (const DriveReport &r : reports) {
        for (const auto &row : r.smartInfo) {
            const std::optional<std::string> value = column(row);
            if (!value) {
                continue;
            }
            const std::string labels =
                driveLabels(r) + "," + label("id", decimalId(row.at(0))) + "," + label("name", row.at(1));
            out += std::string(name) + "{" + labels + "} " + *value + "\n";
        }
    }
}

} // namespace

std::string PrometheusLabelValue(std::string_view cp1252)
{
    std::string out;
    for (const char c : cp1252ToUtf8(cp1252)) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatPrometheus(const std::vector<DriveReport> &reports, std::size_t unreadable)
{
    std::string out;
    family(out, "orvane_drives_unreadable", "Drives of 0 to 3 that exist but could not be read.");
    out += "orvane_drives_unreadable " + std::to_string(unreadable) + "\n";

    family(out, "orvane_drive_info", "A drive that opened, always 1.");
    for (const DriveReport &r : reports) {
        sample(out, "orvane_drive_info", driveLabels(r), 1);
    }
    family(out, "orvane_drive_temperature_celsius", "Temperature of the drive (attribute 194).");
    for (const DriveReport &r : reports) {
        if (r.drive.reading.Raw != kNoTemperature) {
            sample(out, "orvane_drive_temperature_celsius", driveLabels(r), r.drive.reading.Raw);
        }
    }
    family(out, "orvane_drive_ok", "1 when the drive list shows OK for the drive, 0 for BAD.");
    for (const DriveReport &r : reports) {
        sample(out, "orvane_drive_ok", driveLabels(r), r.row.at(3) == "OK" ? 1 : 0);
    }

    const auto at = [](std::size_t column) {
        return [column](const std::vector<std::string> &row) { return plainNumber(row.at(column)); };
    };
    attributeFamily(out, reports, "orvane_attribute_ok", "1 when the attribute's value is above its threshold.",
                    [](const std::vector<std::string> &row) { return std::string(row.at(6) == "OK" ? "1" : "0"); });
    attributeFamily(out, reports, "orvane_attribute_value", "Normalized current value of the attribute.", at(3));
    attributeFamily(out, reports, "orvane_attribute_worst", "Worst normalized value of the attribute.", at(4));
    attributeFamily(out, reports, "orvane_attribute_threshold", "Failure threshold of the attribute.", at(2));
    attributeFamily(out, reports, "orvane_attribute_raw",
                    "Raw number of the attribute as the window shows it: raw byte 0 plus ten times raw byte 1.", at(5));
    return out;
}

} // namespace orvane
