#include "shell/frm_menu.h"

#include <QCoreApplication>
#include <QPushButton>
#include <memory>

#include "common/ui/controls.h"
#include "common/ui/handler.h"
#include "common/ui/twips.h"
#include "depreciation/ui/frm_genka.h"
#include "loan/ui/frm_kariire.h"
#include "shell/app_windows.h"

namespace {

// Opens the calculator held by `ref` (made first if the reference is empty)
// and waits until it is unloaded. Its own handlers have returned by then,
// so it can be deleted: the next opening starts from a fresh window.
template <class T>
void ShowCalculator(FormRef<T>& ref, QWidget* owner) {
  if (ref.IsEmpty()) {
    ref.Set(std::make_unique<T>());
  }
  ref.Get()->ShowModal();
  ref.Release();
  owner->activateWindow();  // the owner of a closed modal window is active again
}

}  // namespace

FrmMenu::FrmMenu(QWidget* parent) : tsubame::Form(parent) {
  setObjectName(QStringLiteral("FrmMenu"));
  setWindowTitle(QStringLiteral("メインメニュ"));
  tsubame::SetClientSizeTwips(this, 2670, 2400, false);
  BuildControls();
  ConnectHandlers();
}

void FrmMenu::BuildControls() {
  // No layout: the buttons keep their place and size when the window is resized.
  CmdKariire =
      tsubame::MakeButton(this, "CmdKariire", QStringLiteral("借入金"), {240, 240, 2175, 495});
  CmdGenka =
      tsubame::MakeButton(this, "CmdGenka", QStringLiteral("減価償却"), {240, 960, 2175, 495});
  CmdEnd = tsubame::MakeButton(this, "CmdEnd", QStringLiteral("終了"), {240, 1680, 2175, 495});
  // The first in the tab order takes the focus when the menu is activated.
  setTabOrder(CmdKariire, CmdGenka);
  setTabOrder(CmdGenka, CmdEnd);
}

void FrmMenu::ConnectHandlers() {
  using tsubame::OnEvent;
  OnEvent(this, &tsubame::Form::Activated, this, &FrmMenu::Form_Activate);
  OnEvent(this, &tsubame::Form::Unloaded, this, &FrmMenu::Form_Unload);
  OnEvent(CmdKariire, &QPushButton::clicked, this, &FrmMenu::CmdKariire_Click);
  OnEvent(CmdGenka, &QPushButton::clicked, this, &FrmMenu::CmdGenka_Click);
  OnEvent(CmdEnd, &QPushButton::clicked, this, &FrmMenu::CmdEnd_Click);
}

void FrmMenu::Form_Activate() { MdlCommon::CenterForm(); }

// Only the close box unloads the menu: the program ends with it.
void FrmMenu::Form_Unload() { QCoreApplication::exit(0); }

void FrmMenu::CmdKariire_Click() { ShowCalculator(MdlStart::frmKariire(), this); }

void FrmMenu::CmdGenka_Click() { ShowCalculator(MdlStart::frmGenka(), this); }

// Ends at once: no question, no unload handlers of the windows.
void FrmMenu::CmdEnd_Click() { QCoreApplication::exit(0); }
