// SPDX-License-Identifier: MIT
#include "platform/linux/nvmeadmin.h"

#include <cstdint>

namespace orvane {

namespace {

// Long enough for a drive that has to leave a low-power state first.
constexpr std::uint32_t kAdminTimeoutMs = 15000;

} // namespace

nvme_passthru_cmd buildNvmeAdminCommand(NvmeCommand command, std::span<std::uint8_t> data)
{
    nvme_passthru_cmd cmd{};
    cmd.addr = reinterpret_cast<std::uintptr_t>(data.data());
    cmd.data_len = static_cast<std::uint32_t>(data.size());
    cmd.timeout_ms = kAdminTimeoutMs;
    if (command == NvmeCommand::IdentifyController) {
        cmd.opcode = kNvmeAdminIdentify;
        cmd.cdw10 = kNvmeIdentifyCnsController;
    } else {
        const std::uint32_t dwordsLessOne = static_cast<std::uint32_t>(data.size() / 4 - 1);
        cmd.opcode = kNvmeAdminGetLogPage;
        cmd.nsid = kNvmeGlobalNamespace;
        cmd.cdw10 = kNvmeLogPageHealthInfo | (dwordsLessOne << 16);
    }
    return cmd;
}

} // namespace orvane
