// SPDX-License-Identifier: MIT
#pragma once

#include "core/orvaneerror.h"
#include "drive/nvmestructs.h"
#include "drive/smartstructs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// One physical drive as a text file. The format, which users write by hand:
//
//   orvane-drive-recording 1          first line
//   # comment                         anywhere, also after a value; blank lines too
//   version 01                        kSmartGetVersion succeeds with this device map (hex)
//   enable ok                         or "enable fail"
//   identify                          then 512 bytes as hex pairs on the next lines,
//   attributes                        the sector as the drive sends it
//   thresholds
//   nvme-identify                     an NVMe drive's Identify Controller data, 4096 bytes
//   nvme-health                       its SMART / Health Information log, 512 bytes
//
// A missing line or section makes that request fail.
struct DriveRecording
{
    std::optional<std::uint8_t> deviceMap;
    bool enableOk = false;
    std::optional<SectorBytes> identify;
    std::optional<SectorBytes> attributes;
    std::optional<SectorBytes> thresholds;
    std::optional<NvmeIdentifyData> nvmeIdentify;
    std::optional<NvmeHealthLog> nvmeHealth;
};

// A recording that breaks the format; the message names the file, the line and the fault.
class RecordingError : public OrvaneError
{
public:
    using OrvaneError::OrvaneError;
};

// Parses a whole recording or throws RecordingError; nothing is kept of a broken one.
[[nodiscard]] DriveRecording parseRecording(std::string_view text, const std::string &fileName);

// The largest recording read: a real one is about 3.5 KB.
inline constexpr std::size_t kMaxRecordingBytes = 1u << 20;

// Reads and parses a file; a file that cannot be read (missing, not a regular file, larger
// than kMaxRecordingBytes, a read error) is a RecordingError too.
[[nodiscard]] DriveRecording loadRecording(const std::string &path);

// The text of a recording, `comment` (one or more lines) written as '#' lines on top.
[[nodiscard]] std::string formatRecording(const DriveRecording &recording, std::string_view comment);

} // namespace orvane
