// SPDX-License-Identifier: MIT
#pragma once

#include "drive/nvmestructs.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

// The only two requests an NVMe drive is ever sent: Identify Controller (CNS 1, 4096 bytes)
// and the SMART / Health Information log (page 02h, global, 512 bytes).
enum class NvmeCommand {
    IdentifyController,
    HealthLog,
};

[[nodiscard]] std::size_t nvmeDataSize(NvmeCommand command);

// The input of IOCTL_STORAGE_QUERY_PROPERTY for `command`: the 48-byte query head, then a
// zeroed data area of the answer's size, as the driver's own examples pass it.
[[nodiscard]] std::vector<std::uint8_t> nvmeQuery(NvmeCommand command);

// Decodes a request into one of the two NVMe commands, or nothing when it is anything else
// (another code, property, protocol, data type, identify CNS, log page, offset or length):
// such a request must never reach a drive. The one allow-list of NVMe requests.
[[nodiscard]] std::optional<NvmeCommand> parseNvmeQuery(std::uint32_t code, std::span<const std::uint8_t> in);

// Copies the answer's data into `data` (of the command's size) when the answer is well
// formed: the descriptor's version and size as the driver writes them, and a data area
// that starts after the protocol data, holds the whole answer and lies inside `out`.
[[nodiscard]] bool nvmeReplyData(std::span<const std::uint8_t> out, std::span<std::uint8_t> data);

// For the back-ends that answer a checked query themselves (Linux, recordings): fills `out`
// as the Windows driver does, descriptor first, then `data`. False when `out` is too small.
[[nodiscard]] bool writeNvmeReply(NvmeCommand command, std::span<const std::uint8_t> data, std::span<std::uint8_t> out);

} // namespace orvane
