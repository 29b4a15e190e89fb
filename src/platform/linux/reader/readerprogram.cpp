// SPDX-License-Identifier: MIT
#include "platform/linux/reader/readerprogram.h"

#include "platform/linux/reader/readerprivileges.h"
#include "platform/linux/reader/readerservice.h"
#include "platform/linux/reader/sysfsreaderdisks.h"

#include <csignal>
#include <cstdio>

namespace orvane {

int runDriveReader(const std::string &sysBlock, const std::string &devDir)
{
    if (!enterReaderSandbox()) {
        std::fputs("orvane-drive-reader: cannot drop its privileges; not serving\n", stderr);
        return 1;
    }
    // A parent that went away shows as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    SysfsReaderDisks disks(sysBlock, devDir);
    const ReaderExit exit = serveReader(0, 1, disks);
    if (exit == ReaderExit::ParentClosed) {
        return 0;
    }
    std::fprintf(stderr, "orvane-drive-reader: %s\n", readerExitMessage(exit));
    return 1;
}

} // namespace orvane
