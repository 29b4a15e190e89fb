#include "platform/linux/logindpower.h"

#include "text/cp1252.h"

#include <cstring>
#include <systemd/sd-bus.h>

namespace orvane {

namespace {

constexpr std::uint64_t kAnswerTimeout = 5'000'000; // microseconds

// Owns what one call to logind needs and lets it all go at the end.
class ManagerCall
{
public:
    ManagerCall() = default;
    ~ManagerCall()
    {
        sd_bus_error_free(&m_error);
        sd_bus_message_unref(m_reply);
        sd_bus_message_unref(m_call);
        sd_bus_flush_close_unref(m_bus);
    }
    ManagerCall(const ManagerCall &) = delete;
    ManagerCall &operator=(const ManagerCall &) = delete;

    // Calls `method` of org.freedesktop.login1.Manager, with the single argument
    // interactive = false when `withInteractive`. On failure `why` holds logind's error
    // message or the bus's reason.
    bool run(const char *method, bool withInteractive, std::string &why)
    {
        int result = sd_bus_open_system(&m_bus);
        if (result < 0) {
            why = std::string("the system bus cannot be reached: ") + std::strerror(-result);
            return false;
        }
        result = sd_bus_message_new_method_call(m_bus, &m_call, "org.freedesktop.login1", "/org/freedesktop/login1",
                                                "org.freedesktop.login1.Manager", method);
        if (result >= 0 && withInteractive) {
            result = sd_bus_message_append(m_call, "b", 0);
        }
        if (result >= 0) {
            result = sd_bus_call(m_bus, m_call, kAnswerTimeout, &m_error, &m_reply);
        }
        if (result < 0) {
            why = m_error.message != nullptr ? m_error.message : std::strerror(-result);
            return false;
        }
        return true;
    }

    // The reply's one string, or empty.
    [[nodiscard]] std::string stringReply()
    {
        const char *text = nullptr;
        return sd_bus_message_read(m_reply, "s", &text) >= 0 && text != nullptr ? text : "";
    }

private:
    sd_bus *m_bus = nullptr;
    sd_bus_message *m_call = nullptr;
    sd_bus_message *m_reply = nullptr;
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
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
    if ((flags & (EWX_SHUTDOWN | EWX_POWEROFF)) != 0) {
        return callManager("PowerOff");
    }
    if ((flags & EWX_REBOOT) != 0) {
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
