// SPDX-License-Identifier: MIT
#pragma once

#include "ui/desktopopener.h"

namespace orvane {

// Hands the address to xdg-open as its one argument, without a shell in between, and does
// not wait for it: the desktop's default browser or mail program opens it.
class XdgOpener : public DesktopOpener
{
public:
    void open(const std::string &address) override;
};

} // namespace orvane
