#include "common/ui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <cmath>

#include "common/core/failure.h"
#include "common/ui/fonts.h"
#include "common/ui/twips.h"

namespace tsubame {
namespace {

// The program window that was active last; message boxes do not count.
QPointer<Form> g_lastActive;

}  // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {
  setFont(DefaultFont());
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::SetFixedSizeTwips(int width, int height) {
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
  SetClientSizeTwips(this, width, height, true);
}

void Form::ShowModal() {
  m_unloaded = false;
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  connect(this, &Form::Unloaded, &loop, &QEventLoop::quit);
  show();
  activateWindow();  // a shown window takes the focus, with or without a window manager
  if (!m_unloaded) {
    loop.exec();
  }
}

void Form::Unload() {
  if (m_unloaded) {
    return;
  }
  m_unloaded = true;
  hide();
  emit Unloaded();
}

bool Form::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    const bool fromElsewhere = g_lastActive != this;
    g_lastActive = this;
    const bool handled = QWidget::event(event);
    if (fromElsewhere) {
      emit Activated();
    }
    return handled;
  }
  return QWidget::event(event);
}

void Form::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

}  // namespace tsubame

namespace MdlCommon {

void CenterForm() {
  QWidget* window = QApplication::activeWindow();
  if (window == nullptr) {
    throw tsubame::Failure("no active window");
  }
  const QScreen* screen = window->screen();
  if (screen == nullptr) {
    throw tsubame::Failure("no screen");
  }
  // Single-precision twips, as designed; the outer size includes the frame.
  using tsubame::PixelsToTwips;
  using tsubame::TwipsToPixels;
  const QRect whole = screen->geometry();
  const QRect frame = window->frameGeometry();
  const float top = static_cast<float>(PixelsToTwips(whole.height())) / 2.0f -
                    static_cast<float>(PixelsToTwips(frame.height())) / 2.0f;
  const float left = static_cast<float>(PixelsToTwips(whole.width())) / 2.0f -
                     static_cast<float>(PixelsToTwips(frame.width())) / 2.0f;
  // One move, so no half-centred position is ever shown.
  window->move(whole.x() + TwipsToPixels(left), whole.y() + TwipsToPixels(top));
}

}  // namespace MdlCommon
