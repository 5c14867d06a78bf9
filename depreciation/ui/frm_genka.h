#pragma once

#include "common/ui/form.h"

// 減価償却計算: the depreciation calculator.
class FrmGenka : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmGenka(QWidget* parent = nullptr);
};
