// SPDX-License-Identifier: MIT
#include "platform/windows/shellopen.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace orvane {

void ShellOpener::open(const std::string &address)
{
    (void)::ShellExecuteA(reinterpret_cast<HWND>(m_parentWindow), "open", address.c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
}

} // namespace orvane
