#include "common/ui/trap.h"

#include <QString>

#include "common/core/coded_message.h"
#include "common/ui/message_box.h"

namespace tsubame {

bool Trap(const std::function<void()>& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
  }
  try {
    MdlCommon::ShowMessage(QString(), QString(), MdlCommon::MsgProcessingError);
  } catch (...) {
    // A box that cannot be shown leaves nothing else to report to.
  }
  return false;
}

}  // namespace tsubame
