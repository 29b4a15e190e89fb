// SPDX-License-Identifier: MIT
// The Windows factory: the window dereferences every member it gets, so each back-end must
// be there. This build has no Qt, hence no window whose end of session would be watched.
#include "platform/systemservices.h"
#include "platform/windows/mcisound.h"
#include "platform/windows/runvalue.h"
#include "platform/windows/sendmaildll.h"
#include "platform/windows/shellopen.h"
#include "platform/windows/windowseventlog.h"
#include "platform/windows/windowslogclock.h"
#include "platform/windows/windowspower.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

template<typename Expected, typename Member>
bool holds(const std::unique_ptr<Member> &member)
{
    return dynamic_cast<const Expected *>(member.get()) != nullptr;
}

TEST(WindowsSystemServices, EveryBackEndIsTheWindowsOne)
{
    const SystemServices services = createSystemServices();
    EXPECT_NE(services.drives, nullptr);
    EXPECT_TRUE(holds<WindowsLogClock>(services.clock));
    EXPECT_TRUE(holds<WindowsEventLog>(services.eventLog));
    EXPECT_TRUE(holds<WindowsEventSourceRegistry>(services.eventSources));
    EXPECT_TRUE(holds<SendMailDll>(services.mail));
    EXPECT_TRUE(holds<MciCommandInterpreter>(services.sound));
    EXPECT_TRUE(holds<WindowsPower>(services.power));
    EXPECT_TRUE(holds<WindowsRunValue>(services.autostart));
    EXPECT_TRUE(holds<ShellOpener>(services.opener));
    EXPECT_EQ(services.notifier, nullptr); // Qt's own balloons
    EXPECT_EQ(services.sessionEnd, nullptr);
}

} // namespace
} // namespace orvane
