// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/sound.h"

namespace orvane {

// The Windows multimedia command interpreter (winmm's mciExecute) and the file system's
// own answer to whether a file is there.
class MciCommandInterpreter : public MultimediaApi
{
public:
    // True for an existing file that is not a folder (GetFileAttributesA).
    [[nodiscard]] bool fileExists(const std::string &path) override;

    // mciExecute with the command as it is. The system shows its own message box when the
    // command fails (no sound device, not a wave file).
    bool mciExecute(const std::string &command) override;
};

} // namespace orvane
