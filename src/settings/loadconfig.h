#pragma once

#include "settings/config.h"

#include <cstdint>
#include <string>

namespace orvane {

// The check boxes and edit fields of the Preferences page that show the settings.
enum class PreferencesCheckBox {
    AutoRun_CheckBox,
    LogEvents_CheckBox,
    SystemLogEvents_CheckBox,
    DiskStatus_CheckBox,
    Hibernate_CheckBox,
    TempWarn_CheckBox,
    PopupNotify_CheckBox,
    EmailNotify_CheckBox,
    SndFile_CheckBox,
};

enum class PreferencesEdit {
    CritTemp_Edit,
    Email_Edit,
    SoundPath_Edit,
};

// The Preferences page as LoadConfig sees it; the window implements it over its controls.
class PreferencesControls
{
public:
    virtual ~PreferencesControls() = default;

    // Ticks or unticks a box. The box's click handler runs when, and only when, its state
    // changes, so loading runs the handlers of the settings that are on (they write their
    // flag back, log, write the Run value or start the temperature watch).
    virtual void setChecked(PreferencesCheckBox box, bool checked) = 0;

    // Sets a field's text; its change handler copies the text back into the record.
    virtual void setText(PreferencesEdit edit, const std::string &text) = 0;
};

// Loads config.xml from the current directory when the window is created: all twelve
// fields of `config` are assigned first, then every control is set from its field in the
// page's order, then `CritTemp` is set from `Temp`. Throws OrvaneError, before any control
// is touched, when the file cannot be read or a flag's text is not a boolean (see
// readConfigFile); `CritTemp` is then left as it was.
void LoadConfig(TConfig &config, std::uint8_t &CritTemp, PreferencesControls &controls);

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
