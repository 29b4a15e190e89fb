// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvane::test {

// Answers the window's questions from queues and keeps every message shown.
class FakeDialogs : public Dialogs
{
public:
    void showMessage(const std::string &text) override { messages.push_back(text); }
    std::optional<std::string> chooseSoundFile() override { return next(soundFiles); }
    std::optional<std::filesystem::path> chooseLogFile() override { return next(logFiles); }

    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> soundFiles;
    std::deque<std::optional<std::filesystem::path>> logFiles;

private:
    template<typename T>
    static std::optional<T> next(std::deque<std::optional<T>> &answers)
    {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace orvane::test
