#include "shell/single_copy.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "common/core/failure.h"
#include "common/ui/handler.h"

namespace MdlStart {

SingleCopy::SingleCopy(const QString& name, QObject* parent) : QObject(parent) {
  const QByteArray bytes = name.toUtf8();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) + 1 > sizeof address.sun_path) {
    throw tsubame::Failure("no usable socket name");
  }
  // Abstract namespace: a leading NUL, then the name, no terminator.
  std::memcpy(address.sun_path + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 +
                                             static_cast<std::size_t>(bytes.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    throw tsubame::Failure("no socket");
  }
  // Copies started at the same instant: only one bind succeeds.
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EADDRINUSE) {
      return;  // another copy runs
    }
    throw tsubame::Failure("cannot claim the socket name");
  }
  if (::listen(fd, 8) != 0) {
    ::close(fd);
    throw tsubame::Failure("cannot listen");
  }
  m_fd = fd;
  m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  tsubame::OnEvent(m_notifier, &QSocketNotifier::activated, this, &SingleCopy::Socket_Activated);
}

SingleCopy::~SingleCopy() {
  if (m_fd >= 0) {
    ::close(m_fd);
  }
}

QString SingleCopy::DefaultName() {
  return QStringLiteral("tsubame-single-copy-%1").arg(::getuid());
}

void SingleCopy::Socket_Activated() {
  for (int peer; (peer = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
    ::close(peer);
  }
}

}  // namespace MdlStart
