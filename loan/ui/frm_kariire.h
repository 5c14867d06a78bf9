#pragma once

#include "common/ui/form.h"

// 借入金計算: the loan repayment calculator.
class FrmKariire : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmKariire(QWidget* parent = nullptr);
};
