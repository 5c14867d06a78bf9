#pragma once

#include <string>
#include <string_view>

// Coded messages: three digits that choose the message box's look, then the
// text. The style is numbered as the Windows message box flags.
namespace MdlCommon {

inline constexpr std::u16string_view MsgInvalidInput = u"000入力データが正しくありません。";
inline constexpr std::u16string_view MsgProcessingError = u"020処理中、異常が発生しました。";

}  // namespace MdlCommon

namespace tsubame {

// Title of every message box.
inline constexpr std::u16string_view kAppTitle = u"ツバメ";

enum MessageButtons {
  kOk = 0,
  kOkCancel = 1,
  kAbortRetryIgnore = 2,
  kYesNoCancel = 3,
  kYesNo = 4,
  kRetryCancel = 5,
};

enum MessageIcon {
  kNoIcon = 0,
  kCritical = 16,
  kQuestion = 32,
  kExclamation = 48,
  kInformation = 64,
};

// Button codes returned by ShowMessage.
enum MessageResult {
  kResultOk = 1,
  kResultCancel = 2,
  kResultAbort = 3,
  kResultRetry = 4,
  kResultIgnore = 5,
  kResultYes = 6,
  kResultNo = 7,
};

struct MessageStyle {
  MessageButtons buttons = kOk;
  MessageIcon icon = kNoIcon;
  int default_button = 0;  // 0 = first button ... 3 = fourth
};

MessageStyle MessageStyleOf(std::u16string_view coded);

// lead + characters 4 to 103 of the coded message + CR + trailing.
std::u16string MessageText(std::u16string_view lead, std::u16string_view trailing,
                           std::u16string_view coded);

}  // namespace tsubame
