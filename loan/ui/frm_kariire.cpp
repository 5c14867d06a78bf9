#include "loan/ui/frm_kariire.h"

FrmKariire::FrmKariire(QWidget* parent) : tsubame::Form(parent) {
  setWindowTitle(QStringLiteral("借入金計算"));
}
