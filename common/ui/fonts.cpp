#include "common/ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tsubame {
namespace {

// The designed face first (under its Japanese and its English name: font
// files list either first), then faces of the same shape free systems carry.
QStringList PreferredFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
          QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
}

}  // namespace

QStringList InstalledJapaneseFamilies() {
  // Asking Qt for a family that is not installed makes it sort every font on
  // the system for a substitute, once per font size: a tenth of start-up's
  // work. QFontDatabase::hasFamily() would cost a font configuration pass
  // per name; the list of families is at hand once fonts are loaded. The
  // installed fonts do not change while the program runs.
  static const QStringList installed = [] {
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString& family : PreferredFamilies()) {
      if (families.contains(family, Qt::CaseInsensitive)) {
        found << family;
      }
    }
    return found.isEmpty() ? PreferredFamilies() : found;
  }();
  return installed;
}

QFont JapaneseFont(double point_size, int weight) {
  QFont font;
  font.setFamilies(InstalledJapaneseFamilies());
  font.setPointSizeF(point_size);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

QFont DefaultFont() { return JapaneseFont(9); }

}  // namespace tsubame
