#pragma once

// Tiny stand-ins for the platform interfaces; each records what it was asked.

#include "monitor/alertmail.h"
#include "monitor/eventlogapi.h"
#include "monitor/logclock.h"
#include "monitor/power.h"
#include "monitor/sound.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace orvane::test {

// Stopped time; the long time format is a fixed 12-hour clock so that the tests can tell
// it from the date part.
class FakeClock : public LogClock
{
public:
    std::tm now {};

    void set(int year, int month, int day, int hour, int minute, int second)
    {
        now = std::tm {};
        now.tm_year = year - 1900;
        now.tm_mon = month - 1;
        now.tm_mday = day;
        now.tm_hour = hour;
        now.tm_min = minute;
        now.tm_sec = second;
    }

    std::tm localNow() override { return now; }
    std::string formatLongTime(const std::tm &time) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12,
            time.tm_min, time.tm_sec, time.tm_hour < 12 ? "AM" : "PM");
        return text;
    }
};

class FakeEventLogApi : public EventLogApi
{
public:
    bool refuse = false;
    std::vector<std::string> calls; // "register Orvane", "report 4 0 1073872897 text", "deregister 7"

    EventSourceHandle registerEventSource(const std::string &name) override
    {
        calls.push_back("register " + name);
        return refuse ? kNoEventSource : 7;
    }
    bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category, std::uint32_t id,
        const std::string &text) override
    {
        calls.push_back("report " + std::to_string(source) + " " + std::to_string(type) + " " + std::to_string(category)
            + " " + std::to_string(id) + " " + text);
        return true;
    }
    void deregisterEventSource(EventSourceHandle source) override
    {
        calls.push_back("deregister " + std::to_string(source));
    }
};

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

class FakePower : public PowerApi
{
public:
    bool privileges = true;
    bool tokenOk = true;
    bool lookupOk = true;
    bool exitOk = true;
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
        calls.push_back(
            "adjust " + std::to_string(token) + " " + std::to_string(luid) + " " + std::to_string(attributes));
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
        return true;
    }
};

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

class FakeMessageBox : public MessageBoxApi
{
public:
    std::vector<std::string> shown;
    void showMessage(const std::string &text) override { shown.push_back(text); }
};

} // namespace orvane::test
