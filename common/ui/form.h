#pragma once

#include <QWidget>

namespace tsubame {

// A top-level window of the program. It reports Activated (Form_Activate)
// when it becomes the active window coming from another window of the
// program or on its first show, not when a message box closes or the user
// switches back from another program. A calculator is shown modally and
// unloaded by its back button or its close box.
class Form : public QWidget {
  Q_OBJECT

 public:
  explicit Form(QWidget* parent = nullptr);

  // Shows the window application-modal and returns when it is unloaded.
  void ShowModal();

  // Hides the window and ends its modal display. The owner deletes it once
  // the window's own handlers have returned.
  void Unload();

 signals:
  void Activated();
  void Unloaded();

 protected:
  // A fixed single border: the user cannot resize the window.
  void SetFixedSizeTwips(int width, int height);

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool m_unloaded = false;
};

}  // namespace tsubame

namespace MdlCommon {

// Centres the active window on the whole screen by its outer size, in one
// move, no clamping. Throws Failure without an active window.
void CenterForm();

}  // namespace MdlCommon
