// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace orvane {

// Scales a window laid out at 96 pixels per inch once by `ratio` (screen ppi / 96): its
// size, its font, and the position, size and font of every named child. Children that a
// layout places only have their fixed sizes scaled; the layout does the rest. Unnamed
// children are a widget's own parts (scroll bars, viewports) and follow their owner.
void ScaleWidgetTree(QWidget &window, double ratio);

} // namespace orvane
