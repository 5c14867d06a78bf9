#pragma once

#include <QRect>

class QWidget;

// Layouts are designed in twips: 1440 per inch, 15 per pixel at 96 dpi.
// Qt's device-independent pixels take care of other scale factors.
namespace tsubame {

inline constexpr int kTwipsPerPixel = 15;

int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

QRect TwipsRect(int left, int top, int width, int height);

// Places `widget` inside its parent at a rectangle given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// Gives a top-level window its client size in twips.
void SetClientSizeTwips(QWidget* window, int width, int height, bool fixed);

}  // namespace tsubame
