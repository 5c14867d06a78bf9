#include "shell/mdl_start.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QWindow>

#include "common/core/failure.h"
#include "common/ui/trap.h"
#include "shell/app_windows.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"
#include "shell/single_copy.h"

namespace MdlStart {
namespace {

constexpr long kBusyCount = 1000000;
constexpr int kSplashExposeWaitMs = 500;

QPointer<SingleCopy> g_singleCopy;

// Draws the splash now. An X window can be drawn only once the server has
// mapped it and sent its expose event, which arrives a little after show():
// a lone processEvents() often comes too early, and the splash would go
// unseen. So events are taken in, user input left aside, until the window is
// exposed (drawing it), for a short while at most.
void DrawNow(FrmSplash* splash) {
  splash->repaint();
  const QDeadlineTimer deadline(kSplashExposeWaitMs);
  do {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } while (!(splash->windowHandle() && splash->windowHandle()->isExposed()) &&
           !deadline.hasExpired());
}

// Holds the splash up by counting from 0 to kBusyCount, one pass per number;
// no event is taken in meanwhile. The empty asm tells the compiler each pass
// reads and changes n, so no pass is optimised away, while n stays in a
// register: a volatile counter would add a memory round trip to every pass
// and make the pause four times longer than the count itself needs.
void BusyDelay() {
  for (long n = 0; n <= kBusyCount; ++n) {
    asm volatile("" : "+r"(n));
  }
}

template <class T>
std::unique_ptr<T> Made(const std::function<std::unique_ptr<T>()>& make) {
  std::unique_ptr<T> form = make ? make() : nullptr;
  if (form == nullptr) {
    throw tsubame::Failure("window not made");
  }
  return form;
}

StartResult RunStartUp(const StartUpParts& parts) {
  auto* copy = new SingleCopy(parts.copy_name, QCoreApplication::instance());
  if (!copy->Claimed()) {
    delete copy;
    return StartResult::kAnotherCopy;
  }
  g_singleCopy = copy;

  frmSplash().Set(Made(parts.make_splash));  // making it runs its Form_Load
  frmSplash().Get()->show();
  DrawNow(frmSplash().Get());
  BusyDelay();
  frmMenu().Set(Made(parts.make_menu));  // hidden until the splash is gone
  frmSplash().Release();
  frmMenu().Get()->show();
  // A shown window becomes the active one, as the program was designed for;
  // X leaves that to a window manager, and there may be none.
  frmMenu().Get()->activateWindow();
  return StartResult::kRunning;
}

}  // namespace

StartUpParts DefaultParts() {
  return {SingleCopy::DefaultName(), [] { return std::make_unique<FrmSplash>(); },
          [] { return std::make_unique<FrmMenu>(); }};
}

StartResult StartUp(const StartUpParts& parts) {
  StartResult result = StartResult::kFailed;
  if (!tsubame::Trap([&] { result = RunStartUp(parts); })) {
    ShutDown();
    return StartResult::kFailed;
  }
  return result;
}

void ShutDown() {
  ReleaseAllWindows();
  delete g_singleCopy;
}

}  // namespace MdlStart
