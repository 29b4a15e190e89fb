// SPDX-License-Identifier: MIT
// Qt needs its application object before any widget; every test runs on one, offscreen,
// in UTC and the C locale so that log stamps are the same on every machine.
#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TZ", "UTC", 1);
    tzset();
    std::filesystem::create_directories(ORVANE_SCREENSHOTS);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
