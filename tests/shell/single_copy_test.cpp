#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <memory>
#include <vector>

#include "shell/single_copy.h"
#include "ui_test_main.h"

namespace {

constexpr int kWaitMs = 10000;

// Whether a copy of the program answers on its socket, as a later copy asks.
bool CopyAnswers() {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(MdlStart::SingleCopy::DefaultName());
  return socket.waitForConnected(1000);
}

}  // namespace

class SingleCopyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (CopyAnswers()) {
      QSKIP("a copy of the program already runs in this session");
    }
  }

  void cleanupTestCase() {
    for (auto& copy : m_copies) {
      copy->kill();
      copy->waitForFinished(kWaitMs);
    }
    m_copies.clear();
  }

  // A second copy ends at once with code 0 and leaves the first running; a
  // copy killed outright does not block the next.
  void oneCopyPerSession() {
    QProcess* first = Start();
    QTRY_VERIFY_WITH_TIMEOUT(CopyAnswers(), kWaitMs);
    QProcess* second = Start();
    QVERIFY(second->waitForFinished(kWaitMs));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    first->kill();  // SIGKILL: nothing of it gets to clean up
    QVERIFY(first->waitForFinished(kWaitMs));
    QProcess* next = Start();
    QTRY_VERIFY_WITH_TIMEOUT(CopyAnswers(), kWaitMs);
    QCOMPARE(next->state(), QProcess::Running);
  }

 private:
  QProcess* Start() {
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy->setProcessEnvironment(env);
    copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy->start(QStringLiteral(TSUBAME_BINARY), {});
    copy->waitForStarted(kWaitMs);  // a copy that did not start never answers
    m_copies.push_back(std::move(copy));
    return m_copies.back().get();
  }

  std::vector<std::unique_ptr<QProcess>> m_copies;
};

TSUBAME_UI_TEST_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
