// SPDX-License-Identifier: MIT
// The settings file's save on Windows: a flushed temporary file moved over config.xml, and
// every way that can fail leaving the old file and no temporary file behind.
#include "core/orvaneerror.h"
#include "settings/fileio.h"
#include "support/filefaults.h"
#include "support/scratchdir.h"

#include <functional>
#include <gtest/gtest.h>

namespace orvane {
namespace {

std::string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const OrvaneError &error) {
        return error.what();
    }
    return "no error";
}

TEST(WindowsSave, ReplacesTheFileWhole)
{
    test::ScratchDir dir;
    const auto path = dir / "config.xml";
    replaceFileAtomically(path, "first\r\n");
    EXPECT_EQ(test::fileBytes(path), "first\r\n");
    const std::string big(3 << 20, '\xB0'); // more than one write call
    replaceFileAtomically(path, big);
    EXPECT_EQ(test::fileBytes(path), big);
    replaceFileAtomically(path, "");
    EXPECT_EQ(test::fileBytes(path), "");
    EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
}

struct SaveFault
{
    const char *name;
    std::function<void(const test::fs::path &)> arrange;
    DWORD error;
};

TEST(WindowsSave, AFailedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    // (A read-only config.xml is no case here: Windows refuses to replace it, Wine does not.)
    const SaveFault faults[] = {
        {"folder in its place", [](const test::fs::path &path) { test::fs::create_directory(path); },
         ERROR_ACCESS_DENIED},
        {"folder in the temporary file's place",
         [](const test::fs::path &path) {
             test::writeBytes(path, "old");
             test::fs::path temporary = path;
             temporary += ".new-" + std::to_string(::GetCurrentProcessId());
             test::fs::create_directory(temporary);
         },
         ERROR_ACCESS_DENIED},
    };
    for (const SaveFault &fault : faults) {
        test::ScratchDir dir;
        const auto path = dir / "config.xml";
        fault.arrange(path);
        const std::string before = test::listDir(dir.path());
        EXPECT_EQ(errorOf([&] { replaceFileAtomically(path, "new"); }),
                  "Cannot create file \"" + path.string() + "\". " + test::windowsErrorText(fault.error))
            << fault.name;
        EXPECT_EQ(test::listDir(dir.path()), before) << fault.name;
        if (test::fs::is_regular_file(path)) {
            EXPECT_EQ(test::fileBytes(path), "old") << fault.name;
        }
    }
}

TEST(WindowsSave, AFileHeldByAnotherProgramStaysAsItWas)
{
    test::ScratchDir dir;
    const auto path = dir / "config.xml";
    {
        const test::UnreadableFile held(path);
        const std::string error = errorOf([&] { replaceFileAtomically(path, "new"); });
        EXPECT_EQ(error.rfind("Cannot create file \"" + path.string() + "\". ", 0), 0u) << error;
        EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
    }
    EXPECT_EQ(test::fileBytes(path), "");
}

TEST(WindowsSave, AMissingFolderNamesThePath)
{
    test::ScratchDir dir;
    const auto path = dir / "gone" / "config.xml";
    EXPECT_EQ(errorOf([&] { replaceFileAtomically(path, "new"); }),
              "Cannot create file \"" + path.string() + "\". " + test::windowsErrorText(ERROR_PATH_NOT_FOUND));
}

} // namespace
} // namespace orvane
