#pragma once

#include <QFont>

namespace tsubame {

// "ＭＳ Ｐゴシック" where it exists, else a metric-compatible Japanese font.
// A family name alone falls back to a Latin font on Linux; a family list
// keeps the fallback Japanese.
QFont JapaneseFont(double point_size, int weight = QFont::Normal);

// The windows' default font.
QFont DefaultFont();

}  // namespace tsubame
