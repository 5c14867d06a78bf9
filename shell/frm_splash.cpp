#include "shell/frm_splash.h"

#include <qdrawutil.h>

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>

#include "common/core/failure.h"
#include "common/ui/controls.h"
#include "common/ui/fonts.h"
#include "common/ui/trap.h"
#include "common/ui/twips.h"
#include "version.h"

// Resources linked from a static library are registered only when asked for.
static void InitShellResources() { Q_INIT_RESOURCE(shell_images); }

namespace {

// The frame drawn around the splash, in pixels.
constexpr int kFrameWidth = 2;

// A right-aligned label that sizes itself to its text keeps its right edge
// and grows or shrinks to the left; a text too wide for that (a font wider
// than the designed one) starts at the frame instead of being cut off.
void SetTextKeepRight(QLabel* label, const QString& text) {
  const int right = label->x() + label->width();
  label->setText(text);
  label->adjustSize();
  label->move(std::max(kFrameWidth, right - label->width()), label->y());
}

}  // namespace

FrmSplash::FrmSplash(QWidget* parent) : tsubame::Form(parent) {
  setObjectName(QStringLiteral("FrmSplash"));
  // A fixed frame and no caption: a splash window draws its own frame.
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setWindowTitle(QString());
  tsubame::SetClientSizeTwips(this, 5190, 3765, true);
  BuildControls();
  CenterOnScreen();
  tsubame::Trap([this] { Form_Load(); });
}

void FrmSplash::BuildControls() {
  InitShellResources();
  Image = tsubame::MakeLabel(this, "Image", QString(), {360, 120, 4500, 2700});
  const QPixmap picture(QStringLiteral(":/shell/splash.gif"));
  if (picture.isNull()) {
    throw tsubame::Failure("splash picture missing");
  }
  Image->setPixmap(picture);
  Image->resize(picture.size());  // its own size, whatever the box was drawn as

  const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
  lblPlatform = tsubame::MakeLabel(this, "lblPlatform", QString(), {360, 2940, 4695, 315}, right);
  lblPlatform->setFont(tsubame::JapaneseFont(15.75));
  SetTextKeepRight(lblPlatform, QStringLiteral("ﾌﾟﾗｯﾄﾎｰﾑ Windows 95/98 NT 2000"));

  lblVersion = tsubame::MakeLabel(this, "lblVersion", QString(), {4320, 3360, 795, 240}, right);
  lblVersion->setFont(tsubame::JapaneseFont(12));
  SetTextKeepRight(lblVersion, QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
}

void FrmSplash::CenterOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect whole = screen->geometry();
  move(whole.x() + (whole.width() - width()) / 2, whole.y() + (whole.height() - height()) / 2);
}

void FrmSplash::Form_Load() {
  // Major and minor only: the revision is for the file version.
  SetTextKeepRight(
      lblVersion,
      QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2").arg(tsubame::version::kMajor).arg(tsubame::version::kMinor));
}

void FrmSplash::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawWinPanel(&painter, rect(), palette(), false);  // kFrameWidth wide
}
