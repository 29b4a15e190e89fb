// SPDX-License-Identifier: MIT
#pragma once

namespace orvane {

// The drive reader runs with file capabilities. It keeps only the three it needs in its
// permitted set and none of them effective; each is raised for the one call that needs it
// and lowered right after, so that no other line of the program runs privileged.

// The system calls of the reader's privileges.
enum class ReaderCapability {
    ReadDevice, // CAP_DAC_READ_SEARCH: open a disk's device node (root:disk, mode 0660)
    RawIo, // CAP_SYS_RAWIO: send an ATA command with SG_IO
    NvmeAdmin, // CAP_SYS_ADMIN: send an NVMe admin command (the kernel asks for nothing less)
};

// Clears the environment, closes every descriptor above standard error, forbids gaining
// privileges through exec, and drops every capability but the three. False when the
// capabilities cannot be set: the reader must not run then.
[[nodiscard]] bool enterReaderSandbox();

// Raises one capability while it lives, if the process holds it at all: a reader without it
// simply meets the system's own refusal (EACCES, EPERM).
class RaisedCapability
{
public:
    explicit RaisedCapability(ReaderCapability capability);
    ~RaisedCapability();
    RaisedCapability(const RaisedCapability &) = delete;
    RaisedCapability &operator=(const RaisedCapability &) = delete;

private:
    bool m_raised = false;
};

} // namespace orvane
