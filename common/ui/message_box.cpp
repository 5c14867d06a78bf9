#include "common/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

namespace tsubame {
namespace {

int g_messagesShown = 0;

MessagePresenter& Presenter() {
  static MessagePresenter presenter = ShowMessageBox;
  return presenter;
}

struct ButtonSpec {
  QMessageBox::StandardButton button;
  int code;
};

std::vector<ButtonSpec> ButtonsOf(MessageButtons set) {
  using B = QMessageBox;
  switch (set) {
    case kOkCancel:
      return {{B::Ok, kResultOk}, {B::Cancel, kResultCancel}};
    case kAbortRetryIgnore:
      return {{B::Abort, kResultAbort}, {B::Retry, kResultRetry}, {B::Ignore, kResultIgnore}};
    case kYesNoCancel:
      return {{B::Yes, kResultYes}, {B::No, kResultNo}, {B::Cancel, kResultCancel}};
    case kYesNo:
      return {{B::Yes, kResultYes}, {B::No, kResultNo}};
    case kRetryCancel:
      return {{B::Retry, kResultRetry}, {B::Cancel, kResultCancel}};
    default:
      return {{B::Ok, kResultOk}};
  }
}

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case kCritical:
      return QMessageBox::Critical;
    case kQuestion:
      return QMessageBox::Question;
    case kExclamation:
      return QMessageBox::Warning;
    case kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int MessagesShown() { return g_messagesShown; }

MessagePresenter SetMessagePresenter(MessagePresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

int ShowMessageBox(const MessageRequest& request) {
  const QPointer<QWidget> owner = QApplication::activeWindow();
  QMessageBox box(owner);
  box.setWindowTitle(request.title);
  // The carriage return ends the text; it must not show as a glyph.
  QString text = request.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  while (text.endsWith(u'\n')) {
    text.chop(1);
  }
  box.setText(text);
  box.setIcon(IconOf(request.style.icon));
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  const std::vector<ButtonSpec> buttons = ButtonsOf(request.style.buttons);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    QPushButton* b = box.addButton(buttons[i].button);
    if (static_cast<int>(i) == request.style.default_button ||
        (i == 0 && request.style.default_button >= static_cast<int>(buttons.size()))) {
      box.setDefaultButton(b);
    }
  }
  box.show();
  box.activateWindow();
  box.exec();
  box.hide();
  if (owner != nullptr && owner->isVisible()) {
    // Without a window manager nobody gives the activation back.
    owner->activateWindow();
  }
  const auto clicked = box.standardButton(box.clickedButton());
  for (const ButtonSpec& b : buttons) {
    if (b.button == clicked) {
      return b.code;
    }
  }
  // Closed without a button (Escape or the close box): the cancelling answer.
  return buttons.size() == 1 ? buttons[0].code : kResultCancel;
}

}  // namespace tsubame

namespace MdlCommon {

int ShowMessage(const QString& lead, const QString& trailing, std::u16string_view coded) {
  tsubame::MessageRequest request;
  request.title = QString::fromStdU16String(std::u16string(tsubame::kAppTitle));
  request.text = QString::fromStdU16String(
      tsubame::MessageText(lead.toStdU16String(), trailing.toStdU16String(), coded));
  request.style = tsubame::MessageStyleOf(coded);
  ++tsubame::g_messagesShown;
  return tsubame::Presenter()(request);
}

}  // namespace MdlCommon
