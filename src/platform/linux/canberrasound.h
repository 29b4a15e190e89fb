// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/sound.h"

#include <cstdint>

struct ca_context;

namespace orvane {

// Our multimedia command interpreter. It knows one command, "Play " followed by the path of
// a WAV file (taken as it is, blanks included; relative to the current directory), and
// plays it with libcanberra without waiting for the end. The one sound context lives as
// long as the interpreter; destroying it cuts off what is still playing. Unknown commands,
// missing files and a missing sound device yield false, and lastErrorText says why.
class CanberraCommandInterpreter : public MultimediaApi
{
public:
    CanberraCommandInterpreter();
    ~CanberraCommandInterpreter() override;

    CanberraCommandInterpreter(const CanberraCommandInterpreter &) = delete;
    CanberraCommandInterpreter &operator=(const CanberraCommandInterpreter &) = delete;

    [[nodiscard]] bool fileExists(const std::string &path) override;
    bool mciExecute(const std::string &command) override;
    [[nodiscard]] std::string lastErrorText() const override { return m_lastError; }

private:
    ca_context *m_context = nullptr;
    int m_createResult = 0;
    std::string m_lastError;
    std::uint32_t m_nextId = 1;
};

} // namespace orvane
