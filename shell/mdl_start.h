#pragma once

#include <QString>
#include <functional>
#include <memory>

class FrmMenu;
class FrmSplash;

namespace MdlStart {

enum class StartResult {
  kRunning,      // the menu is shown: run the event loop
  kAnotherCopy,  // a copy already runs in this session: end at once, code 0
  kFailed,       // message 020 was shown: the program must end
};

// What start-up is made of. The program uses DefaultParts(); a caller may
// put a part of its own in place, e.g. one that fails.
struct StartUpParts {
  QString copy_name;
  std::function<std::unique_ptr<FrmSplash>()> make_splash;
  std::function<std::unique_ptr<FrmMenu>()> make_menu;
};

StartUpParts DefaultParts();

// The program's entry, once the application object exists: the single-copy
// check, the splash, the menu. Any failure shows message 020 and leaves
// nothing shown; only here does a failure end the program.
StartResult StartUp(const StartUpParts& parts = DefaultParts());

// Deletes the windows and gives up the single-copy claim.
void ShutDown();

}  // namespace MdlStart
