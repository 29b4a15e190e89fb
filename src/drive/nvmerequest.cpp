// SPDX-License-Identifier: MIT
#include "drive/nvmerequest.h"

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {

constexpr std::size_t kPropertyHeadSize = offsetof(STORAGE_PROPERTY_QUERY, AdditionalParameters);

// The protocol data each command is asked with; parseNvmeQuery accepts exactly these.
STORAGE_PROTOCOL_SPECIFIC_DATA protocolDataFor(NvmeCommand command)
{
    STORAGE_PROTOCOL_SPECIFIC_DATA data{};
    data.ProtocolType = kProtocolTypeNvme;
    if (command == NvmeCommand::IdentifyController) {
        data.DataType = kNvmeDataTypeIdentify;
        data.ProtocolDataRequestValue = kNvmeIdentifyCnsController;
    } else {
        data.DataType = kNvmeDataTypeLogPage;
        data.ProtocolDataRequestValue = kNvmeLogPageHealthInfo; // from offset 0 (SubValue)
    }
    data.ProtocolDataOffset = sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA);
    data.ProtocolDataLength = static_cast<std::uint32_t>(nvmeDataSize(command));
    return data;
}

std::uint32_t propertyFor(NvmeCommand command)
{
    return command == NvmeCommand::IdentifyController ? kStorageAdapterProtocolSpecificProperty
                                                      : kStorageDeviceProtocolSpecificProperty;
}

bool sameProtocolData(const STORAGE_PROTOCOL_SPECIFIC_DATA &a, const STORAGE_PROTOCOL_SPECIFIC_DATA &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

std::size_t nvmeDataSize(NvmeCommand command)
{
    return command == NvmeCommand::IdentifyController ? kNvmeIdentifySize : kNvmeHealthLogSize;
}

std::vector<std::uint8_t> nvmeQuery(NvmeCommand command)
{
    std::vector<std::uint8_t> query(kNvmeQueryHeaderSize + nvmeDataSize(command), 0);
    const std::uint32_t head[2] = {propertyFor(command), kPropertyStandardQuery};
    std::memcpy(query.data(), head, sizeof head);
    const STORAGE_PROTOCOL_SPECIFIC_DATA data = protocolDataFor(command);
    std::memcpy(query.data() + kPropertyHeadSize, &data, sizeof data);
    return query;
}

std::optional<NvmeCommand> parseNvmeQuery(std::uint32_t code, std::span<const std::uint8_t> in)
{
    if (code != kIoctlStorageQueryProperty || in.size() < kNvmeQueryHeaderSize) {
        return std::nullopt;
    }
    std::uint32_t head[2];
    std::memcpy(head, in.data(), sizeof head);
    STORAGE_PROTOCOL_SPECIFIC_DATA data;
    std::memcpy(&data, in.data() + kPropertyHeadSize, sizeof data);
    for (const NvmeCommand command : {NvmeCommand::IdentifyController, NvmeCommand::HealthLog}) {
        if (head[0] == propertyFor(command) && head[1] == kPropertyStandardQuery
            && sameProtocolData(data, protocolDataFor(command))) {
            return command;
        }
    }
    return std::nullopt;
}

bool nvmeReplyData(std::span<const std::uint8_t> out, std::span<std::uint8_t> data)
{
    if (out.size() < kNvmeQueryHeaderSize) {
        return false;
    }
    STORAGE_PROTOCOL_DATA_DESCRIPTOR descriptor;
    std::memcpy(&descriptor, out.data(), sizeof descriptor);
    const STORAGE_PROTOCOL_SPECIFIC_DATA &p = descriptor.ProtocolSpecificData;
    // The data offset counts from the protocol data, which starts 8 bytes into the answer.
    const std::size_t room = out.size() - kPropertyHeadSize;
    if (descriptor.Version != sizeof descriptor || descriptor.Size != sizeof descriptor
        || p.ProtocolDataOffset < sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA) || p.ProtocolDataLength < data.size()
        || p.ProtocolDataOffset > room || room - p.ProtocolDataOffset < data.size()) {
        return false;
    }
    const auto first = out.begin() + static_cast<std::ptrdiff_t>(kPropertyHeadSize + p.ProtocolDataOffset);
    std::copy_n(first, data.size(), data.begin());
    return true;
}

bool writeNvmeReply(NvmeCommand command, std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    if (data.size() != nvmeDataSize(command) || out.size() < kNvmeQueryHeaderSize + data.size()) {
        return false;
    }
    std::fill(out.begin(), out.end(), 0);
    STORAGE_PROTOCOL_DATA_DESCRIPTOR descriptor{};
    descriptor.Version = sizeof descriptor;
    descriptor.Size = sizeof descriptor;
    descriptor.ProtocolSpecificData = protocolDataFor(command);
    std::memcpy(out.data(), &descriptor, sizeof descriptor);
    std::copy(data.begin(), data.end(), out.begin() + kNvmeQueryHeaderSize);
    return true;
}

} // namespace orvane
