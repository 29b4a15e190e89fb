// SPDX-License-Identifier: MIT
#include "platform/linux/logindpower.h"

#include "platform/linux/sdbusowners.h"
#include "text/cp1252.h"

#include <cstring>

namespace orvane {

namespace {

constexpr std::uint64_t kAnswerTimeout = 5'000'000; // microseconds

// What one call to logind needs; the owners let it all go at the end.
class ManagerCall
{
public:
    // Calls `method` of org.freedesktop.login1.Manager, with the single argument
    // interactive = false when `withInteractive`. On failure `why` holds logind's error
    // message or the bus's reason.
    bool run(const char *method, bool withInteractive, std::string &why)
    {
        sd_bus *opened = nullptr;
        int result = sd_bus_open_system(&opened);
        m_bus.reset(opened);
        if (result < 0) {
            why = std::string("the system bus cannot be reached: ") + std::strerror(-result);
            return false;
        }
        sd_bus_message *created = nullptr;
        result = sd_bus_message_new_method_call(m_bus.get(), &created, "org.freedesktop.login1",
                                                "/org/freedesktop/login1", "org.freedesktop.login1.Manager", method);
        m_call.reset(created);
        if (result >= 0 && withInteractive) {
            result = sd_bus_message_append(m_call.get(), "b", 0);
        }
        if (result >= 0) {
            sd_bus_message *answered = nullptr;
            result = sd_bus_call(m_bus.get(), m_call.get(), kAnswerTimeout, m_error.get(), &answered);
            m_reply.reset(answered);
        }
        if (result < 0) {
            why = m_error.get()->message != nullptr ? m_error.get()->message : std::strerror(-result);
            return false;
        }
        return true;
    }

    // The reply's one string, or empty.
    [[nodiscard]] std::string stringReply()
    {
        const char *text = nullptr;
        return sd_bus_message_read(m_reply.get(), "s", &text) >= 0 && text != nullptr ? text : "";
    }

private:
    SdBus m_bus;
    SdBusMessage m_call;
    SdBusMessage m_reply;
    SdBusError m_error;
};

} // namespace

bool LogindPower::callManager(const char *method)
{
    std::string why;
    const bool done = ManagerCall().run(method, true, why);
    m_lastError = done ? std::string() : utf8ToCp1252(why);
    return done;
}

bool LogindPower::exitWindowsEx(std::uint32_t flags, std::uint32_t)
{
    if ((flags & (kEwxShutdown | kEwxPowerOff)) != 0) {
        return callManager("PowerOff");
    }
    if ((flags & kEwxReboot) != 0) {
        return callManager("Reboot");
    }
    m_lastError = "ending the session alone is not offered";
    return false;
}

bool LogindPower::setSuspendState(bool hibernate, bool, bool)
{
    // Asked first, so that a computer without the means (no swap, a policy against it) is
    // reported as such rather than with the request's terse refusal.
    ManagerCall ask;
    std::string why;
    if (!ask.run(hibernate ? "CanHibernate" : "CanSuspend", false, why)) {
        m_lastError = utf8ToCp1252(why);
        return false;
    }
    const std::string can = ask.stringReply();
    if (can == "na" || can == "no") {
        m_lastError = std::string(hibernate ? "hibernation" : "suspend")
            + (can == "na" ? " is not available on this computer" : " is not allowed for this user");
        return false;
    }
    return callManager(hibernate ? "Hibernate" : "Suspend");
}

} // namespace orvane
