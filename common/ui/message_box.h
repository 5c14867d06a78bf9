#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "common/core/coded_message.h"

namespace tsubame {

// What a message box shows; handed to the presenter.
struct MessageRequest {
  QString title;
  QString text;
  MessageStyle style;
};

// Shows the box and returns the code of the pressed button (1..7). The
// program's presenter opens a real modal box; tests put their own in place
// to see every box and answer it.
using MessagePresenter = std::function<int(const MessageRequest&)>;

// Installs `presenter` and returns the one it replaces.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// The program's presenter: an application-modal box kept above every window.
int ShowMessageBox(const MessageRequest& request);

// How many boxes ShowMessage has shown so far.
int MessagesShown();

}  // namespace tsubame

namespace MdlCommon {

// Builds the box from the coded message; returns the pressed button's code.
int ShowMessage(const QString& lead, const QString& trailing, std::u16string_view coded);

}  // namespace MdlCommon
