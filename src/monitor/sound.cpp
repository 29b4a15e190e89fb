#include "monitor/sound.h"

namespace orvane {

void PlayAlertSound(MultimediaApi &multimedia, const std::string &path)
{
    if (!multimedia.fileExists(path)) {
        return;
    }
    // The path goes in unquoted: the command interpreter takes everything after "Play ".
    (void)multimedia.mciExecute("Play " + path);
}

} // namespace orvane
