#include "depreciation/ui/frm_genka.h"

FrmGenka::FrmGenka(QWidget* parent) : tsubame::Form(parent) {
  setWindowTitle(QStringLiteral("減価償却計算"));
}
