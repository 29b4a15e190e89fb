// SPDX-License-Identifier: MIT
#include "platform/linux/xdgopener.h"

#include "text/cp1252.h"

#include <QProcess>

namespace orvane {

void XdgOpener::open(const std::string &address)
{
    // Not QDesktopServices: it would pass the address through QUrl, which percent-encodes
    // the blanks of the support mail's subject.
    (void)QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromUtf8(cp1252ToUtf8(address))});
}

} // namespace orvane
