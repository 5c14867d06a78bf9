#pragma once

#include <QIcon>

namespace tsubame {

// The program's icon, from the PNGs drawn from its SVG at build time and
// built into the program: the window manager shows it in the title bar and
// the task switcher, and no SVG support is needed to read it.
QIcon ApplicationIcon();

}  // namespace tsubame
