#include "platform/windows/shellopen.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace orvane {

void ShellOpen(const std::string &address, std::intptr_t parentWindow)
{
    (void)::ShellExecuteA(reinterpret_cast<HWND>(parentWindow), "open", address.c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
}

} // namespace orvane
