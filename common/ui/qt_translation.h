#pragma once

namespace tsubame {

// Qt's own texts (a text box's context menu, the print dialogs and their
// buttons) in Japanese, whatever the user's locale. The program's own texts
// never pass through a translator and stay as designed. Without Qt's
// Japanese catalogue installed, Qt's texts stay English.
void InstallQtTranslation();

}  // namespace tsubame
