// SPDX-License-Identifier: MIT
// What the program pays every 30 seconds: one watch cycle over the four drives the demo
// shows (the shipped recordings), all ticked, none hotter than the alert temperature. The
// drives answer from memory, so this is the program's own cost without the disk driver.
#include "drive/drivetransport.h"
#include "monitor/activitylog.h"
#include "monitor/alertmail.h"
#include "monitor/power.h"
#include "monitor/sound.h"
#include "monitor/temperaturewatch.h"
#include "platform/replay/replaydrivecontrol.h"
#include "settings/config.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace orvane;

class Rows : public WatchWindow
{
public:
    int rowCount() const override { return 4; }
    bool rowTicked(int) const override { return true; }
    std::string rowCaption(int row) const override { return std::to_string(row); }
    void setCaption(const std::string &) override { std::abort(); }
    void setAlertTemperatureText(const std::string &) override { std::abort(); }
    void setForegroundWindow(ForegroundWindow) override { std::abort(); }
    HibernateAnswer askToHibernate() override { std::abort(); }
};

class Timer : public WatchTimer
{
public:
    void switchOn() override { on = true; }
    void switchOff() override { on = false; }
    bool isOn() const override { return on; }
    bool on = true;
};

// Outlets that a quiet cycle never reaches.
class Unreached : public MailLibrary, public MultimediaApi, public PowerApi, public LogClock, public EventLogApi
{
public:
    bool SendMail(std::string &, const char *, const char *, const char *, const char *, const char *, const char *,
                  const char *, std::int32_t) override
    {
        std::abort();
    }
    bool fileExists(const std::string &) override { std::abort(); }
    bool mciExecute(const std::string &) override { std::abort(); }
    bool hasPrivileges() const override { return false; }
    TokenHandle openProcessToken(std::uint32_t) override { std::abort(); }
    bool lookupPrivilegeValue(const std::string &, std::uint64_t &) override { std::abort(); }
    bool adjustTokenPrivileges(TokenHandle, std::uint64_t, std::uint32_t) override { std::abort(); }
    bool exitWindowsEx(std::uint32_t, std::uint32_t) override { std::abort(); }
    bool setSuspendState(bool, bool, bool) override { std::abort(); }
    std::tm localNow() override { std::abort(); }
    std::string formatLongTime(const std::tm &) override { std::abort(); }
    EventSourceHandle registerEventSource(const std::string &) override { return kNoEventSource; }
    bool reportEvent(EventSourceHandle, std::uint16_t, std::uint16_t, std::uint32_t, const std::string &) override
    {
        std::abort();
    }
    void deregisterEventSource(EventSourceHandle) override { }
};

class NoRegistry : public EventSourceRegistry
{
public:
    bool openKey(const std::string &) override { return true; }
    bool createKey(const std::string &) override { return false; }
    void writeSourceValues(const std::string &, std::uint32_t) override { }
};

void BM_QuietWatchCycleOverFourDrives(benchmark::State &state)
{
    ReplayDriveControl control;
    const char *shipped[] = {"wdc-wd10ezex.rec", "failing-st2000dm001.rec", "hot-hitachi-hcc543232a7a380.rec",
                             "st2000dm001.rec"};
    for (std::uint8_t drive = 0; drive < 4; ++drive) {
        control.addDrive(drive, loadRecording(std::string(ORVANE_SOURCE_DIR "/assets/drives/") + shipped[drive]));
    }
    DriveTransport transport(control);
    Unreached outlets;
    NoRegistry registry;
    TfisNTEventLog eventLog(outlets, registry);
    MemoryLogPage page;
    ActivityLog log(outlets, page, eventLog);
    Rows rows;
    Timer checkTemp;
    Timer countdown;
    TConfig config;
    config.PopupNotification = true;
    std::uint8_t critTemp = 60; // the hot drive runs at 58
    std::uint8_t seconds = 0;
    TemperatureWatch watch({transport, log, eventLog, outlets, outlets, outlets}, rows, checkTemp, countdown,
                           {config, critTemp, seconds});
    for (auto _ : state) {
        watch.CheckTemperatures();
    }
    if (!checkTemp.on || !page.lines().empty()) {
        state.SkipWithError("the cycle was not quiet");
    }
}
BENCHMARK(BM_QuietWatchCycleOverFourDrives);

} // namespace

BENCHMARK_MAIN();
