#include "platform/linux/logindpower.h"

#include <systemd/sd-bus.h>

namespace orvane {

namespace {

constexpr std::uint64_t kAnswerTimeout = 5'000'000; // microseconds

// Calls one method of org.freedesktop.login1.Manager with the single argument
// interactive = false. True when logind answered without an error.
bool callManager(const char *method)
{
    sd_bus *bus = nullptr;
    if (sd_bus_open_system(&bus) < 0) {
        return false;
    }
    sd_bus_message *call = nullptr;
    sd_bus_message *reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int result = sd_bus_message_new_method_call(
        bus, &call, "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager", method);
    if (result >= 0) {
        result = sd_bus_message_append(call, "b", 0);
    }
    if (result >= 0) {
        result = sd_bus_call(bus, call, kAnswerTimeout, &error, &reply);
    }
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    sd_bus_message_unref(call);
    sd_bus_flush_close_unref(bus);
    return result >= 0;
}

} // namespace

bool LogindPower::exitWindowsEx(std::uint32_t flags, std::uint32_t)
{
    if ((flags & (EWX_SHUTDOWN | EWX_POWEROFF)) != 0) {
        return callManager("PowerOff");
    }
    if ((flags & EWX_REBOOT) != 0) {
        return callManager("Reboot");
    }
    return false;
}

bool LogindPower::setSuspendState(bool hibernate, bool, bool)
{
    return callManager(hibernate ? "Hibernate" : "Suspend");
}

} // namespace orvane
