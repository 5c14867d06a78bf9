#pragma once

class QLabel;

namespace tsubame {

// The look of a result label: right-aligned blue text on the window
// background colour of the system, in a single-line border.
void StyleResultLabel(QLabel* label);

}  // namespace tsubame
