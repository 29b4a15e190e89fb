// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvane {

// The window's pictures, drawn by orvane-drawassets and built into the program.

// The 16 x 16 tick (true) or cross (false) with its black background made transparent.
[[nodiscard]] QPixmap VerdictPicture(bool ok);

// Image `index` (0 to 6) of the 16 x 16 image list used by the page tabs.
[[nodiscard]] QIcon ListIcon(int index);

[[nodiscard]] QPixmap AssetPicture(const QString &name);

[[nodiscard]] QIcon WindowIcon();

// The tray icon's picture in every size drawn, 16 x 16 to 72 x 72.
[[nodiscard]] QIcon TrayPicture();

// A bottom-bar picture: "help", "support", "about", "website", each normal or lit, and
// "background" and "end" (the end piece).
[[nodiscard]] QPixmap BarPicture(const QString &name, bool hover = false);

} // namespace orvane
