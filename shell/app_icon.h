#pragma once

#include <QIcon>

namespace tsubame {

// The program's icon, from the PNGs drawn from its SVG at build time and
// built into the program: the window manager shows it in the title bar and
// the task switcher, and no SVG support is needed to read it.
QIcon ApplicationIcon();

// Gives every window the icon once a window has first been painted: its
// pictures are decoded then, so they never delay the first paint.
void SetIconAfterFirstPaint();

}  // namespace tsubame
