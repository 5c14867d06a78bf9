#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "common/ui/twips.h"
#include "shell/frm_splash.h"
#include "ui_test_main.h"

namespace {

QLabel* Label(QWidget& window, const char* name) {
  return window.findChild<QLabel*>(QString::fromLatin1(name));
}

}  // namespace

class SplashTest : public QObject {
  Q_OBJECT

 private slots:
  void textLinesSizedToTheirText() {
    FrmSplash splash;
    QCOMPARE(Label(splash, "lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.1"));
    QLabel* platform = Label(splash, "lblPlatform");
    QCOMPARE(platform->text(), QStringLiteral("ﾌﾟﾗｯﾄﾎｰﾑ Windows 95/98 NT 2000"));
    QVERIFY(platform->alignment() & Qt::AlignRight);
    QCOMPARE(platform->font().pointSizeF(), 15.75);

    // Sized to the text, widened to the left; a line wider than the room to
    // its right edge stays whole inside the window.
    QLabel* version = Label(splash, "lblVersion");
    QCOMPARE(version->geometry().right() + 1, tsubame::TwipsToPixels(4320 + 795));
    QCOMPARE(version->width(), version->sizeHint().width());
    QVERIFY(version->x() < tsubame::TwipsToPixels(4320));
    QCOMPARE(platform->width(), platform->sizeHint().width());
    QVERIFY(splash.rect().contains(platform->geometry()));
    QVERIFY(platform->geometry().right() + 1 >= tsubame::TwipsToPixels(360 + 4695));
  }

  void pictureShownAtItsOwnSize() {
    FrmSplash splash;
    QLabel* image = Label(splash, "Image");
    QCOMPARE(image->pixmap().size(), QSize(300, 180));
    QCOMPARE(image->geometry(), QRect(24, 8, 300, 180));

    // One frame with a 256-colour table, not interlaced.
    QFile file(QStringLiteral(":/shell/splash.gif"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int descriptor = 13 + 3 * 256;  // header, screen, 256 colours
    QVERIFY(bytes.startsWith("GIF89a") && quint8(bytes[10]) == 0xF7);
    QVERIFY(bytes[descriptor] == ',' && (bytes[descriptor + 9] & 0x40) == 0);
    QCOMPARE(QImageReader(file.fileName()).imageCount(), 1);
  }

  void fixedSizeNoCaptionCentred() {
    FrmSplash splash;
    splash.show();
    QCOMPARE(splash.size(), QSize(346, 251));
    QCOMPARE(splash.minimumSize(), splash.maximumSize());
    QVERIFY(splash.windowTitle().isEmpty());
    const QRect screen = splash.screen()->geometry();
    QVERIFY(qAbs(splash.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(splash.frameGeometry().center().y() - screen.center().y()) <= 1);
  }
};

TSUBAME_UI_TEST_MAIN(SplashTest)
#include "splash_test.moc"
