#pragma once

#include <string>

namespace orvane {

// The user's settings as the window holds them (saved in config.xml).
struct TConfig
{
    bool AutoRun = false;
    bool LogEvents = false;
    bool SystemLog = false;
    bool DiskStatus = false;
    bool Hibernation = false;
    bool TempWarn = false;
    std::string Temp;
    bool PopupNotification = false;
    bool EmailNotification = false;
    std::string EmailAddr;
    bool PlaySound = false;
    std::string SoundPath;
};

} // namespace orvane
