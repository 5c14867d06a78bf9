#pragma once

#include "common/ui/form.h"

class QPushButton;

// The main menu: opens one calculator at a time, modally, or ends the
// program. Closing it ends the program too.
class FrmMenu : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmMenu(QWidget* parent = nullptr);

 private:
  void BuildControls();
  void ConnectHandlers();

  void Form_Activate();
  void Form_Unload();
  void CmdKariire_Click();
  void CmdGenka_Click();
  void CmdEnd_Click();

  QPushButton* CmdKariire = nullptr;
  QPushButton* CmdGenka = nullptr;
  QPushButton* CmdEnd = nullptr;
};
