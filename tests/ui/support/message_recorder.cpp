#include "message_recorder.h"

namespace tsubame::test {

MessageRecorder::MessageRecorder() {
  m_previous = SetMessagePresenter([this](const MessageRequest& request) {
    m_requests.append(request);
    if (onShow) {
      onShow(request);
    }
    return 1;
  });
}

MessageRecorder::~MessageRecorder() { SetMessagePresenter(m_previous); }

QStringList MessageRecorder::texts() const {
  QStringList out;
  for (const MessageRequest& r : m_requests) {
    QString t = r.text;
    if (t.endsWith(u'\r')) {
      t.chop(1);
    }
    out << t;
  }
  return out;
}

}  // namespace tsubame::test
