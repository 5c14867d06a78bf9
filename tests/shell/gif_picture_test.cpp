#include <QFile>
#include <QImage>
#include <QTest>

#include "common/core/failure.h"
#include "shell/gif_picture.h"
#include "ui_test_main.h"

// Resources linked from a static library are registered only when asked for.
static void InitResources() { Q_INIT_RESOURCE(shell_images); }

namespace {

QByteArray SplashBytes() {
  InitResources();
  QFile file(QStringLiteral(":/shell/splash.gif"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A small GIF on a 4-colour global table: the screen is `width` x 1 with
// background 3, one frame of `frame_width` at `left`, LZW data as given.
struct Tiny {
  int width;
  QByteArray lzw;
  int frame_width = width;
  int left = 0;
  int frame_flags = 0;
  int screen_flags = 0x81;
  int min_size = 2;
  const char* signature = "GIF89a";
};

QByteArray Word(int v) { return QByteArray(1, char(v & 0xff)) + char(v >> 8); }

QByteArray Bytes(const Tiny& t) {
  QByteArray gif(t.signature);
  gif += Word(t.width) + Word(1) + char(t.screen_flags) + char(3) + char(0);
  if (t.screen_flags & 0x80) {
    gif += QByteArray::fromHex("0a141e 28323c 46505a 646e78");
  }
  gif += QByteArray::fromHex("21f9040000000000");  // an extension to pass over
  gif += char(0x2C) + Word(t.left) + Word(0) + Word(t.frame_width) + Word(1) + char(t.frame_flags);
  gif += QByteArray(1, char(t.min_size)) + char(t.lzw.size()) + t.lzw + char(0) + char(0x3B);
  return gif;
}

QString Indices(const QImage& image) {
  QStringList out;
  for (int x = 0; x < image.width(); ++x) {
    out << QString::number(image.pixelIndex(x, 0));
  }
  return out.join(' ');
}

}  // namespace

class GifPictureTest : public QObject {
  Q_OBJECT

 private slots:
  // Codes worked out by hand (3 bits, 4 bits from the 8th table entry).
  void smallPictures_data() {
    QTest::addColumn<QByteArray>("gif");
    QTest::addColumn<QString>("indices");  // empty: the data is refused
    const auto row = [](const char* name, const Tiny& t, const char* indices) {
      QTest::newRow(name) << Bytes(t) << QString::fromLatin1(indices);
    };
    const QByteArray two = QByteArray::fromHex("440a");  // clear 0 1 end
    row("colours", {2, two}, "0 1");
    row("string being defined", {3, QByteArray::fromHex("840b")}, "0 0 0");
    row("code size grows", {4, QByteArray::fromHex("443405")}, "0 1 2 3");
    row("frame on the background", {3, two, 2, 1}, "3 0 1");
    row("GIF87a", {.width = 2, .lzw = two, .signature = "GIF87a"}, "0 1");
    row("no signature", {.width = 2, .lzw = two, .signature = "GIF90a"}, "");
    row("no colour table", {.width = 2, .lzw = two, .screen_flags = 0}, "");
    row("interlaced", {.width = 2, .lzw = two, .frame_flags = 0x40}, "");
    row("frame outside", {.width = 2, .lzw = two, .left = 1}, "");
    row("no width", {0, two}, "");
    row("code size 9", {.width = 2, .lzw = two, .min_size = 9}, "");
    row("first code no colour", {2, QByteArray::fromHex("740a")}, "");
    row("code beyond the table", {3, QByteArray::fromHex("c40b")}, "");
    row("more pixels", {1, two}, "");
    row("fewer pixels", {3, two}, "");
    row("no end code", {2, QByteArray::fromHex("44")}, "");
  }

  void smallPictures() {
    QFETCH(QByteArray, gif);
    QFETCH(QString, indices);
    if (indices.isEmpty()) {
      QVERIFY_THROWS_EXCEPTION(tsubame::Failure, tsubame::DecodeGif(gif));
      return;
    }
    const QImage image = tsubame::DecodeGif(gif);
    QCOMPARE(Indices(image), indices);
    // The colours are the ones Qt's own reader finds.
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
             QImage::fromData(gif, "GIF").convertToFormat(QImage::Format_ARGB32));
  }

  // The splash picture, pixel for pixel as Qt's own reader has it.
  void splashAsQtReadsIt() {
    const QByteArray bytes = SplashBytes();
    const QImage ours = tsubame::DecodeGif(bytes);
    QCOMPARE(ours.size(), QSize(300, 180));
    QCOMPARE(ours.convertToFormat(QImage::Format_ARGB32),
             QImage::fromData(bytes, "GIF").convertToFormat(QImage::Format_ARGB32));
  }

  // Cut short anywhere before its last data block ends, the file is refused.
  void truncatedSplashRefused() {
    const QByteArray bytes = SplashBytes();
    QVERIFY(bytes.endsWith(QByteArray::fromHex("003b")));
    for (qsizetype size = 0; size < bytes.size() - 1; size += size < bytes.size() - 400 ? 97 : 1) {
      QVERIFY_THROWS_EXCEPTION(tsubame::Failure, tsubame::DecodeGif(bytes.first(size)));
    }
  }
};

TSUBAME_UI_TEST_MAIN(GifPictureTest)
#include "gif_picture_test.moc"
