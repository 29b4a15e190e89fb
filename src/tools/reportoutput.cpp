// SPDX-License-Identifier: MIT
#include "tools/reportoutput.h"

#include "text/cp1252.h"
#include "text/printable.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

namespace {

std::string jsonString(const std::string &cp1252)
{
    std::string out = "\"";
    for (const char c : cp1252ToUtf8(cp1252)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonRow(const std::vector<std::string> &cells)
{
    std::string out = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += (i ? "," : "") + jsonString(cells[i]);
    }
    return out + "]";
}

std::string jsonRows(const std::vector<std::vector<std::string>> &rows)
{
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += (i ? "," : "") + jsonRow(rows[i]);
    }
    return out + "]";
}

// Width of a UTF-8 text in characters (every character here is one column wide).
std::size_t columns(const std::string &utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string table(const std::string &title, const std::vector<std::string> &header,
                  const std::vector<std::vector<std::string>> &rows)
{
    std::vector<std::vector<std::string>> cells{header};
    for (const auto &row : rows) {
        std::vector<std::string> converted;
        for (const auto &cell : row) {
            // A recording is a file from anywhere: its texts must not act on the terminal.
            converted.push_back(printableText(cp1252ToUtf8(cell)));
        }
        cells.push_back(std::move(converted));
    }
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto &row : cells) {
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], columns(row[i]));
        }
    }
    std::string out = title + "\n";
    for (const auto &row : cells) {
        std::string line;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            line += (i ? "  " : "") + row[i];
            if (i + 1 < row.size()) {
                line.append(widths[i] - columns(row[i]), ' ');
            }
        }
        out += "  " + line + "\n";
    }
    return out;
}

} // namespace

std::string FormatJson(const std::vector<DriveReport> &reports)
{
    std::string out = "{\"drives\":[";
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const DriveReport &r = reports[i];
        const TAttrReading &t = r.drive.reading;
        out += i ? "," : "";
        out += "{\"row\":" + jsonRow(r.row);
        out += ",\"reading\":{\"Raw\":" + std::to_string(t.Raw) + ",\"Threshold\":" + std::to_string(t.Threshold)
            + ",\"Value\":" + std::to_string(t.Value) + ",\"Worst\":" + std::to_string(t.Worst) + "}";
        out += ",\"disk_info\":" + jsonRows(r.diskInfo);
        out += ",\"smart_info\":" + jsonRows(r.smartInfo) + "}";
    }
    return out + "]}\n";
}

std::string FormatTables(const std::vector<DriveReport> &reports)
{
    std::vector<std::vector<std::string>> driveRows;
    for (const DriveReport &r : reports) {
        driveRows.push_back(r.row);
    }
    std::string out = table("Drives", {"ID", "Model", "Temp", "Status"}, driveRows);
    for (const DriveReport &r : reports) {
        const std::string drive = "Drive " + printableText(r.row.front());
        out += "\n" + table(drive + ": Disk Info", {"Name", "Value"}, r.diskInfo);
        out += "\n"
            + table(drive + ": SMART Info", {"ID", "Attribute Name", "Threshold", "Value", "Worst", "RAW", "Status"},
                    r.smartInfo);
    }
    return out;
}

} // namespace orvane
