#include <QProcess>
#include <QTest>

#include "shell/single_copy.h"
#include "ui_test_main.h"

// Whether a copy of the program holds the name, found out as a later copy
// does: by failing to claim it.
static bool CopyRuns() {
  return !MdlStart::SingleCopy(MdlStart::SingleCopy::DefaultName()).Claimed();
}

class SingleCopyTest : public QObject {
  Q_OBJECT

 private slots:
  // Of copies of the real program started at the same instant, one runs on
  // and the others end at once with code 0; a copy killed outright does not
  // block the next. No claim is tried while a copy starts: it would end.
  void oneCopyPerSession() {
    if (CopyRuns()) {
      QSKIP("a copy of the program already runs in this session");
    }
    QProcess copies[3], next;  // each killed, if still running, at the end
    for (QProcess& p : copies) {
      p.start(QStringLiteral(TSUBAME_BINARY));
    }
    // Ended by now, with code 0 (waiting returns at once for one already ended).
    const auto ended = std::ranges::count_if(copies, [](QProcess& p) {
      p.waitForFinished(5000);
      return p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::NormalExit &&
             p.exitCode() == 0;
    });
    QCOMPARE(ended, std::ptrdiff_t{2});
    QVERIFY(CopyRuns());  // the third, running on
    for (QProcess& p : copies) {
      p.kill();  // SIGKILL: nothing of it gets to clean up
      p.waitForFinished(10000);
    }
    next.start(QStringLiteral(TSUBAME_BINARY));
    QVERIFY(!next.waitForFinished(5000));  // a copy that finds the name held ends at once
    QVERIFY(CopyRuns());
  }
};

TSUBAME_UI_TEST_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
