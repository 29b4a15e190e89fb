// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The numbers of one S.M.A.R.T. attribute. As a temperature reading, Raw is degrees
// Celsius, or kNoTemperature when the drive reports none (Threshold is then kNoThreshold).
struct TAttrReading
{
    std::int32_t Raw = 0;
    std::int32_t Threshold = 0;
    std::int32_t Value = 0;
    std::int32_t Worst = 0;

    friend bool operator==(const TAttrReading &, const TAttrReading &) = default;
};

inline constexpr std::int32_t kNoTemperature = -9999;
inline constexpr std::int32_t kNoThreshold = -10000;

// "OK" when Value is above Threshold (signed), otherwise "BAD".
[[nodiscard]] inline std::string AttrVerdict(const TAttrReading &reading)
{
    return reading.Value > reading.Threshold ? "OK" : "BAD";
}

inline constexpr char kDegreeSign = '\xB0'; // in Windows-1252

// "35\xB0C", or "N/A" for a drive without temperature.
[[nodiscard]] inline std::string temperatureText(std::int32_t celsius)
{
    return celsius == kNoTemperature ? std::string("N/A") : std::to_string(celsius) + kDegreeSign + 'C';
}

} // namespace orvane
