// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>
#include <utility>

namespace orvane {

// Owns one file descriptor and closes it when it goes out of scope; -1 when there is none.
// Every descriptor the Linux back-ends and the mail library open lives in one of these.
class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    FileDescriptor(FileDescriptor &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    FileDescriptor &operator=(FileDescriptor &&other) noexcept
    {
        if (this != &other) {
            (void)close();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor() { (void)close(); }

    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool valid() const { return m_fd >= 0; }

    // Closes now and reports the close's own result (NFS reports write errors here); true
    // when there was nothing to close.
    bool close()
    {
        if (m_fd < 0) {
            return true;
        }
        return ::close(std::exchange(m_fd, -1)) == 0;
    }

private:
    int m_fd = -1;
};

} // namespace orvane
