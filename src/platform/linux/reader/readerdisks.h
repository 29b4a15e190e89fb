// SPDX-License-Identifier: MIT
#pragma once

#include "drive/readerprotocol.h"

#include <memory>

namespace orvane {

// One whole disk the drive reader has opened; closed when the object goes.
class ReaderDisk
{
public:
    virtual ~ReaderDisk() = default;

    // Carries one checked ATA command to the disk. True when the drive completed it; a
    // data-in command has then filled `sector`. False with `error` set to the system's error
    // number when the command could not be sent, or 0 when the drive failed it.
    [[nodiscard]] virtual bool ataCommand(const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector,
                                          int &error) = 0;

    // Carries one checked NVMe admin command to the disk, reading into `data` (the command's
    // size). True when the drive completed it; false with `error` as for ataCommand.
    [[nodiscard]] virtual bool nvmeCommand(NvmeCommand command, std::span<std::uint8_t> data, int &error) = 0;
};

// The disks as the drive reader finds them: the N-th whole disk of the system, and nothing
// else. The reader's core knows no device names; only this interface does.
class ReaderDisks
{
public:
    struct Opened
    {
        std::unique_ptr<ReaderDisk> disk; // null when the open failed
        ReaderStatus status = ReaderStatus::Done; // NoSuchDisk or OpenFailed without a disk
        int error = 0;
    };

    virtual ~ReaderDisks() = default;

    [[nodiscard]] virtual Opened open(unsigned number) = 0;
};

} // namespace orvane
