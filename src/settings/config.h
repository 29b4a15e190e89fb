// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Every user setting, in the order config.xml lists them. Texts are Windows-1252 byte
// strings. A fresh record (the window's, at creation) is all false and empty.
struct TConfig
{
    bool AutoRun = false;
    bool LogEvents = false;
    bool SystemLog = false;
    bool DiskStatus = false;
    bool Hibernation = false;
    bool TempWarn = false;
    std::string Temp; // the alert temperature as the user typed it
    bool PopupNotification = false;
    bool EmailNotification = false;
    std::string EmailAddr;
    bool PlaySound = false;
    std::string SoundPath;

    bool operator==(const TConfig &) const = default;
};

// What a key missing from config.xml yields: the value the Preferences page shows before
// any setting is loaded ("50" for Temp, "alert.wav" for SoundPath, false or empty else).
// The first start, which has no config.xml, gets this record.
[[nodiscard]] const TConfig &firstStartConfig();

// "-1" for true, "0" for false.
[[nodiscard]] std::string flagToText(bool flag);

// A text that reads as a number is true when the number is not zero. A number is:
// optional blanks, an optional sign, digits with at most one decimal separator (at least
// one digit in all), an optional exponent (e or E, optional sign, digits), optional
// blanks. The decimal separator is the C library's current locale's
// (localeconv()->decimal_point), so "1,5" is a number under a German LC_NUMERIC and not
// under "C". Otherwise "True" and "False" in any case. Anything else, the empty text
// included, throws OrvaneError "'<text>' is not a valid boolean value".
[[nodiscard]] bool textToFlag(std::string_view text);

// The alert temperature the watch compares with: the low 8 bits of `Temp` read as a
// decimal 32-bit integer (leading blanks and a sign allowed), so "300" gives 44. A text
// that does not convert (empty, letters, a fraction, trailing characters, out of the
// 32-bit range) gives 0.
[[nodiscard]] std::uint8_t critTempFromText(std::string_view temp);

// Reads the settings file at `path` into `config`, field by field in the record's order,
// looking each key up among the root element's children by exact name (the first one
// wins; the root's own name does not matter). A key that is missing yields the
// firstStartConfig() value; a file that does not exist reads as a file with no keys. Reading errors inside the file are
// not reported: the elements read before the error are used. Throws OrvaneError when the file exists but cannot be read
// (`Cannot open file ...`, no field assigned: also a directory, a pipe, a device or a file
// larger than kMaxReadBytes) or when a flag's text is not a boolean (the
// fields before it keep their new values).
void readConfigFile(TConfig &config, const std::filesystem::path &path);

// Writes the whole record to `path` as the settings file; the old file is replaced in one
// step or, on failure, left as it was. Throws OrvaneError `Cannot create file ...`.
void writeConfigFile(const TConfig &config, const std::filesystem::path &path);

} // namespace orvane
