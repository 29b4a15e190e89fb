// SPDX-License-Identifier: MIT
#include "monitor/sound.h"

namespace orvane {

SoundOutcome PlayAlertSound(MultimediaApi &multimedia, const std::string &path)
{
    if (!multimedia.fileExists(path)) {
        return {false, "there is no sound file " + path};
    }
    // The path goes in unquoted: the command interpreter takes everything after "Play ".
    if (!multimedia.mciExecute("Play " + path)) {
        return {false, multimedia.lastErrorText()};
    }
    return {true, {}};
}

} // namespace orvane
