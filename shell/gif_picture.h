#pragma once

#include <QByteArrayView>
#include <QImage>

namespace tsubame {

// The first picture of a GIF file (87a or 89a, not interlaced) on its
// logical screen, as an indexed image. Damaged or unsupported data throws
// tsubame::Failure. The splash decodes its picture with this at start-up:
// Qt's reader would first load an image plugin and then take about five
// times the work.
QImage DecodeGif(QByteArrayView bytes);

}  // namespace tsubame
