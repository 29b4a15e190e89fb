// SPDX-License-Identifier: MIT
// orvane-drive-reader: reads the S.M.A.R.T. data of the system's disks for an unprivileged
// orvane or orvane-report that started it, over its standard input and output. It takes no
// arguments: the disks are always those of /sys/block and /dev.
#include "platform/linux/reader/readerprogram.h"

#include <cstdio>

int main(int argc, char **)
{
    if (argc > 1) {
        std::fputs("orvane-drive-reader takes no arguments; orvane and orvane-report start it\n", stderr);
        return 2;
    }
    return orvane::runDriveReader("/sys/block", "/dev");
}
