#pragma once

#include <QString>
#include <string>

namespace tsubame {

// The core's texts on screen.
inline QString Qs(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace tsubame
