#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace MdlStart {

// Keeps a second copy of the program from starting in the same user
// session. The copy that runs holds a socket name in the abstract
// namespace: the kernel lets one process bind it, and frees it when that
// process ends however it ends, so a crashed or killed copy never blocks
// the next one and no file is left behind.
class SingleCopy : public QObject {
  Q_OBJECT

 public:
  // Claims `name` unless another copy holds it; Claimed() tells. Throws
  // Failure when the socket cannot be set up for another reason.
  explicit SingleCopy(const QString& name, QObject* parent = nullptr);
  ~SingleCopy() override;

  bool Claimed() const { return m_fd >= 0; }

  // The socket name of this program for the current user.
  static QString DefaultName();

 private:
  // Someone knocked (a later copy checking): hang up.
  void Socket_Activated();

  int m_fd = -1;
  QSocketNotifier* m_notifier = nullptr;
};

}  // namespace MdlStart
