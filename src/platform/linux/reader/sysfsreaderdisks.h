// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/reader/readerdisks.h"

#include <string>

namespace orvane {

// The system's own disks for the drive reader: drive N is the N-th whole disk under
// `sysBlock` in name order, as the program's drive back-end counts them, and its device
// node is `devDir`/name. The node must be a block device. Both folders are fixed when the
// reader is built; no request names either.
class SysfsReaderDisks : public ReaderDisks
{
public:
    SysfsReaderDisks(std::string sysBlock, std::string devDir);

    Opened open(unsigned number) override;

private:
    std::string m_sysBlock;
    std::string m_devDir;
};

} // namespace orvane
