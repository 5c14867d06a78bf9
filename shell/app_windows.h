#pragma once

#include "shell/form_ref.h"

class FrmGenka;
class FrmKariire;
class FrmMenu;
class FrmSplash;

// The program's windows, one reference each, shared by the whole program.
namespace MdlStart {

FormRef<FrmSplash>& frmSplash();
FormRef<FrmMenu>& frmMenu();
FormRef<FrmKariire>& frmKariire();
FormRef<FrmGenka>& frmGenka();

// Deletes every window still held; the program calls it before it ends.
void ReleaseAllWindows();

}  // namespace MdlStart
