// SPDX-License-Identifier: MIT
#include "settings/loadconfig.h"

#include "settings/fileio.h"
#include "text/pathtext.h"

namespace orvane {
namespace {

constexpr const char *kConfigFile = "config.xml";

} // namespace

void LoadConfig(TConfig &config, std::uint8_t &CritTemp, SettingsSink &sink)
{
    readConfigFile(config, kConfigFile);

    // Each field is shown as it stands at that moment: the actions that run on the way
    // write their own field back.
    sink.showFlag(ConfigFlag::AutoRun, config.AutoRun);
    sink.showFlag(ConfigFlag::LogEvents, config.LogEvents);
    sink.showFlag(ConfigFlag::SystemLog, config.SystemLog);
    sink.showFlag(ConfigFlag::DiskStatus, config.DiskStatus);
    sink.showFlag(ConfigFlag::Hibernation, config.Hibernation);
    sink.showFlag(ConfigFlag::TempWarn, config.TempWarn);
    sink.showText(ConfigText::Temp, config.Temp);
    sink.showFlag(ConfigFlag::PopupNotification, config.PopupNotification);
    sink.showFlag(ConfigFlag::EmailNotification, config.EmailNotification);
    sink.showText(ConfigText::EmailAddr, config.EmailAddr);
    sink.showFlag(ConfigFlag::PlaySound, config.PlaySound);
    sink.showText(ConfigText::SoundPath, config.SoundPath);

    CritTemp = critTempFromText(config.Temp);
}

void SaveConfig(const TConfig &config)
{
    writeConfigFile(config, kConfigFile);
}

std::string KeepUnreadableConfig()
{
    const std::filesystem::path kept = moveFileAside(kConfigFile);
    return kept.empty() ? std::string() : messagePath(kept);
}

} // namespace orvane
