// SPDX-License-Identifier: MIT
#include "monitor/statusrefresh.h"

#include "drive/attributes.h"
#include "drive/identity.h"

#include <charconv>

namespace orvane {

namespace {

std::optional<std::uint8_t> driveNumber(const std::string &caption)
{
    unsigned value = 0;
    const char *end = caption.data() + caption.size();
    const auto [stop, error] = std::from_chars(caption.data(), end, value);
    if (caption.empty() || error != std::errc() || stop != end || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::string StatusReportLines(const std::string &model, const TAttrReading &reading)
{
    return model + kBalloonLineEnd + "Temp: " + temperatureText(reading.Raw) + kBalloonLineEnd;
}

void RefreshTrayStatus(bool diskStatus, std::uint8_t driveCount, DriveTransport &drives, DriveListRows &rows,
                       TrayBalloon &balloon)
{
    if (!diskStatus) {
        return;
    }
    std::string report;
    for (int row = 0; row < driveCount; ++row) {
        const std::optional<std::string> caption = rows.caption(row);
        if (!caption) {
            break;
        }
        const std::optional<std::uint8_t> drive = driveNumber(*caption);
        if (!drive) {
            continue;
        }
        const std::string model = ReadDriveModel(drives, *drive);
        const TAttrReading reading = ReadTemperature(drives, *drive);
        report += StatusReportLines(model, reading);
        // Inside the loop: each drive read so far replaces the balloon before it.
        (void)balloon.ShowTrayBalloon(kStatusBalloonTitle, report, BalloonKind::Information, kStatusBalloonSeconds);
        rows.setTemperatureText(row, temperatureText(reading.Raw));
    }
}

} // namespace orvane
