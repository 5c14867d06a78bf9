#include "common/ui/trap.h"

#include <QString>
#include <cstdio>

#include "common/core/coded_message.h"
#include "common/ui/message_box.h"

namespace tsubame {

namespace {

// Every failure is reported alike, whatever was thrown.
void ReportFailure() noexcept {
  try {
    MdlCommon::ShowMessage(QString(), QString(), MdlCommon::MsgProcessingError);
  } catch (...) {
    // A box that cannot be shown leaves only the terminal to tell.
    std::fputs("tsubame: a failure could not be reported in a message box\n", stderr);
  }
}

}  // namespace

bool Trap(const std::function<void()>& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportFailure();
  }
  return false;
}

}  // namespace tsubame
