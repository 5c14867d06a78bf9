#include "common/ui/text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <limits>
#include <utility>

#include "common/ui/click_swallower.h"
#include "common/ui/message_box.h"

namespace tsubame {
namespace {

// Set while a refused box takes the focus back.
int g_focusReturning = 0;

bool IsWindowSwitch(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  // Users type digits here: the box opens with the input method off.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
}

void TextBox::TakeFocusBack() {
  ++g_focusReturning;
  setFocus(Qt::OtherFocusReason);
  --g_focusReturning;
}

void TextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  m_pressedKeys.clear();
  if (IsWindowSwitch(event->reason()) && std::exchange(m_focusParked, false)) {
    return;
  }
  if (event->reason() == Qt::MouseFocusReason) {
    // The press that follows would undo a selection made now.
    m_gotFocusAfterPress = true;
    return;
  }
  emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  m_gotFocusAfterPress = false;
  m_focusParked = IsWindowSwitch(event->reason());
  if (m_focusParked || g_focusReturning > 0) {
    return;
  }
  const int shown = MessagesShown();
  emit LostFocus();
  if (event->reason() == Qt::MouseFocusReason && (hasFocus() || MessagesShown() != shown)) {
    ClickSwallower::SwallowPendingClick();
  }
}

void TextBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (m_gotFocusAfterPress) {
    m_gotFocusAfterPress = false;
    emit GotFocus();
  }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) {
    m_pressedKeys.insert(event->key());
  }
  QLineEdit::keyPressEvent(event);
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (event->isAutoRepeat() || !m_pressedKeys.remove(event->key())) {
    return;  // e.g. the Tab whose press moved the focus here
  }
  emit KeyUp();
}

}  // namespace tsubame
