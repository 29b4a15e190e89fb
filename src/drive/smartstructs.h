// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

// The disk driver's S.M.A.R.T. request interface: request codes and the published
// structures, laid out byte for byte as the driver expects them. Multi-byte fields are
// little-endian; every platform this program runs on is.
static_assert(std::endian::native == std::endian::little, "the request structures are little-endian");

namespace orvane {

inline constexpr std::uint32_t kSmartGetVersion = 0x00074080;
inline constexpr std::uint32_t kSmartSendDriveCommand = 0x0007C084;
inline constexpr std::uint32_t kSmartRcvDriveData = 0x0007C088;

// ATA command and register values the program sends.
inline constexpr std::uint8_t kAtaIdentifyDevice = 0xEC;
inline constexpr std::uint8_t kAtaIdentifyPacketDevice = 0xA1;
inline constexpr std::uint8_t kAtaSmartCommand = 0xB0;
inline constexpr std::uint8_t kSmartReadAttributeValues = 0xD0;
inline constexpr std::uint8_t kSmartReadAttributeThresholds = 0xD1;
inline constexpr std::uint8_t kSmartEnableOperations = 0xD8;
inline constexpr std::uint8_t kSmartCylLow = 0x4F;
inline constexpr std::uint8_t kSmartCylHigh = 0xC2;

inline constexpr std::size_t kSectorSize = 512;
inline constexpr std::size_t kReplyHeaderSize = 16; // cBufferSize + DRIVERSTATUS
inline constexpr std::size_t kDataReplySize = kReplyHeaderSize + kSectorSize; // 528
inline constexpr std::size_t kEnableReplySize = kReplyHeaderSize; // 16 bytes sent for
inline constexpr std::size_t kEnableReplyAreaSize = 17; // the SENDCMDOUTPARAMS of ENABLE
inline constexpr std::size_t kCommandBytesSent = 32; // SENDCMDINPARAMS less its 1-byte bBuffer

using SectorBytes = std::array<std::uint8_t, kSectorSize>;

#pragma pack(push, 1)

struct GETVERSIONINPARAMS
{
    std::uint8_t bVersion;
    std::uint8_t bRevision;
    std::uint8_t bReserved;
    std::uint8_t bIDEDeviceMap; // bits 0-3: ATA device 0-3; bits 4-7: ATAPI device 0-3
    std::uint32_t fCapabilities;
    std::uint32_t dwReserved[4];
};

struct IDEREGS
{
    std::uint8_t bFeaturesReg;
    std::uint8_t bSectorCountReg;
    std::uint8_t bSectorNumberReg;
    std::uint8_t bCylLowReg;
    std::uint8_t bCylHighReg;
    std::uint8_t bDriveHeadReg;
    std::uint8_t bCommandReg;
    std::uint8_t bReserved;
};

struct SENDCMDINPARAMS
{
    std::uint32_t cBufferSize;
    IDEREGS irDriveRegs;
    std::uint8_t bDriveNumber;
    std::uint8_t bReserved[3];
    std::uint32_t dwReserved[4];
    std::uint8_t bBuffer[1];
};

struct DRIVERSTATUS
{
    std::uint8_t bDriverError;
    std::uint8_t bIDEError;
    std::uint8_t bReserved[2];
    std::uint32_t dwReserved[2];
};

// The reply: a 16-byte header, then the data sector (512 bytes for the data commands).
struct SENDCMDOUTPARAMS
{
    std::uint32_t cBufferSize;
    DRIVERSTATUS DriverStatus;
    std::uint8_t bBuffer[1];
};

#pragma pack(pop)

static_assert(sizeof(GETVERSIONINPARAMS) == 24);
static_assert(sizeof(IDEREGS) == 8);
static_assert(sizeof(SENDCMDINPARAMS) == 33);
static_assert(offsetof(SENDCMDINPARAMS, bDriveNumber) == 12);
static_assert(sizeof(DRIVERSTATUS) == 12);
static_assert(offsetof(SENDCMDOUTPARAMS, bBuffer) == kReplyHeaderSize);

} // namespace orvane
