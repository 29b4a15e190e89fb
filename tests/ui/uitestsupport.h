// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivetransport.h"
#include "faketray.h"
#include "platform/linux/xdgautostart.h"
#include "platform/replay/replaydrivecontrol.h"
#include "support/fakedialogs.h"
#include "support/fakes.h"
#include "support/scratchdir.h"
#include "ui/orvaneform.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane::test {

// A drive made by hand: IDENTIFY with the given model, attribute 5 and, unless the
// temperature is nullopt, attribute 194 with that raw temperature and the given value and
// threshold. Device map 01: drive 0 on the first channel, plain ATA.
DriveRecording MadeDrive(const std::string &model, std::optional<int> celsius, int value = 100, int threshold = 0);

// Passes every call to the recorded drives and keeps the paths opened, in order.
class WatchedDrives : public DriveControl
{
public:
    DeviceHandle createFile(const std::string &path) override;
    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) override;
    void closeHandle(DeviceHandle handle) override { replay.closeHandle(handle); }

    ReplayDriveControl replay;
    std::vector<std::string> opened;
};

// A window on made drives, created but not started; tests call FormCreate when ready.
class FormHarness
{
public:
    FormHarness();
    ~FormHarness();

    void addDrive(std::uint8_t number, const std::string &model, std::optional<int> celsius, int value = 100,
                  int threshold = 0);
    TOrvane_Form &create(double screenPpi = 96);
    TOrvane_Form &form() { return *m_form; }
    void destroyForm() { m_form.reset(); }

    // The messages of the Log page, without their stamps.
    [[nodiscard]] std::vector<std::string> logMessages() const;
    // The rows of a report list as Windows-1252 cell texts.
    [[nodiscard]] static std::vector<std::vector<std::string>> rows(const class ReportListView &list);
    // The value of the Disk Info row with this name, or empty.
    [[nodiscard]] std::string diskInfo(const std::string &name) const;

    WatchedDrives drives;
    DriveTransport transport{drives};
    FakeDialogs dialogs;
    FakeClock clock; // 24-hour long time
    FakeEventLog eventLog;
    FakeRegistry eventSources; // the event source's key exists
    FakeMailLibrary mail;
    FakeMultimedia sound;
    FakePower power;
    FakeTrayShell tray;
    TrayShell *realTray = nullptr; // when set, the window uses it instead of the fake
    FakeOpener opener;
    ScratchDir folder; // the program's folder, the autostart folder and the current one
    XdgAutostartEntry autostart{(folder.path() / "config" / "autostart" / "Orvane.desktop").string()};
    FormPlaces places;

private:
    std::unique_ptr<TOrvane_Form> m_form;
    std::filesystem::path m_previousDirectory;
};

} // namespace orvane::test
