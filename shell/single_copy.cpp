#include "shell/single_copy.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include "common/core/failure.h"
#include "common/ui/handler.h"

namespace MdlStart {
namespace {

// Long enough for a running copy that is busy starting up: the kernel
// completes the connection without its help.
constexpr int kConnectWaitMs = 1000;

bool AnotherCopyAnswers(const QString& name) {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(name);
  return socket.waitForConnected(kConnectWaitMs);
}

}  // namespace

SingleCopy::SingleCopy(const QString& name, QObject* parent) : QObject(parent) {
  if (AnotherCopyAnswers(name)) {
    return;
  }
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
  // Two copies started at once both find nobody; the kernel lets only one
  // of them listen, and the other ends.
  if (!server->listen(name)) {
    const bool lost = server->serverError() == QAbstractSocket::AddressInUseError;
    delete server;
    if (lost) {
      return;
    }
    throw tsubame::Failure("cannot listen for later copies");
  }
  m_server = server;
  tsubame::OnEvent(m_server, &QLocalServer::newConnection, this, &SingleCopy::Server_NewConnection);
}

bool SingleCopy::Claimed() const { return m_server != nullptr; }

QString SingleCopy::DefaultName() {
  return QStringLiteral("tsubame-single-copy-%1").arg(::getuid());
}

void SingleCopy::Server_NewConnection() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    socket->abort();
    socket->deleteLater();
  }
}

}  // namespace MdlStart
