// SPDX-License-Identifier: MIT
// The event source registered in the registry and written through Wine's advapi32, and the
// message table that Event Viewer reads the texts from.
#include "monitor/fisnteventlog.h"
#include "platform/windows/modulepath.h"
#include "platform/windows/windowseventlog.h"
#include "registryscratch.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const std::string kKey = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Orvane";

std::string dword(DWORD value)
{
    return std::string(reinterpret_cast<const char *>(&value), sizeof value);
}

TEST(WindowsEventSource, FirstStartWritesTheKeyAndLaterStartsLeaveIt)
{
    test::ScratchKey scratch;
    WindowsEventLog api;
    WindowsEventSourceRegistry registry(scratch.root(), "C:\\Orvane\\orvane.exe");
    {
        TfisNTEventLog writer(api, registry);
        writer.setAppName("Orvane");
        writer.RegisterSource();
        EXPECT_TRUE(writer.Enabled());
    }
    const auto file = test::readValue(scratch.key(), kKey, "EventMessageFile");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->type, DWORD(REG_SZ));
    EXPECT_EQ(file->bytes, std::string("C:\\Orvane\\orvane.exe") + '\0');
    const auto types = test::readValue(scratch.key(), kKey, "TypesSupported");
    ASSERT_TRUE(types);
    EXPECT_EQ(types->type, DWORD(REG_DWORD));
    EXPECT_EQ(types->bytes, dword(7));

    // A second start from another folder finds the key and writes nothing.
    WindowsEventSourceRegistry moved(scratch.root(), "D:\\elsewhere\\orvane.exe");
    TfisNTEventLog again(api, moved);
    again.setAppName("Orvane");
    again.RegisterSource();
    EXPECT_EQ(test::readValue(scratch.key(), kKey, "EventMessageFile")->bytes,
              std::string("C:\\Orvane\\orvane.exe") + '\0');
}

TEST(WindowsEventSource, AKeyThatCannotBeCreatedFailsTheRegistration)
{
    test::ScratchKey scratch;
    const test::RefusingKey refusing(scratch.key());
    WindowsEventLog api;
    WindowsEventSourceRegistry registry(refusing.root(), "C:\\Orvane\\orvane.exe");
    TfisNTEventLog writer(api, registry);
    writer.setAppName("Orvane");
    try {
        writer.RegisterSource();
        ADD_FAILURE() << "registered under a key that refuses writing";
    } catch (const ENTLogError &error) {
        EXPECT_STREQ(error.what(), "Unable to register application.");
    }
    EXPECT_FALSE(writer.Enabled());
    writer.WriteEvent("dropped"); // no handle: nothing is reported, nothing raised
    EXPECT_FALSE(test::keyExists(refusing.key(), kKey));
}

TEST(WindowsEventSource, RegistersUnderTheMachineKeyAndReports)
{
    WindowsEventLog api;
    WindowsEventSourceRegistry registry;
    TfisNTEventLog writer(api, registry);
    writer.setAppName("Orvane");
    writer.RegisterSource();
    ASSERT_TRUE(writer.Enabled());
    const auto file = test::readValue(HKEY_LOCAL_MACHINE, kKey, "EventMessageFile");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, ModulePath() + '\0');

    const EventSourceHandle source = api.registerEventSource("Orvane");
    ASSERT_NE(source, kNoEventSource);
    EXPECT_TRUE(api.reportEvent(source, 4, 0, kInformationEventId, "12/07/2026 2:05:09 PM * Orvane Started !"));
    api.deregisterEventSource(source);
}

// What Event Viewer does with an event: load the EventMessageFile as data and format the
// event's message with its one string. Every message shows the string and a line end.
TEST(WindowsEventSource, TheProgramCarriesTheMessageTable)
{
    const HMODULE messages = ::LoadLibraryExA(ModulePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(messages, nullptr);
    for (const DWORD id : {0x40020001u, 0x80020003u, 0xC0020002u}) {
        const char *text = "Temperature is over maximum: 58\xB0"
                           "C";
        const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(text)};
        char out[256] = {};
        const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, messages, id,
                                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), out, sizeof out,
                                              reinterpret_cast<va_list *>(const_cast<DWORD_PTR *>(arguments)));
        EXPECT_EQ(std::string(out, length), std::string(text) + "\r\n") << std::hex << id;
    }
    char out[64];
    EXPECT_EQ(::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, messages, 0x40020002u,
                               MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), out, sizeof out, nullptr),
              0u);
    ::FreeLibrary(messages);
}

} // namespace
} // namespace orvane
