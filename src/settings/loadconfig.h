// SPDX-License-Identifier: MIT
#pragma once

#include "settings/config.h"

#include <cstdint>
#include <string>

namespace orvane {

// The settings that are shown somewhere once they are loaded, by their field in TConfig.
enum class ConfigFlag {
    AutoRun,
    LogEvents,
    SystemLog,
    DiskStatus,
    Hibernation,
    TempWarn,
    PopupNotification,
    EmailNotification,
    PlaySound,
};

enum class ConfigText {
    Temp,
    EmailAddr,
    SoundPath,
};

// Where LoadConfig shows what it loaded (the window's Preferences page).
class SettingsSink
{
public:
    virtual ~SettingsSink() = default;

    // Shows a flag. Showing a new state runs what the setting does, and showing the state
    // already shown runs nothing, so loading runs the actions of the settings that are on
    // (they write their flag back, log, write the autostart entry or start the temperature
    // watch).
    virtual void showFlag(ConfigFlag flag, bool on) = 0;

    // Shows a text; showing it copies the text back into the record.
    virtual void showText(ConfigText field, const std::string &text) = 0;
};

// Loads config.xml from the current directory when the window is created: all twelve
// fields of `config` are assigned first, then every field is shown in `sink` in the
// Preferences page's order, then `CritTemp` is set from `Temp`. Throws OrvaneError, before
// anything is shown, when the file cannot be read or a flag's text is not a boolean (see
// readConfigFile); `CritTemp` is then left as it was.
void LoadConfig(TConfig &config, std::uint8_t &CritTemp, SettingsSink &sink);

// Saves the record as it stands to config.xml in the current directory when the window is
// asked to close (CritTemp is not saved, only Temp). Throws OrvaneError
// `Cannot create file ...`; the old file is then untouched.
void SaveConfig(const TConfig &config);

// Moves a config.xml that could not be read aside (config.xml.bak, or the next free
// name), so that a save does not destroy the user's settings. Returns the name it now
// has as the program's messages show it, or empty text when there was no file. Throws
// OrvaneError `Cannot create file ...` when it cannot be moved.
[[nodiscard]] std::string KeepUnreadableConfig();

} // namespace orvane
