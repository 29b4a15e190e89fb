// SPDX-License-Identifier: MIT
#pragma once

#include "drive/driverequest.h"
#include "drive/nvmerequest.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orvane {

// The messages between the program and its privileged drive reader (orvane-drive-reader),
// which serves them over its standard input and output. Every message is a frame: a 32-bit
// little-endian length, then that many bytes of body.
//
// A request body is a message type, a drive number (0 to 3: the N-th whole disk of the
// system) and the type's fields; it carries an already decoded command, never a device
// name, a path or raw request bytes.
//
//   type 1, open check:   [1][drive]                          the disk can be opened
//   type 2, ATA command:  [2][drive][kind][7 task-file bytes] features, sector count, sector
//                                                             number, cyl low, cyl high,
//                                                             device/head, command
//   type 3, NVMe command: [3][drive][command]                 1 Identify Controller,
//                                                             2 SMART / Health log
//
// A reply body is a status, the system's error number (32-bit little-endian, 0 when there
// is none) and the reply bytes: the sector of a completed data-in ATA command, the data of a
// completed NVMe command (4096 or 512 bytes), else nothing.
//   [status][errno x4][data]

inline constexpr std::size_t kReaderFrameHeaderSize = 4;
// A request longer than this is no request of this program: the reader stops reading.
inline constexpr std::uint32_t kMaxReaderRequestSize = 64;
// Room for the largest reply (a 4096-byte NVMe data structure) and its header.
inline constexpr std::uint32_t kMaxReaderReplySize = 8192;
// The drives the reader serves: "\\.\PhysicalDrive0" to 3, as many as the program lists.
inline constexpr unsigned kReaderDrives = 4;

enum class ReaderMessageType : std::uint8_t {
    OpenCheck = 1,
    AtaCommand = 2,
    NvmeCommand = 3,
};

enum class ReaderStatus : std::uint8_t {
    Done = 0,
    Refused = 1, // malformed, or a command outside the allow-list; no disk was touched
    NoSuchDisk = 2, // fewer whole disks than the drive number
    OpenFailed = 3, // the disk exists but could not be opened (errno says why)
    CommandFailed = 4, // the request could not be sent (errno) or the drive failed it (0)
};

// One request as the reader accepts it: every field checked.
struct ReaderRequest
{
    ReaderMessageType type = ReaderMessageType::OpenCheck;
    unsigned drive = 0;
    AtaCommand ata; // the AtaCommand type only
    NvmeCommand nvme = NvmeCommand::IdentifyController; // the NvmeCommand type only
};

struct ReaderReply
{
    ReaderStatus status = ReaderStatus::Refused;
    std::int32_t error = 0;
    std::vector<std::uint8_t> data;
};

// Request bodies. `drive` must be below kReaderDrives.
[[nodiscard]] std::vector<std::uint8_t> encodeOpenCheck(unsigned drive);
[[nodiscard]] std::vector<std::uint8_t> encodeAtaRequest(unsigned drive, const AtaCommand &command);
[[nodiscard]] std::vector<std::uint8_t> encodeNvmeRequest(unsigned drive, NvmeCommand command);

// The request a body holds, or nothing when the body is malformed (size, type, drive
// number) or its ATA or NVMe command is not one decodeDriveRequest lets through.
[[nodiscard]] std::optional<ReaderRequest> decodeReaderRequest(std::span<const std::uint8_t> body);

[[nodiscard]] std::vector<std::uint8_t> encodeReaderReply(const ReaderReply &reply);

// The reply a body holds, or nothing when it is shorter than its header or its status is
// unknown.
[[nodiscard]] std::optional<ReaderReply> decodeReaderReply(std::span<const std::uint8_t> body);

// `body` behind its length.
[[nodiscard]] std::vector<std::uint8_t> frameMessage(std::span<const std::uint8_t> body);

// The body length a frame header announces.
[[nodiscard]] std::uint32_t frameLength(std::span<const std::uint8_t, kReaderFrameHeaderSize> header);

} // namespace orvane
