#pragma once

#include <QFont>
#include <QStringList>

namespace tsubame {

// "ＭＳ Ｐゴシック" where it exists, else a metric-compatible Japanese font.
// A family name alone falls back to a Latin font on Linux; a family list
// keeps the fallback Japanese.
QFont JapaneseFont(double point_size, int weight = QFont::Normal);

// The installed ones of the Japanese families, best first (all of them if
// none is installed, so Qt's own fallback decides). Needs the application.
QStringList InstalledJapaneseFamilies();

// The windows' default font.
QFont DefaultFont();

}  // namespace tsubame
