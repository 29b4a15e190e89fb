// SPDX-License-Identifier: MIT
#include "drive/readerprotocol.h"

#include <array>
#include <cstring>
#include <utility>

namespace orvane {

namespace {

constexpr std::size_t kOpenCheckSize = 2;
constexpr std::size_t kAtaRequestSize = 10;
constexpr std::size_t kNvmeRequestSize = 3;
constexpr std::size_t kReplyHeaderBytes = 5;

// The command kinds as the messages number them; fixed here so that the enum may grow.
// clang-format off
constexpr std::array<std::pair<AtaCommandKind, std::uint8_t>, 5> kKindCodes{{
    {AtaCommandKind::IdentifyDevice, 1},
    {AtaCommandKind::IdentifyPacketDevice, 2},
    {AtaCommandKind::SmartEnableOperations, 3},
    {AtaCommandKind::SmartReadAttributeValues, 4},
    {AtaCommandKind::SmartReadAttributeThresholds, 5},
}};
// clang-format on

// The NVMe commands as the messages number them.
constexpr std::array<std::pair<NvmeCommand, std::uint8_t>, 2> kNvmeCodes{{
    {NvmeCommand::IdentifyController, 1},
    {NvmeCommand::HealthLog, 2},
}};

// The code of a value in one of the tables above (0, which no message uses, for none), and
// the value of a code.
template<typename T, std::size_t N>
std::uint8_t codeOf(const std::array<std::pair<T, std::uint8_t>, N> &codes, T value)
{
    for (const auto &[v, code] : codes) {
        if (v == value) {
            return code;
        }
    }
    return 0;
}

template<typename T, std::size_t N>
std::optional<T> valueOf(const std::array<std::pair<T, std::uint8_t>, N> &codes, std::uint8_t code)
{
    for (const auto &[v, c] : codes) {
        if (c == code) {
            return v;
        }
    }
    return std::nullopt;
}

// Runs the registers through the same decoder as every other request: the kind the sender
// claims must be the kind the allow-list finds.
std::optional<AtaCommand> checkedAtaCommand(AtaCommandKind kind, std::span<const std::uint8_t, 7> regs)
{
    SENDCMDINPARAMS block{};
    block.cBufferSize = kind == AtaCommandKind::SmartEnableOperations ? 0 : kSectorSize;
    block.irDriveRegs = {regs[0], regs[1], regs[2], regs[3], regs[4], regs[5], regs[6], 0};
    const std::uint32_t code =
        kind == AtaCommandKind::SmartEnableOperations ? kSmartSendDriveCommand : kSmartRcvDriveData;
    const auto in = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(&block), kCommandBytesSent);
    const std::optional<DriveRequest> request = decodeDriveRequest(code, in, kDataReplySize);
    if (!request || !std::holds_alternative<AtaCommand>(*request)) {
        return std::nullopt;
    }
    const AtaCommand &command = std::get<AtaCommand>(*request);
    if (command.kind != kind) {
        return std::nullopt;
    }
    return command;
}

// The command a code names, run through the same decoder as every other request: its query
// as the program sends it must be one that the allow-list lets through.
std::optional<NvmeCommand> checkedNvmeCommand(std::uint8_t code)
{
    const std::optional<NvmeCommand> command = valueOf(kNvmeCodes, code);
    if (!command) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t> query = nvmeQuery(*command);
    const std::optional<DriveRequest> request = decodeDriveRequest(kIoctlStorageQueryProperty, query, query.size());
    if (!request || !std::holds_alternative<NvmeCommand>(*request) || std::get<NvmeCommand>(*request) != *command) {
        return std::nullopt;
    }
    return command;
}

void putLittleEndian(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t getLittleEndian(std::span<const std::uint8_t> in)
{
    return std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 | std::uint32_t{in[2]} << 16 | std::uint32_t{in[3]} << 24;
}

} // namespace

std::vector<std::uint8_t> encodeOpenCheck(unsigned drive)
{
    return {static_cast<std::uint8_t>(ReaderMessageType::OpenCheck), static_cast<std::uint8_t>(drive)};
}

std::vector<std::uint8_t> encodeAtaRequest(unsigned drive, const AtaCommand &command)
{
    const AtaRegisters &r = command.registers;
    return {static_cast<std::uint8_t>(ReaderMessageType::AtaCommand),
            static_cast<std::uint8_t>(drive),
            codeOf(kKindCodes, command.kind),
            r.features,
            r.sectorCount,
            r.sectorNumber,
            r.cylLow,
            r.cylHigh,
            r.driveHead,
            r.command};
}

std::vector<std::uint8_t> encodeNvmeRequest(unsigned drive, NvmeCommand command)
{
    return {static_cast<std::uint8_t>(ReaderMessageType::NvmeCommand), static_cast<std::uint8_t>(drive),
            codeOf(kNvmeCodes, command)};
}

std::optional<ReaderRequest> decodeReaderRequest(std::span<const std::uint8_t> body)
{
    if (body.size() < kOpenCheckSize || body[1] >= kReaderDrives) {
        return std::nullopt;
    }
    ReaderRequest request;
    request.drive = body[1];
    if (body[0] == static_cast<std::uint8_t>(ReaderMessageType::OpenCheck) && body.size() == kOpenCheckSize) {
        request.type = ReaderMessageType::OpenCheck;
        return request;
    }
    if (body[0] == static_cast<std::uint8_t>(ReaderMessageType::NvmeCommand) && body.size() == kNvmeRequestSize) {
        const std::optional<NvmeCommand> command = checkedNvmeCommand(body[2]);
        if (!command) {
            return std::nullopt;
        }
        request.type = ReaderMessageType::NvmeCommand;
        request.nvme = *command;
        return request;
    }
    if (body[0] != static_cast<std::uint8_t>(ReaderMessageType::AtaCommand) || body.size() != kAtaRequestSize) {
        return std::nullopt;
    }
    const std::optional<AtaCommandKind> kind = valueOf(kKindCodes, body[2]);
    const std::optional<AtaCommand> command =
        kind ? checkedAtaCommand(*kind, body.subspan<3, 7>()) : std::optional<AtaCommand>();
    if (!command) {
        return std::nullopt;
    }
    request.type = ReaderMessageType::AtaCommand;
    request.ata = *command;
    return request;
}

std::vector<std::uint8_t> encodeReaderReply(const ReaderReply &reply)
{
    std::vector<std::uint8_t> body{static_cast<std::uint8_t>(reply.status)};
    putLittleEndian(body, static_cast<std::uint32_t>(reply.error));
    body.insert(body.end(), reply.data.begin(), reply.data.end());
    return body;
}

std::optional<ReaderReply> decodeReaderReply(std::span<const std::uint8_t> body)
{
    if (body.size() < kReplyHeaderBytes || body[0] > static_cast<std::uint8_t>(ReaderStatus::CommandFailed)) {
        return std::nullopt;
    }
    ReaderReply reply;
    reply.status = static_cast<ReaderStatus>(body[0]);
    reply.error = static_cast<std::int32_t>(getLittleEndian(body.subspan(1, 4)));
    reply.data.assign(body.begin() + kReplyHeaderBytes, body.end());
    return reply;
}

std::vector<std::uint8_t> frameMessage(std::span<const std::uint8_t> body)
{
    std::vector<std::uint8_t> frame;
    frame.reserve(kReaderFrameHeaderSize + body.size());
    putLittleEndian(frame, static_cast<std::uint32_t>(body.size()));
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

std::uint32_t frameLength(std::span<const std::uint8_t, kReaderFrameHeaderSize> header)
{
    return getLittleEndian(header);
}

} // namespace orvane
