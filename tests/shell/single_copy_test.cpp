#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <cstring>

#include "shell/single_copy.h"
#include "ui_test_main.h"

// Whether a copy of the program answers on its socket, as a later copy asks.
static bool CopyAnswers() {
  const QByteArray name = MdlStart::SingleCopy::DefaultName().toUtf8();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool answers =
      ::connect(fd, reinterpret_cast<sockaddr*>(&address),
                static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0;
  ::close(fd);
  return answers;
}

class SingleCopyTest : public QObject {
  Q_OBJECT

 private slots:
  // Of copies of the real program started at the same instant, one runs on
  // and the others end at once with code 0; a copy killed outright does not
  // block the next.
  void oneCopyPerSession() {
    if (CopyAnswers()) {
      QSKIP("a copy of the program already runs in this session");
    }
    QProcess copies[3], next;  // each killed, if still running, at the end
    for (QProcess& p : copies) {
      p.start(QStringLiteral(TSUBAME_BINARY));
    }
    QTRY_VERIFY_WITH_TIMEOUT(CopyAnswers(), 10000);
    int ended = 0;
    for (QProcess& p : copies) {
      p.waitForFinished(3000);  // false at once when it has already ended
      if (p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::NormalExit &&
          p.exitCode() == 0) {
        ++ended;
      }
    }
    QCOMPARE(ended, 2);
    QVERIFY(CopyAnswers());  // the third, running on
    for (QProcess& p : copies) {
      p.kill();  // SIGKILL: nothing of it gets to clean up
      p.waitForFinished(10000);
    }
    next.start(QStringLiteral(TSUBAME_BINARY));
    QTRY_VERIFY_WITH_TIMEOUT(CopyAnswers(), 10000);
  }
};

TSUBAME_UI_TEST_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
