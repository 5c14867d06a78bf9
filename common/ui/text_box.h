#pragma once

#include <QLineEdit>
#include <QSet>

namespace tsubame {

// A text box with the three notifications the windows' handlers need:
// GotFocus and LostFocus when the focus moves between controls of one window
// (not when a message box opens or another program takes over), and KeyUp
// for the release of a key this box saw pressed.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent = nullptr);

  // Gives the focus back to this box after a refused leave. The control that
  // briefly had the focus does not run its own LostFocus check.
  void TakeFocusBack();

 signals:
  void GotFocus();
  void LostFocus();
  void KeyUp();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  bool m_gotFocusAfterPress = false;
  // The focus left with the window (a message box, another program); its
  // return with the window is no GotFocus.
  bool m_focusParked = false;
  QSet<int> m_pressedKeys;
};

}  // namespace tsubame
