#pragma once

#include "common/ui/form.h"

class QLabel;
class QPaintEvent;

// The start-up picture with the platform and version lines, shown while the
// program gets ready and deleted before the menu appears.
class FrmSplash : public tsubame::Form {
  Q_OBJECT

 public:
  explicit FrmSplash(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildControls();
  void CenterOnScreen();

  void Form_Load();

  QLabel* Image = nullptr;
  QLabel* lblPlatform = nullptr;
  QLabel* lblVersion = nullptr;
};
