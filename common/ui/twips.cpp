#include "common/ui/twips.h"

#include <QWidget>
#include <cmath>

namespace tsubame {

int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

double PixelsToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}

void SetClientSizeTwips(QWidget* window, int width, int height, bool fixed) {
  const QSize size(TwipsToPixels(width), TwipsToPixels(height));
  if (fixed) {
    window->setFixedSize(size);
  } else {
    window->resize(size);
  }
}

}  // namespace tsubame
