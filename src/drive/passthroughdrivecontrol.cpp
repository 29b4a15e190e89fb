// SPDX-License-Identifier: MIT
#include "drive/passthroughdrivecontrol.h"

#include <vector>

namespace orvane {

bool PassThroughDriveControl::deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                              std::span<std::uint8_t> out)
{
    const std::optional<DriveRequest> request = decodeDriveRequest(code, in, out.size());
    if (!request) {
        return false;
    }
    if (std::holds_alternative<VersionRequest>(*request)) {
        const std::optional<std::uint8_t> map = deviceMap(handle);
        if (!map) {
            return false;
        }
        writeVersionReply(out, *map);
        return true;
    }
    if (const NvmeCommand *nvme = std::get_if<NvmeCommand>(&*request)) {
        std::vector<std::uint8_t> data(nvmeDataSize(*nvme), 0);
        return nvmeAdminCommand(handle, *nvme, data) && writeNvmeReply(*nvme, data, out);
    }
    const AtaCommand &command = std::get<AtaCommand>(*request);
    SectorBytes sector{};
    if (!ataPassThrough(handle, command, sector)) {
        return false;
    }
    writeCommandReply(out, command.dataIn() ? std::span<const std::uint8_t>(sector) : std::span<const std::uint8_t>());
    return true;
}

} // namespace orvane
