#pragma once

#include "drive/drivetransport.h"
#include "monitor/alertmail.h"
#include "monitor/eventlogapi.h"
#include "monitor/logclock.h"
#include "monitor/power.h"
#include "monitor/sound.h"
#include "platform/replay/replaydrivecontrol.h"
#include "ui/dialogs.h"
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

// Answers the window's questions from queues and keeps every message shown.
class FakeDialogs : public Dialogs
{
public:
    void showMessage(const std::string &text) override { messages.push_back(text); }
    std::optional<std::string> chooseSoundFile() override { return next(soundFiles); }
    std::optional<std::filesystem::path> chooseLogFile() override { return next(logFiles); }

    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> soundFiles;
    std::deque<std::optional<std::filesystem::path>> logFiles;

private:
    template<typename T>
    static std::optional<T> next(std::deque<std::optional<T>> &answers)
    {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Stopped time, in UTC; the long time format is 24 hours with seconds.
class FixedClock : public LogClock
{
public:
    std::tm localNow() override;
    std::string formatLongTime(const std::tm &time) override;
    std::time_t when = 1796652309; // 12/07/2026 14:05:09 UTC
};

// The system event log: keeps the events written under a registered source.
class FakeEventLog : public EventLogApi
{
public:
    EventSourceHandle registerEventSource(const std::string &sourceName) override;
    bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category, std::uint32_t eventId,
                     const std::string &text) override;
    void deregisterEventSource(EventSourceHandle) override { }

    bool refuse = false;
    std::string sourceName;
    std::vector<std::string> events;
};

// The event source's key; with `refuse` it is missing and cannot be created, as
// HKEY_LOCAL_MACHINE is for an ordinary user.
class NoRegistry : public EventSourceRegistry
{
public:
    bool refuse = false;
    bool openKey(const std::string &) override { return !refuse; }
    bool createKey(const std::string &) override { return false; }
    void writeSourceValues(const std::string &, std::uint32_t) override { }
};

// The mail library: keeps what it was asked to send and answers as told.
class FakeMail : public MailLibrary
{
public:
    bool SendMail(std::string &resultText, const char *sender, const char *recipient, const char *, const char *,
                  const char *subject, const char *body, const char *, std::int32_t) override;

    bool accept = true;
    std::string reply = "250 OK";
    struct Mail
    {
        std::string sender, recipient, subject, body;
    };
    std::vector<Mail> sent;
};

class SilentSound : public MultimediaApi
{
public:
    bool fileExists(const std::string &) override { return false; }
    bool mciExecute(const std::string &) override { return false; }
};

class NoPower : public PowerApi
{
public:
    bool hasPrivileges() const override { return false; }
    TokenHandle openProcessToken(std::uint32_t) override { return kNoToken; }
    bool lookupPrivilegeValue(const std::string &, std::uint64_t &) override { return false; }
    bool adjustTokenPrivileges(TokenHandle, std::uint64_t, std::uint32_t) override { return false; }
    bool exitWindowsEx(std::uint32_t, std::uint32_t) override { return false; }
    bool setSuspendState(bool, bool, bool) override { return false; }
};

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

// A temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    [[nodiscard]] const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
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

    // The messages of the Log page, without their stamps.
    [[nodiscard]] std::vector<std::string> logMessages() const;
    // The rows of a report list as Windows-1252 cell texts.
    [[nodiscard]] static std::vector<std::vector<std::string>> rows(const class ReportListView &list);
    // The value of the Disk Info row with this name, or empty.
    [[nodiscard]] std::string diskInfo(const std::string &name) const;

    WatchedDrives drives;
    DriveTransport transport{drives};
    FakeDialogs dialogs;
    FixedClock clock;
    FakeEventLog eventLog;
    NoRegistry eventSources;
    FakeMail mail;
    SilentSound sound;
    NoPower power;
    TempFolder folder; // the program's folder, the autostart folder and the current one
    FormPlaces places;

private:
    std::unique_ptr<TOrvane_Form> m_form;
    std::filesystem::path m_previousDirectory;
};

} // namespace orvane::test
