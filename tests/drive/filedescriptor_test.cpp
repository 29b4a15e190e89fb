// SPDX-License-Identifier: MIT
#include "platform/linux/filedescriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

bool isOpen(int fd)
{
    return ::fcntl(fd, F_GETFD) != -1;
}

// Each descriptor is closed exactly once: by its last owner, never by one it moved away from
// (a second close could hit a descriptor the process has opened since under the same number).
TEST(FileDescriptor, ClosesOnceWithItsLastOwner)
{
    int raw = -1;
    {
        FileDescriptor first(::open("/dev/null", O_RDONLY | O_CLOEXEC));
        raw = first.get();
        ASSERT_TRUE(first.valid());
        FileDescriptor second(std::move(first));
        EXPECT_FALSE(first.valid());
        EXPECT_EQ(second.get(), raw);
        FileDescriptor third;
        third = std::move(second);
        EXPECT_TRUE(isOpen(raw));
    }
    EXPECT_FALSE(isOpen(raw));

    FileDescriptor replaced(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const int old = replaced.get();
    replaced = FileDescriptor(::open("/dev/zero", O_RDONLY | O_CLOEXEC));
    ASSERT_NE(replaced.get(), old);
    EXPECT_FALSE(isOpen(old)) << "the replaced descriptor stays open";
    EXPECT_TRUE(replaced.close());
    EXPECT_FALSE(replaced.valid());
    EXPECT_TRUE(replaced.close()); // nothing left to close
}

} // namespace
} // namespace orvane
