// SPDX-License-Identifier: MIT
// Feeds arbitrary text to the drive-recording parser: it must either yield a recording or
// refuse it with RecordingError, and a recording it yields must survive a round trip.
#include "platform/replay/driverecording.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    try {
        const orvane::DriveRecording recording = orvane::parseRecording(text, "fuzz.rec");
        const orvane::DriveRecording again = orvane::parseRecording(orvane::formatRecording(recording, "x"), "x");
        if (again.deviceMap != recording.deviceMap || again.enableOk != recording.enableOk
            || again.identify != recording.identify || again.attributes != recording.attributes
            || again.thresholds != recording.thresholds) {
            std::abort();
        }
    } catch (const orvane::RecordingError &) {
    }
    return 0;
}
