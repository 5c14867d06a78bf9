#include "common/ui/fonts.h"

#include <QStringList>

namespace tsubame {

QFont JapaneseFont(double point_size, int weight) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("Noto Sans CJK JP")});
  font.setPointSizeF(point_size);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

QFont DefaultFont() {
  return JapaneseFont(9);
}

}  // namespace tsubame
