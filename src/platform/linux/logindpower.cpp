#include "platform/linux/logindpower.h"

#include "platform/linux/sdbusowners.h"

namespace orvane {

namespace {

constexpr std::uint64_t kAnswerTimeout = 5'000'000; // microseconds

// Calls one method of org.freedesktop.login1.Manager with the single argument
// interactive = false. True when logind answered without an error.
bool callManager(const char *method)
{
    sd_bus *opened = nullptr;
    if (sd_bus_open_system(&opened) < 0) {
        return false;
    }
    const SdBus bus(opened);
    sd_bus_message *created = nullptr;
    if (sd_bus_message_new_method_call(bus.get(), &created, "org.freedesktop.login1", "/org/freedesktop/login1",
                                       "org.freedesktop.login1.Manager", method)
        < 0) {
        return false;
    }
    const SdBusMessage call(created);
    if (sd_bus_message_append(call.get(), "b", 0) < 0) {
        return false;
    }
    SdBusError error;
    sd_bus_message *answered = nullptr;
    const int result = sd_bus_call(bus.get(), call.get(), kAnswerTimeout, error.get(), &answered);
    const SdBusMessage reply(answered);
    return result >= 0;
}

} // namespace

bool LogindPower::exitWindowsEx(std::uint32_t flags, std::uint32_t)
{
    if ((flags & (kEwxShutdown | kEwxPowerOff)) != 0) {
        return callManager("PowerOff");
    }
    if ((flags & kEwxReboot) != 0) {
        return callManager("Reboot");
    }
    return false;
}

bool LogindPower::setSuspendState(bool hibernate, bool, bool)
{
    return callManager(hibernate ? "Hibernate" : "Suspend");
}

} // namespace orvane
