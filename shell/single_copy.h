#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace MdlStart {

// Keeps a second copy of the program from starting in the same user
// session. The copy that runs listens on a socket in the abstract namespace:
// it leaves no file behind, so a copy that crashed or was killed never
// blocks the next one.
class SingleCopy : public QObject {
  Q_OBJECT

 public:
  // Listens on `name` unless another copy already does; Claimed() tells.
  // Throws Failure when the socket cannot be set up for another reason.
  explicit SingleCopy(const QString& name, QObject* parent = nullptr);

  bool Claimed() const;

  // The socket name of this program for the current user.
  static QString DefaultName();

 private:
  // A later copy knocked and is ending; hang up.
  void Server_NewConnection();

  QLocalServer* m_server = nullptr;
};

}  // namespace MdlStart
