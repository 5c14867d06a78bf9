#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "common/ui/message_box.h"

namespace tsubame::test {

// Takes the place of the real message box while it lives: every box is
// recorded and answered at once with OK, so a test never blocks on a box.
// `onShow` lets a test act while a box is "open", as a user could not.
class MessageRecorder {
 public:
  MessageRecorder()
      : m_previous(SetMessagePresenter([this](const MessageRequest& request) {
          m_requests.append(request);
          onShow(request);
          return 1;
        })) {}
  ~MessageRecorder() { SetMessagePresenter(m_previous); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const QList<MessageRequest>& requests() const { return m_requests; }
  // The texts shown without their closing CR, e.g. {"処理中、異常が発生しました。"}.
  QStringList texts() const {
    QStringList out;
    for (const MessageRequest& r : m_requests) {
      out << (r.text.endsWith(u'\r') ? r.text.chopped(1) : r.text);
    }
    return out;
  }
  void clear() { m_requests.clear(); }

  std::function<void(const MessageRequest&)> onShow = [](const MessageRequest&) {};

 private:
  QList<MessageRequest> m_requests;
  MessagePresenter m_previous;
};

inline const QString kInvalidInput = QStringLiteral("入力データが正しくありません。");
inline const QString kProcessingError = QStringLiteral("処理中、異常が発生しました。");

}  // namespace tsubame::test
