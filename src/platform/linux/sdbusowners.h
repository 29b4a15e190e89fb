// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <systemd/sd-bus.h>

namespace orvane {

// Owners of sd-bus objects: each lets its object go when it goes out of scope, a bus
// connection after flushing what it still has to send.
struct SdBusCloser
{
    void operator()(sd_bus *bus) const { sd_bus_flush_close_unref(bus); }
};
struct SdBusMessageUnref
{
    void operator()(sd_bus_message *message) const { sd_bus_message_unref(message); }
};

using SdBus = std::unique_ptr<sd_bus, SdBusCloser>;
using SdBusMessage = std::unique_ptr<sd_bus_message, SdBusMessageUnref>;

// An sd_bus_error that is freed with its owner.
class SdBusError
{
public:
    SdBusError() = default;
    SdBusError(const SdBusError &) = delete;
    SdBusError &operator=(const SdBusError &) = delete;
    ~SdBusError() { sd_bus_error_free(&m_error); }

    [[nodiscard]] sd_bus_error *get() { return &m_error; }

private:
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
};

} // namespace orvane
