// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The storage driver's protocol-specific query (IOCTL_STORAGE_QUERY_PROPERTY) as Windows 10
// and later answer it for an NVMe drive through the in-box NVMe driver: the request code,
// the property and data type numbers and the published structures, laid out as the driver
// expects them. The Windows back-end checks each against the SDK at compile time.

namespace orvane {

inline constexpr std::uint32_t kIoctlStorageQueryProperty = 0x002D1400; // METHOD_BUFFERED, any access

// STORAGE_PROPERTY_ID: the controller's data (Identify Controller) is an adapter property,
// a log page a device property.
inline constexpr std::uint32_t kStorageAdapterProtocolSpecificProperty = 49;
inline constexpr std::uint32_t kStorageDeviceProtocolSpecificProperty = 50;
inline constexpr std::uint32_t kPropertyStandardQuery = 0;
inline constexpr std::uint32_t kProtocolTypeNvme = 3;
inline constexpr std::uint32_t kNvmeDataTypeIdentify = 1;
inline constexpr std::uint32_t kNvmeDataTypeLogPage = 2;

// The two things the program ever asks an NVMe drive.
inline constexpr std::uint32_t kNvmeIdentifyCnsController = 1;
inline constexpr std::uint32_t kNvmeLogPageHealthInfo = 0x02;
inline constexpr std::size_t kNvmeIdentifySize = 4096;
inline constexpr std::size_t kNvmeHealthLogSize = 512;

// STORAGE_PROTOCOL_SPECIFIC_DATA: what to ask, and where the answer starts (counted from
// the start of this structure).
struct STORAGE_PROTOCOL_SPECIFIC_DATA
{
    std::uint32_t ProtocolType;
    std::uint32_t DataType;
    std::uint32_t ProtocolDataRequestValue; // the CNS of an identify, the log page id
    std::uint32_t ProtocolDataRequestSubValue; // log page: low 32 bits of the offset
    std::uint32_t ProtocolDataOffset;
    std::uint32_t ProtocolDataLength;
    std::uint32_t FixedProtocolReturnData;
    std::uint32_t ProtocolDataRequestSubValue2;
    std::uint32_t ProtocolDataRequestSubValue3;
    std::uint32_t ProtocolDataRequestSubValue4;
};

// STORAGE_PROPERTY_QUERY: AdditionalParameters is where the protocol data begins.
struct STORAGE_PROPERTY_QUERY
{
    std::uint32_t PropertyId;
    std::uint32_t QueryType;
    std::uint8_t AdditionalParameters[1];
};

// STORAGE_PROTOCOL_DATA_DESCRIPTOR: the head of the answer, the data follows it.
struct STORAGE_PROTOCOL_DATA_DESCRIPTOR
{
    std::uint32_t Version;
    std::uint32_t Size;
    STORAGE_PROTOCOL_SPECIFIC_DATA ProtocolSpecificData;
};

static_assert(sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA) == 40);
static_assert(sizeof(STORAGE_PROPERTY_QUERY) == 12);
static_assert(offsetof(STORAGE_PROPERTY_QUERY, AdditionalParameters) == 8);
static_assert(sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR) == 48);
static_assert(offsetof(STORAGE_PROTOCOL_DATA_DESCRIPTOR, ProtocolSpecificData) == 8);

// The query's head: the property query up to AdditionalParameters, then the protocol data.
// The data area follows it in the same buffer, and the answer comes back in the same
// layout with the descriptor's Version and Size in place of the property and query type.
inline constexpr std::size_t kNvmeQueryHeaderSize =
    offsetof(STORAGE_PROPERTY_QUERY, AdditionalParameters) + sizeof(STORAGE_PROTOCOL_SPECIFIC_DATA); // 48
static_assert(kNvmeQueryHeaderSize == sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR));

using NvmeIdentifyData = std::array<std::uint8_t, kNvmeIdentifySize>;
using NvmeHealthLog = std::array<std::uint8_t, kNvmeHealthLogSize>;

} // namespace orvane
