// SPDX-License-Identifier: MIT
// The drive reader of the tests: orvane-drive-reader serving the fake block/ and dev/ of the
// folder it starts in instead of /sys/block and /dev.
#include "platform/linux/reader/readerprogram.h"

int main()
{
    return orvane::runDriveReader("block", "dev");
}
