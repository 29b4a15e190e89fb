#include "settings/loadconfig.h"

#include "settings/fileio.h"
#include "text/pathtext.h"

namespace orvane {
namespace {

constexpr const char *kConfigFile = "config.xml";

} // namespace

void LoadConfig(TConfig &config, std::uint8_t &CritTemp, PreferencesControls &controls)
{
    readConfigFile(config, kConfigFile);

    // Each control is set from its field as it stands at that moment: the handlers that
    // run on the way write their own field back.
    using Box = PreferencesCheckBox;
    using Edit = PreferencesEdit;
    controls.setChecked(Box::AutoRun_CheckBox, config.AutoRun);
    controls.setChecked(Box::LogEvents_CheckBox, config.LogEvents);
    controls.setChecked(Box::SystemLogEvents_CheckBox, config.SystemLog);
    controls.setChecked(Box::DiskStatus_CheckBox, config.DiskStatus);
    controls.setChecked(Box::Hibernate_CheckBox, config.Hibernation);
    controls.setChecked(Box::TempWarn_CheckBox, config.TempWarn);
    controls.setText(Edit::CritTemp_Edit, config.Temp);
    controls.setChecked(Box::PopupNotify_CheckBox, config.PopupNotification);
    controls.setChecked(Box::EmailNotify_CheckBox, config.EmailNotification);
    controls.setText(Edit::Email_Edit, config.EmailAddr);
    controls.setChecked(Box::SndFile_CheckBox, config.PlaySound);
    controls.setText(Edit::SoundPath_Edit, config.SoundPath);

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
