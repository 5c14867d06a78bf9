#include "shell/app_windows.h"

#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "shell/frm_menu.h"
#include "shell/frm_splash.h"

namespace MdlStart {

FormRef<FrmSplash>& frmSplash() {
  static FormRef<FrmSplash> ref;
  return ref;
}

FormRef<FrmMenu>& frmMenu() {
  static FormRef<FrmMenu> ref;
  return ref;
}

FormRef<FrmKariire>& frmKariire() {
  static FormRef<FrmKariire> ref;
  return ref;
}

FormRef<FrmGenka>& frmGenka() {
  static FormRef<FrmGenka> ref;
  return ref;
}

void ReleaseAllWindows() {
  // Calculators first: they are shown over the menu.
  frmKariire().Release();
  frmGenka().Release();
  frmSplash().Release();
  frmMenu().Release();
}

}  // namespace MdlStart
