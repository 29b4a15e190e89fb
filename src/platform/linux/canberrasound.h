#pragma once

#include "monitor/sound.h"

#include <cstdint>

struct ca_context;

namespace orvane {

// Our multimedia command interpreter. It knows one command, "Play " followed by the path of
// a WAV file (taken as it is, blanks included; relative to the current directory), and
// plays it with libcanberra without waiting for the end. The one sound context lives as
// long as the interpreter; destroying it cuts off what is still playing. Unknown commands,
// missing files and a missing sound device yield false and nothing else.
class CanberraCommandInterpreter : public MultimediaApi
{
public:
    CanberraCommandInterpreter();
    ~CanberraCommandInterpreter() override;

    CanberraCommandInterpreter(const CanberraCommandInterpreter &) = delete;
    CanberraCommandInterpreter &operator=(const CanberraCommandInterpreter &) = delete;

    [[nodiscard]] bool fileExists(const std::string &path) override;
    bool mciExecute(const std::string &command) override;

private:
    ca_context *m_context = nullptr;
    std::uint32_t m_nextId = 1;
};

} // namespace orvane
