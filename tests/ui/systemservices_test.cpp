// SPDX-License-Identifier: MIT
// The factory of this platform's back-ends: the programs dereference every member, so a
// back-end that is left out would crash the window at start.
#include "platform/systemservices.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

TEST(SystemServices, TheFactoryProvidesEveryBackEnd)
{
    const SystemServices services = createSystemServices();
    EXPECT_NE(services.drives, nullptr);
    EXPECT_NE(services.clock, nullptr);
    EXPECT_NE(services.eventLog, nullptr);
    EXPECT_NE(services.eventSources, nullptr);
    EXPECT_NE(services.mail, nullptr);
    EXPECT_NE(services.sound, nullptr);
    EXPECT_NE(services.power, nullptr);
    EXPECT_NE(services.autostart, nullptr);
    EXPECT_NE(services.sessionEnd, nullptr);
    EXPECT_NE(services.opener, nullptr);
    EXPECT_NE(services.notifier, nullptr);
}

} // namespace
} // namespace orvane::test
