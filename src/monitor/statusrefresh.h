// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"
#include "drive/drivetransport.h"

#include <cstdint>
#include <optional>
#include <string>

// The status refresh: every listed drive's model and temperature read again, reported in a
// balloon over the tray icon and written into the drive list's "Temp" cells.
namespace orvane {

// The icon a balloon shows beside its text.
enum class BalloonKind : std::uint8_t {
    None = 0,
    Information = 1,
    Warning = 2,
    Error = 3,
};

// The tray icon's balloon as the refresh uses it. Texts are Windows-1252; the text may hold
// lone carriage returns (0x0D) as line ends.
class TrayBalloon
{
public:
    virtual ~TrayBalloon() = default;
    // Replaces the balloon that is showing, if any. False when the desktop refused it; the
    // refresh does not look at it.
    virtual bool ShowTrayBalloon(const std::string &title, const std::string &text, BalloonKind kind,
                                 std::uint8_t timeoutSeconds) = 0;
};

// The drive list as the refresh sees it: the caption (drive number in decimal) of each row
// and its "Temp" cell.
class DriveListRows
{
public:
    virtual ~DriveListRows() = default;
    // Nothing for a row the list does not have.
    [[nodiscard]] virtual std::optional<std::string> caption(int row) const = 0;
    virtual void setTemperatureText(int row, const std::string &text) = 0;
};

inline constexpr char kBalloonLineEnd = '\r'; // a lone carriage return, no line feed
inline constexpr const char *kStatusBalloonTitle = "Orvane";
inline constexpr std::uint8_t kStatusBalloonSeconds = 10;

// One drive's part of the report: the model, CR, "Temp: ", the temperature text, CR.
[[nodiscard]] std::string StatusReportLines(const std::string &model, const TAttrReading &reading);

// Does nothing while `diskStatus` is off. Otherwise visits rows 0 to driveCount - 1 in
// order; for each it reads the model and the temperature of the drive its caption names,
// shows the report of the drives read so far (one balloon a drive, each replacing the one
// before, so the last lists them all) and writes the temperature text into the row. A row
// whose caption is not a drive number is left alone. Nothing else is touched.
void RefreshTrayStatus(bool diskStatus, std::uint8_t driveCount, DriveTransport &drives, DriveListRows &rows,
                       TrayBalloon &balloon);

} // namespace orvane
