// SPDX-License-Identifier: MIT
#include "platform/windows/mcisound.h"

#include <windows.h>
// mmsystem.h needs windows.h first.
#include <mmsystem.h>

#ifdef __MINGW32__
// winmm exports it, but MinGW-w64's mmsystem.h does not declare it.
extern "C" BOOL WINAPI mciExecute(LPCSTR command);
#endif

namespace orvane {

bool MciCommandInterpreter::fileExists(const std::string &path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MciCommandInterpreter::mciExecute(const std::string &command)
{
    return ::mciExecute(command.c_str()) != FALSE;
}

} // namespace orvane
