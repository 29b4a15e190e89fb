// SPDX-License-Identifier: MIT
#pragma once

#include "drive/nvmerequest.h"

#include <cstdint>
#include <linux/nvme_ioctl.h>
#include <span>

namespace orvane {

inline constexpr std::uint8_t kNvmeAdminGetLogPage = 0x02;
inline constexpr std::uint8_t kNvmeAdminIdentify = 0x06;
inline constexpr std::uint32_t kNvmeGlobalNamespace = 0xFFFFFFFF;

// The admin command (NVME_IOCTL_ADMIN_CMD) that carries one of the two checked NVMe
// requests, reading into `data`, which must be the command's size:
// - Identify: opcode 06h, CNS 1 (the controller) in CDW10, 4096 bytes;
// - Get Log Page: opcode 02h, NSID FFFFFFFFh (global), log id 02h in CDW10 bits 7-0 and the
//   number of dwords less one (NUMDL, 127 for 512 bytes) in bits 31-16, offset 0.
[[nodiscard]] nvme_passthru_cmd buildNvmeAdminCommand(NvmeCommand command, std::span<std::uint8_t> data);

} // namespace orvane
