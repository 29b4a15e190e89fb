// SPDX-License-Identifier: MIT
#pragma once

// Tiny stand-ins for the platform interfaces, one each; each records what it was asked.
// The drive control's is in fakedrivecontrol.h.

#include "monitor/alertmail.h"
#include "monitor/eventlogapi.h"
#include "monitor/logclock.h"
#include "monitor/power.h"
#include "monitor/sound.h"

#include <cstdio>
#include <ctime>
#include <set>
#include <string>
#include <vector>

namespace orvane::test {

// Stopped time. The long time format is a 12-hour clock by default, so that the tests can
// tell it from the date part, or the 24-hour one of a machine set up that way.
class FakeClock : public LogClock
{
public:
    std::tm now = utc(1796652309); // 12/07/2026 14:05:09
    bool twentyFourHours = false;

    void set(int year, int month, int day, int hour, int minute, int second)
    {
        now = std::tm{};
        now.tm_year = year - 1900;
        now.tm_mon = month - 1;
        now.tm_mday = day;
        now.tm_hour = hour;
        now.tm_min = minute;
        now.tm_sec = second;
    }
    void set(std::time_t when) { now = utc(when); }

    std::tm localNow() override { return now; }
    std::string formatLongTime(const std::tm &time) override
    {
        char text[32];
        if (twentyFourHours) {
            return std::string(text, std::strftime(text, sizeof text, "%H:%M:%S", &time));
        }
        std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12,
                      time.tm_min, time.tm_sec, time.tm_hour < 12 ? "AM" : "PM");
        return text;
    }

private:
    static std::tm utc(std::time_t when)
    {
        // std::gmtime, which Windows has too; the tests run on one thread.
        return *std::gmtime(&when);
    }
};

// The system event log. Notes every call; the one source it hands out is 7, and the texts
// written under it are kept in `events`.
class FakeEventLog : public EventLogApi
{
public:
    bool refuse = false;
    std::string sourceName; // the last source registered
    std::vector<std::string> events;
    std::vector<std::string> calls; // "register Orvane", "report 7 4 0 1073872897 text", "deregister 7"

    EventSourceHandle registerEventSource(const std::string &name) override
    {
        calls.push_back("register " + name);
        sourceName = name;
        return refuse ? kNoEventSource : 7;
    }
    bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category, std::uint32_t id,
                     const std::string &text) override
    {
        calls.push_back("report " + std::to_string(source) + " " + std::to_string(type) + " " + std::to_string(category)
                        + " " + std::to_string(id) + " " + text);
        if (source != 7) {
            return false;
        }
        events.push_back(text);
        return true;
    }
    void deregisterEventSource(EventSourceHandle source) override
    {
        calls.push_back("deregister " + std::to_string(source));
    }
};

// The registry of event sources: `keys` exist; creating one succeeds unless told not to.
class FakeRegistry : public EventSourceRegistry
{
public:
    std::set<std::string> keys;
    bool canCreate = true;
    std::vector<std::string> calls;

    bool openKey(const std::string &path) override
    {
        calls.push_back("open " + path);
        return keys.count(path) != 0;
    }
    bool createKey(const std::string &path) override
    {
        calls.push_back("create " + path);
        if (canCreate) {
            keys.insert(path);
        }
        return canCreate;
    }
    void writeSourceValues(const std::string &path, std::uint32_t types) override
    {
        calls.push_back("write " + path + " " + std::to_string(types));
    }
};

// The power functions: each call is noted and answers as told.
class FakePower : public PowerApi
{
public:
    bool privileges = true;
    bool tokenOk = true;
    bool lookupOk = true;
    bool exitOk = true;
    bool suspendOk = true;
    std::vector<std::string> calls;

    bool hasPrivileges() const override { return privileges; }
    TokenHandle openProcessToken(std::uint32_t access) override
    {
        calls.push_back("token " + std::to_string(access));
        return tokenOk ? 42 : kNoToken;
    }
    bool lookupPrivilegeValue(const std::string &name, std::uint64_t &luid) override
    {
        calls.push_back("lookup " + name);
        luid = 19;
        return lookupOk;
    }
    bool adjustTokenPrivileges(TokenHandle token, std::uint64_t luid, std::uint32_t attributes) override
    {
        calls.push_back("adjust " + std::to_string(token) + " " + std::to_string(luid) + " "
                        + std::to_string(attributes));
        return true;
    }
    bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override
    {
        calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reason));
        return exitOk;
    }
    bool setSuspendState(bool hibernate, bool force, bool disableWake) override
    {
        calls.push_back("suspend " + std::to_string(hibernate) + std::to_string(force) + std::to_string(disableWake));
        return suspendOk;
    }
};

// The multimedia commands: `files` exist; every command is noted.
class FakeMultimedia : public MultimediaApi
{
public:
    std::set<std::string> files;
    std::vector<std::string> commands;

    bool fileExists(const std::string &path) override { return files.count(path) != 0; }
    bool mciExecute(const std::string &command) override
    {
        commands.push_back(command);
        return true;
    }
};

// The mail library: notes what it was asked to send and answers as told.
class FakeMailLibrary : public MailLibrary
{
public:
    struct Call
    {
        bool resultEmpty;
        std::string sender, recipient, subject, body;
        bool nullsAsExpected;
        std::int32_t timeLimit;
    };
    bool accept = true;
    std::string answer = "250 OK";
    std::vector<Call> calls;

    bool SendMail(std::string &result, const char *sender, const char *recipient, const char *unused4,
                  const char *unused5, const char *subject, const char *body, const char *unused8,
                  std::int32_t timeLimit) override
    {
        calls.push_back({result.empty(), sender, recipient, subject, body,
                         unused4 == nullptr && unused5 == nullptr && unused8 == nullptr, timeLimit});
        result = answer;
        return accept;
    }
};

// Keeps every message shown.
class FakeMessageBox : public MessageBoxApi
{
public:
    std::vector<std::string> shown;
    void showMessage(const std::string &text) override { shown.push_back(text); }
};

} // namespace orvane::test
